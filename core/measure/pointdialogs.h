#pragma once

#include <QString>

#include <optional>

// What an exact-reading dialog is given for one point.
struct ReadingRequest
{
    QString meterRange;      // "300mV": the meter's range, whole number and unit
    QString calibratorRange; // "1V": the calibrator range text
    QString indication;      // "150,000000mV": nominal indication, Dokl decimals
    QString settingUnit;     // "V": the unit the setting shows and is read in
    QString frequency;       // "DC" or the frequency in hertz
    int DoklKal = 6;
    long double NastawaMin = 0;
    long double NastawaMax = 0;
    QString FunkcjaKal; // "F0".."F3", or "F4V" with the frequency
};

// What an exact-setting dialog is given for one point.
struct SettingRequest
{
    QString meterRange;      // "20V"
    QString indicationUnit;  // "V": the unit the indication is typed in, Jm
    QString setting;         // "5,00000V": the calibrator's setting and its unit
    QString calibratorRange; // "10V"
    QString frequency;       // "DC" or the frequency in hertz
};

// The two per-point dialogs of a characteristic, as a run sees them: each
// shows its point modally and gives the point's value when the operator
// accepted it, or nothing when he aborted ("Przerwij pomiary" or the close
// box). A frame the calibrator link refused is thrown (ECommsError).
class PointDialogs
{
public:
    virtual ~PointDialogs() = default;
    // The setting reached, read back from the dialog's display, in the unit
    // of the calibrator range.
    virtual std::optional<long double> exactReading(const ReadingRequest &point) = 0;
    // The indication typed, in the unit of the meter's range.
    virtual std::optional<long double> exactSetting(const SettingRequest &point) = 0;
};
