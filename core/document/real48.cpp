#include "core/document/real48.h"

#include "core/base/errors.h"

#include <QByteArray>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

namespace Real48 {

namespace {

constexpr int Bias = 129;
constexpr int FractionBits = 39;
constexpr std::uint64_t Hidden = std::uint64_t(1) << FractionBits;

struct Encoded
{
    bool overflow = false;
    Bytes bytes{};
};

Encoded encode(long double value)
{
    Encoded result;
    if (std::isnan(value) || std::isinf(value)) {
        result.overflow = true;
        return result;
    }
    if (value == 0.0L)
        return result;

    const bool negative = std::signbit(value);
    int exponent = 0;
    // |value| = m * 2^exponent with 0.5 <= m < 1, so the 40-bit mantissa
    // with its hidden bit is m * 2^40, rounded half away from zero.
    const long double m = std::frexp(std::fabs(value), &exponent);
    auto mantissa = static_cast<std::uint64_t>(std::round(std::ldexp(m, FractionBits + 1)));
    if (mantissa == (Hidden << 1)) {
        mantissa = Hidden;
        ++exponent;
    }
    // m * 2^exponent = (2m) * 2^(exponent - 1), and the stored exponent is
    // that power plus the bias.
    const int stored = exponent - 1 + Bias;
    if (stored > 255) {
        result.overflow = true;
        return result;
    }
    if (stored < 1)
        return result;

    std::uint64_t fraction = mantissa - Hidden;
    if (negative)
        fraction |= Hidden;
    result.bytes[0] = static_cast<std::uint8_t>(stored);
    for (int i = 1; i < Size; ++i) {
        result.bytes[i] = static_cast<std::uint8_t>(fraction & 0xFF);
        fraction >>= 8;
    }
    return result;
}

} // namespace

long double toLongDouble(const std::uint8_t *bytes)
{
    if (bytes[0] == 0)
        return 0.0L;
    std::uint64_t fraction = 0;
    for (int i = Size - 1; i >= 1; --i)
        fraction = (fraction << 8) | bytes[i];
    // Every six-byte real is a double: its 39 fraction bits head the
    // double's 52, and its exponent, -128..126, is well within the double's.
    constexpr int DoubleBias = 1023;
    constexpr int DoubleFractionBits = 52;
    const std::uint64_t sign = (fraction & Hidden) << (63 - FractionBits);
    const std::uint64_t exponent = std::uint64_t(int(bytes[0]) - Bias + DoubleBias)
                                   << DoubleFractionBits;
    const std::uint64_t mantissa = (fraction & (Hidden - 1)) << (DoubleFractionBits - FractionBits);
    return std::bit_cast<double>(sign | exponent | mantissa);
}

Bytes fromLongDouble(long double value)
{
    const Encoded encoded = encode(value);
    if (encoded.overflow)
        throw EOverflowError(QStringLiteral("Nadmiar zmiennoprzecinkowy"));
    return encoded.bytes;
}

void store(long double value, std::uint8_t *bytes)
{
    const Bytes encoded = fromLongDouble(value);
    std::memcpy(bytes, encoded.data(), Size);
}

bool fits(long double value)
{
    return !encode(value).overflow;
}

namespace {

// Whether a double is exactly a decimal of at most 15 significant digits,
// such as 44.25: rounded to fewer digits it lies halfway between two, and
// std::to_chars rounds such a tie to even where QByteArray::number rounds
// it away from zero.
bool exactShortDecimal(double value)
{
    if (value == 0 || !std::isfinite(value))
        return true;
    // value = mantissa * 2^exponent with an odd mantissa.
    int exponent = 0;
    auto mantissa =
        static_cast<std::uint64_t>(std::ldexp(std::frexp(std::fabs(value), &exponent), 53));
    exponent -= 53;
    while ((mantissa & 1) == 0) {
        mantissa >>= 1;
        ++exponent;
    }
    if (exponent >= 0)
        return true;
    // mantissa / 2^k = mantissa * 5^k / 10^k: its digits are those of
    // mantissa * 5^k, more than 15 of them from k = 22 on.
    if (-exponent >= 22)
        return false;
    unsigned __int128 digits = mantissa;
    for (int k = 0; k < -exponent; ++k)
        digits *= 5;
    return digits < 1000000000000000ULL;
}

} // namespace

double shortestDecimal(long double value, int shift)
{
    const double number = static_cast<double>(value);
    const Encoded target = encode(value);
    // std::to_chars and std::from_chars round correctly and know no locale:
    // but for ties, which only a short decimal can make, their digits are
    // those of QByteArray::number and QByteArray::toDouble, at a fraction
    // of the cost of going through a text object.
    const bool fast = !exactShortDecimal(number);
    char text[64];
    auto write = [&](double x, std::chars_format format, int precision) {
        if (fast)
            return qsizetype(std::to_chars(text, text + sizeof text, x, format, precision).ptr -
                             text);
        const QByteArray written =
            QByteArray::number(x, format == std::chars_format::general ? 'g' : 'e', precision);
        std::memcpy(text, written.constData(), std::size_t(written.size()));
        return written.size();
    };
    auto parse = [&](qsizetype size) {
        double parsed = 0;
        std::from_chars(text, text + size, parsed);
        return parsed;
    };
    int digits = 15;
    double shortest = number;
    for (int n = 1; n < 15 && !target.overflow; ++n) {
        const double rounded = parse(write(number, std::chars_format::general, n));
        const Encoded candidate = encode(rounded);
        if (!candidate.overflow && candidate.bytes == target.bytes) {
            digits = n;
            shortest = rounded;
            break;
        }
    }
    if (shift == 0)
        return shortest;
    // The digits as they are, with the exponent moved: "1.23e-05" becomes
    // "1.23e-2".
    const qsizetype size = write(shortest, std::chars_format::scientific, digits - 1);
    char *e = std::find(text, text + size, 'e');
    if (e == text + size)
        return number;
    int exponent = 0;
    std::from_chars(e + 1 + (e[1] == '+'), text + size, exponent);
    return parse(std::to_chars(e + 1, text + sizeof text, exponent + shift).ptr - text);
}

long double largest()
{
    return std::ldexp(static_cast<long double>((Hidden << 1) - 1), 255 - Bias - FractionBits);
}

long double smallest()
{
    return std::ldexp(1.0L, 1 - Bias);
}

} // namespace Real48
