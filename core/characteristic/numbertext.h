#pragma once

#include <QString>

#include <optional>

// How the grids write and read numbers. Numbers shown to the user carry a
// decimal comma and are read back with readLocalNumber(); class texts are
// read with '.', after the grid has turned every ',' into '.'.
namespace NumberText {

// The shortest general form, up to 15 significant digits, with the locale's
// decimal separator and no digit grouping: 100, 1,5, 0,333333333333. Shortest
// means the fewest digits that store as the same six-byte real.
QString general(long double value);

// Exactly `decimals` decimals with ',' as the separator: 0,0252.
QString fixed(long double value, int decimals);

// A typed point as the entry cell shows it: 7 decimals, ',' as separator,
// cut to 8 characters (1.5 shows as 1,500000, 100 as 100,0000).
QString entry(long double value);

// A user frequency as a frequency list shows it, without "Hz": 2 decimals
// from 45 to 99.99 Hz, 1 decimal from 100 to 999.9 Hz, none from 1000 to
// 2000 Hz, with the locale's separator. Empty for any other frequency.
std::optional<QString> bandFrequency(long double hertz);

// A number with '.' as the decimal separator.
std::optional<long double> fromDot(const QString &text);

} // namespace NumberText
