#pragma once

// The two charts of a characteristic's range: its points ("Wykres
// punktów") and its errors ("Wykres błędów").
enum class ChartKind { Points, Errors };
