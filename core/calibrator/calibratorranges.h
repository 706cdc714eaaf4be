#pragma once

#include <QString>

#include <optional>

// The calibrator's ranges as the verification side sees them: how many
// decimals a value measured on a range carries, the largest value a range is
// chosen for, how far the exact-reading dialog may step, and the calibrator's
// own accuracy. Ranges are numbered 0..10 in the order of their range
// commands "Z0".."Z9", "Z:".
namespace CalibratorRanges {

constexpr int Count = 11;
constexpr int LastVoltageRange = 4;
constexpr int FirstCurrentRange = 5;
constexpr int LastLowCurrentRange = 9;
constexpr int HighCurrentRange = 10;
// The accuracy table has one more row, all zero, which no range command
// reaches.
constexpr int AccuracyRows = 12;

struct Accuracy
{
    // The calibrator's error at a setting s (volts or amperes) is s * k + c.
    long double k = 0;
    long double c = 0;
};

struct CalibratorRange
{
    const char *command;        // "Z0"
    const char *text;           // "100mV", also shown in the measurement dialogs
    const char *unit;           // unit of the range: "mV", "V", "mA" or "A"
    int decimals;               // decimals of values measured on the range
    long double selectionLimit; // volts or amperes, as written in the table
    long double settingLimit;   // in the unit of the range
    Accuracy dc;
    Accuracy ac;
};

// index 0..10; any other index throws std::out_of_range.
const CalibratorRange &range(int index);

// "Z0".."Z9", "Z:".
QString command(int index);
// The index of a range command: the character after 'Z' less '0', so ':'
// gives 10. Empty for anything that is not a range command.
std::optional<int> indexOfCommand(const QString &command);
// The index of a range text ("100mV" .. "100A"), by exact comparison.
std::optional<int> indexOfText(const QString &text);

// Decimals from the second character of a range command: '1', '5', '8' give
// 6; '2', '6', '9' give 5; '4' gives 3; anything else 4.
int decimalsOfCommand(const QString &command);

// The selection limit as stored in the program, rounded to the six-byte real
// like every value compared with it.
long double selectionLimit(int index);

// The last range a model has: 10 with the 100 A range, else 9.
int lastRange(bool withHighCurrentRange);

// The range a value (volts or amperes) is measured on: the first voltage
// range (for a unit with "V") or current range (with "A") whose selection
// limit is not below the value, both rounded to the six-byte real. Empty when
// no range holds it or the unit names neither.
std::optional<int> chooseRange(long double value, const QString &unit, bool withHighCurrentRange);

// The calibrator's error, in volts or amperes, at a setting in volts or
// amperes. frequency 0 means DC; anything else is AC (the amplitude runs
// pass a frequency index, the frequency runs hertz). index 0..11; any other
// throws std::out_of_range.
long double calibratorError(int index, long double frequency, long double setting);

} // namespace CalibratorRanges

// Units are compared only by whether they are milli: a unit text is milli
// exactly when it holds the letter 'm'.
namespace Units {

inline bool isMilli(const QString &unit)
{
    return unit.contains(QLatin1Char('m'));
}

// F: what a value in the calibrator unit is multiplied by to be in the
// range unit (1000, 0.001 or 1). Dividing by it goes the other way.
long double factor(const QString &rangeUnit, const QString &calibratorUnit);

// A value in the calibrator unit brought into the range unit (times 1000 or
// divided by 1000, exactly as the factor says), and back.
long double toRangeUnit(long double value, const QString &rangeUnit, const QString &calibratorUnit);
long double toCalibratorUnit(long double value, const QString &rangeUnit,
                             const QString &calibratorUnit);

// The unit of a calibrator range text: its last two characters when it is
// milli, else its last one ("100mV" gives "mV", "10A" gives "A").
QString unitOfRangeText(const QString &rangeText);

} // namespace Units
