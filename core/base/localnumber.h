#pragma once

#include <QString>

#include <optional>

// A number as the operator types or reads it: the locale's decimal separator
// (a comma in Polish), no group separators, blanks around it allowed. Empty,
// malformed, infinite and NaN texts give nothing.
std::optional<long double> readLocalNumber(const QString &text);
