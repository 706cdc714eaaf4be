#pragma once

#include <array>
#include <cstdint>

// The six-byte real in which every number of a .cal document is stored.
//
// Byte 0 is the exponent with bias 129 (0 means the value 0, whatever the
// other bytes hold); bytes 1..5 hold the mantissa, least significant byte
// first, with the sign in the top bit of byte 5 and 39 fraction bits below an
// implicit leading 1. Arithmetic is done in long double and the result is
// rounded only when it is stored again.
namespace Real48 {

constexpr int Size = 6;
using Bytes = std::array<std::uint8_t, Size>;

// Exact: every Real48 value is a long double.
long double toLongDouble(const std::uint8_t *bytes);
inline long double toLongDouble(const Bytes &bytes)
{
    return toLongDouble(bytes.data());
}

// Rounds to the nearest Real48, ties away from zero. A magnitude below the
// smallest Real48 is stored as 0; one above the largest throws
// EOverflowError, and so do infinities and NaN.
Bytes fromLongDouble(long double value);
void store(long double value, std::uint8_t *bytes);

// Whether fromLongDouble() would accept the value.
bool fits(long double value);

// The value as the record gives it back after storing it; throws as
// fromLongDouble() does.
inline long double stored(long double value)
{
    return toLongDouble(fromLongDouble(value));
}

// The shortest decimal, of at most 15 significant digits, that stores as the
// same six-byte real as the value: 45.3 for the 45.2999999999884 a typed 45,3
// is kept as. Written with 'g' and 15 digits it shows those digits and no
// binary noise. Whatever shows, sends or exports a stored number in full
// takes it from here. A value beyond the format comes back as it is.
//
// With a shift, the decimal point of those digits moves by so many places:
// 0.0000123 V shifted by 3 is 0.0123 mV, where multiplying would give
// 0.01230000000001.
double shortestDecimal(long double value, int shift = 0);

// The extremes of the format.
long double largest();
long double smallest();

} // namespace Real48
