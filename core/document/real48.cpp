#include "core/document/real48.h"

#include "core/base/errors.h"

#include <QByteArray>

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
    const bool negative = (fraction & Hidden) != 0;
    const std::uint64_t mantissa = (fraction & (Hidden - 1)) | Hidden;
    const long double magnitude =
        std::ldexp(static_cast<long double>(mantissa), int(bytes[0]) - Bias - FractionBits);
    return negative ? -magnitude : magnitude;
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

double shortestDecimal(long double value, int shift)
{
    const double number = static_cast<double>(value);
    const Encoded target = encode(value);
    int digits = 15;
    double shortest = number;
    for (int n = 1; n < 15 && !target.overflow; ++n) {
        // QByteArray writes and reads with '.', whatever the locale.
        const double rounded = QByteArray::number(number, 'g', n).toDouble();
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
    const QByteArray text = QByteArray::number(shortest, 'e', digits - 1);
    const qsizetype e = text.indexOf('e');
    if (e < 0)
        return number;
    return (text.left(e + 1) + QByteArray::number(text.mid(e + 1).toInt() + shift)).toDouble();
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
