#include "core/calibrator/calibratorranges.h"

#include "core/document/real48.h"

#include <array>
#include <stdexcept>

namespace CalibratorRanges {

namespace {

constexpr qint64 M = PerUnit;

// clang-format off
constexpr std::array<CalibratorRange, Count> Table{{
    {"Z0", "100mV", "mV", 4, 100 * M,  205 * M,     {0.0003L, 1.02e-05L}, {0.0005L, 6.02e-05L}},
    {"Z1", "1V",    "V",  6, 1 * M,    2'050'000,   {0.0002L, 4.08e-05L}, {0.0005L, 0.000152L}},
    {"Z2", "10V",   "V",  5, 10 * M,   20'500'000,  {0.0002L, 0.000408L}, {0.0005L, 0.00107L}},
    {"Z3", "100V",  "V",  4, 100 * M,  205 * M,     {0.0002L, 0.00408L},  {0.0005L, 0.0102L}},
    {"Z4", "1000V", "V",  3, 1000 * M, 1100 * M,    {0.0002L, 0.0218L},   {0.0005L, 0.0545L}},
    {"Z5", "1mA",   "mA", 6, 1 * M,    2'050'000,   {0.0002L, 6.12e-08L}, {0.0005L, 6.02e-07L}},
    {"Z6", "10mA",  "mA", 5, 10 * M,   20'500'000,  {0.0002L, 6.12e-07L}, {0.0005L, 1.52e-06L}},
    {"Z7", "100mA", "mA", 4, 100 * M,  205 * M,     {0.0002L, 6.12e-06L}, {0.0005L, 1.07e-05L}},
    {"Z8", "1A",    "A",  6, 1 * M,    1'100'000,   {0.0003L, 3.27e-05L}, {0.0005L, 5.45e-05L}},
    {"Z9", "10A",   "A",  5, 10 * M,   20'500'000,  {0.0003L, 0.000612L}, {0.0005L, 0.00102L}},
    // No DC accuracy: the 100 A range is never used on DC.
    {"Z:", "100A",  "A",  4, 100 * M,  100 * M,     {0, 0},               {0.002L, 0.0495L}},
}};
// clang-format on

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
    constexpr int noRange = 4;
    const std::optional<int> index = indexOfCommand(command);
    return index ? Table[*index].decimals : noRange;
}

long double settingLimit(int index)
{
    return static_cast<long double>(range(index).maximum) / PerUnit;
}

qint64 acMinimumCount(int index)
{
    return range(index).nominal / 100;
}

long double acMinimum(int index)
{
    return static_cast<long double>(acMinimumCount(index)) / PerUnit;
}

qint64 smallStep(int index)
{
    qint64 step = 10;
    for (int i = range(index).decimals; i < 6; ++i)
        step *= 10;
    return step;
}

qint64 largeStep(int index)
{
    return 100 * smallStep(index);
}

long double selectionLimit(int index)
{
    const CalibratorRange &row = range(index);
    // One division, so the limit is the nearest long double to 0.205 V, as
    // the table's 205 mV means.
    const long double perBaseUnit = Units::isMilli(QLatin1String(row.unit)) ? 1e9L : 1e6L;
    return Real48::stored(static_cast<long double>(row.maximum) / perBaseUnit);
}

bool isHighVoltage(int index)
{
    return index == 3 || index == 4;
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
    const long double stored = Real48::stored(value);
    for (int i = first; i <= last; ++i) {
        if (selectionLimit(i) >= stored)
            return i;
    }
    return std::nullopt;
}

// In the order the accuracy table is read: the range's row, DC or AC, then the
// setting.
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters)
long double calibratorError(int index, long double frequency, long double setting)
{
    if (index < 0 || index >= AccuracyRows)
        throw std::out_of_range("calibrator accuracy index outside 0..11");
    if (index == Count)
        return 0;
    const Accuracy &accuracy = frequency == 0 ? Table[index].dc : Table[index].ac;
    return setting * accuracy.k + accuracy.c;
}

long double alternatingError(int index, long double setting)
{
    constexpr long double anyFrequency = 1;
    return calibratorError(index, anyFrequency, setting);
}

} // namespace CalibratorRanges

namespace Units {

long double factor(const QString &rangeUnit, const QString &calibratorUnit)
{
    return factor(isMilli(rangeUnit), isMilli(calibratorUnit));
}

long double factor(bool rangeMilli, bool calibratorMilli)
{
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
