#pragma once

#include <QString>
#include <QtGlobal>

#include <array>
#include <cstring>
#include <optional>

// The calibrator's ranges: the one table the front panel, the frames, the
// range choice of the runs, the measurement dialogs and the error arithmetic
// all read. Ranges are numbered 0..10 in the order of their range commands
// "Z0".."Z9", "Z:".
namespace CalibratorRanges {

constexpr int Count = 11;
constexpr int LastVoltageRange = 4;
constexpr int FirstCurrentRange = 5;
constexpr int LastLowCurrentRange = 9;
constexpr int HighCurrentRange = 10;
// The accuracy table has one more row, all zero, which no range command
// reaches.
constexpr int AccuracyRows = 12;

// Settings are counted exactly, in millionths of the range's unit: no value
// the calibrator takes has more than six decimals.
constexpr qint64 PerUnit = 1'000'000;

struct Accuracy
{
    // The calibrator's error at a setting s (volts or amperes) is s * k + c.
    long double k = 0;
    long double c = 0;
};

struct CalibratorRange
{
    const char *command; // "Z0"
    const char *text;    // "100mV": the panel's caption, the dialogs' calibrator range
    const char *unit;    // unit of every setting on the range: "mV", "V", "mA" or "A"
    int decimals;        // of every setting sent or shown on the range
    qint64 nominal;      // millionths of the unit: 100 mV is 100'000'000
    // The highest setting, millionths of the unit. The same value in volts or
    // amperes is the largest a point may have to be measured on the range.
    qint64 maximum;
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

// Decimals of the range a command names; 4 for anything that names none.
int decimalsOfCommand(const QString &command);

// The highest setting in the unit of the range (205 for "100mV").
long double settingLimit(int index);
// The lowest setting off DC, 1 % of the range (1 for "100mV", 0.01 for
// "1V"), in millionths of the unit and as a number.
qint64 acMinimumCount(int index);
long double acMinimum(int index);
// The steps of the panel's arrow keys, in millionths of the unit: the small
// one is ten units of the range's last decimal, the large one a hundred
// small ones.
qint64 smallStep(int index);
qint64 largeStep(int index);

// The largest value, in volts or amperes, a point is measured on the range
// for, rounded to the six-byte real like every value compared with it.
long double selectionLimit(int index);

// The 100 V and 1000 V ranges, which put high voltage on the terminals.
bool isHighVoltage(int index);

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
// The error on AC, whatever the frequency: a point of the frequency
// characteristic always has one.
long double alternatingError(int index, long double setting);

} // namespace CalibratorRanges

// The calibrator never answers, so the program gives it fixed pauses, in
// milliseconds, to take what it was sent.
namespace CalibratorPauses {
// Between two frames that go out one after the other: a reset or a setting
// and the standby or operate frame after it, the "F4" function and its
// frequency.
constexpr int BetweenFrames = 100;
// After a new frequency, before a setting goes out on it.
constexpr int AfterFrequency = 2000;
// After the front panel's last frame of a send.
constexpr int AfterSend = 200;
// After the exact-reading dialog's OK on the amplitude characteristic: the
// calibrator settles on its last setting before the run takes it.
constexpr int Settling = 1500;
// On either side of the verification window's reset: a moment only.
constexpr int AroundReset = 10;
} // namespace CalibratorPauses

// The frequencies the calibrator puts out, in hertz: 45 to 2000 Hz, and up to
// 400 Hz on the 100 A range. A frequency is written with 2 decimals below
// 100 Hz, 1 below 1000 Hz and none above, so each of those three bands ends
// at its finest frequency: 99.99, 999.9 and 2000.
namespace FrequencyBand {
constexpr int Lowest = 45;
constexpr int Highest = 2000;
constexpr int HighestOnHighCurrent = 400;

struct Band
{
    long double lowest;
    long double highest;
    int decimals;
};
constexpr std::array<Band, 3> Bands{{{Lowest, 99.99L, 2}, {100, 999.9L, 1}, {1000, Highest, 0}}};
} // namespace FrequencyBand

// Units are compared only by whether they are milli: a unit text is milli
// exactly when it holds the letter 'm'.
namespace Units {

inline bool isMilli(const QString &unit)
{
    return unit.contains(QLatin1Char('m'));
}
// The same for a unit as the record's bytes hold it: in Windows-1250 'm' is
// the ASCII letter.
inline bool isMilli(const char *unit, qsizetype size)
{
    return std::memchr(unit, 'm', std::size_t(size)) != nullptr;
}

// F: what a value in the calibrator unit is multiplied by to be in the
// range unit (1000, 0.001 or 1). Dividing by it goes the other way.
long double factor(const QString &rangeUnit, const QString &calibratorUnit);
long double factor(bool rangeMilli, bool calibratorMilli);

// A value in the calibrator unit brought into the range unit (times 1000 or
// divided by 1000, exactly as the factor says), and back.
long double toRangeUnit(long double value, const QString &rangeUnit, const QString &calibratorUnit);
long double toCalibratorUnit(long double value, const QString &rangeUnit,
                             const QString &calibratorUnit);

// The unit of a calibrator range text: its last two characters when it is
// milli, else its last one ("100mV" gives "mV", "10A" gives "A").
QString unitOfRangeText(const QString &rangeText);

} // namespace Units
