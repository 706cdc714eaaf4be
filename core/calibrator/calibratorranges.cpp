#include "calibratorranges.h"

#include "real48.h"

#include <array>
#include <stdexcept>

namespace CalibratorRanges {

namespace {

// clang-format off
constexpr std::array<CalibratorRange, Count> Table{{
    {"Z0", "100mV", "mV", 4, 0.205L,   205,  {0.0003L, 1.02e-05L}, {0.0005L, 6.02e-05L}},
    {"Z1", "1V",    "V",  6, 2.05L,    2.05L,{0.0002L, 4.08e-05L}, {0.0005L, 0.000152L}},
    {"Z2", "10V",   "V",  5, 20.5L,    20.5L,{0.0002L, 0.000408L}, {0.0005L, 0.00107L}},
    {"Z3", "100V",  "V",  4, 205,      205,  {0.0002L, 0.00408L},  {0.0005L, 0.0102L}},
    {"Z4", "1000V", "V",  3, 1100,     1100, {0.0002L, 0.0218L},   {0.0005L, 0.0545L}},
    {"Z5", "1mA",   "mA", 6, 0.00205L, 2.05L,{0.0002L, 6.12e-08L}, {0.0005L, 6.02e-07L}},
    {"Z6", "10mA",  "mA", 5, 0.0205L,  20.5L,{0.0002L, 6.12e-07L}, {0.0005L, 1.52e-06L}},
    {"Z7", "100mA", "mA", 4, 0.205L,   205,  {0.0002L, 6.12e-06L}, {0.0005L, 1.07e-05L}},
    {"Z8", "1A",    "A",  6, 1.1L,     1.1L, {0.0003L, 3.27e-05L}, {0.0005L, 5.45e-05L}},
    {"Z9", "10A",   "A",  5, 20.5L,    20.5L,{0.0003L, 0.000612L}, {0.0005L, 0.00102L}},
    // No DC accuracy: the 100 A range is never used on DC.
    {"Z:", "100A",  "A",  4, 100,      100,  {0, 0},               {0.002L, 0.0495L}},
}};
// clang-format on

long double roundedToStored(long double value)
{
    return Real48::toLongDouble(Real48::fromLongDouble(value));
}

} // namespace

const CalibratorRange &range(int index)
{
    if (index < 0 || index >= Count)
        throw std::out_of_range("calibrator range index outside 0..10");
    return Table[index];
}

QString command(int index)
{
    return QString::fromLatin1(range(index).command);
}

std::optional<int> indexOfCommand(const QString &command)
{
    if (command.size() != 2 || command[0] != QLatin1Char('Z'))
        return std::nullopt;
    const int index = command[1].unicode() - '0';
    if (index < 0 || index >= Count)
        return std::nullopt;
    return index;
}

std::optional<int> indexOfText(const QString &text)
{
    for (int i = 0; i < Count; ++i) {
        if (text == QLatin1String(Table[i].text))
            return i;
    }
    return std::nullopt;
}

int decimalsOfCommand(const QString &command)
{
    const QChar c = command.size() >= 2 ? command[1] : QChar();
    switch (c.unicode()) {
    case '1':
    case '5':
    case '8':
        return 6;
    case '2':
    case '6':
    case '9':
        return 5;
    case '4':
        return 3;
    default:
        return 4;
    }
}

long double selectionLimit(int index)
{
    return roundedToStored(range(index).selectionLimit);
}

int lastRange(bool withHighCurrentRange)
{
    return withHighCurrentRange ? HighCurrentRange : LastLowCurrentRange;
}

std::optional<int> chooseRange(long double value, const QString &unit, bool withHighCurrentRange)
{
    int first = 0;
    int last = 0;
    if (unit.contains(QLatin1Char('V'))) {
        first = 0;
        last = LastVoltageRange;
    } else if (unit.contains(QLatin1Char('A'))) {
        first = FirstCurrentRange;
        last = lastRange(withHighCurrentRange);
    } else {
        return std::nullopt;
    }
    if (!Real48::fits(value))
        return std::nullopt;
    const long double stored = roundedToStored(value);
    for (int i = first; i <= last; ++i) {
        if (selectionLimit(i) >= stored)
            return i;
    }
    return std::nullopt;
}

long double calibratorError(int index, long double frequency, long double setting)
{
    if (index < 0 || index >= AccuracyRows)
        throw std::out_of_range("calibrator accuracy index outside 0..11");
    if (index == Count)
        return 0;
    const Accuracy &accuracy = frequency == 0 ? Table[index].dc : Table[index].ac;
    return setting * accuracy.k + accuracy.c;
}

} // namespace CalibratorRanges

namespace Units {

long double factor(const QString &rangeUnit, const QString &calibratorUnit)
{
    const bool rangeMilli = isMilli(rangeUnit);
    const bool calibratorMilli = isMilli(calibratorUnit);
    if (rangeMilli && !calibratorMilli)
        return 1000;
    if (calibratorMilli && !rangeMilli)
        return 0.001L;
    return 1;
}

long double toRangeUnit(long double value, const QString &rangeUnit, const QString &calibratorUnit)
{
    const bool rangeMilli = isMilli(rangeUnit);
    if (rangeMilli == isMilli(calibratorUnit))
        return value;
    return rangeMilli ? value * 1000 : value / 1000;
}

long double toCalibratorUnit(long double value, const QString &rangeUnit,
                             const QString &calibratorUnit)
{
    const bool rangeMilli = isMilli(rangeUnit);
    if (rangeMilli == isMilli(calibratorUnit))
        return value;
    return rangeMilli ? value / 1000 : value * 1000;
}

QString unitOfRangeText(const QString &rangeText)
{
    return rangeText.right(isMilli(rangeText) ? 2 : 1);
}

} // namespace Units
