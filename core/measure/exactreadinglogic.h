#pragma once

#include "core/calibrator/calibratorranges.h"
#include "core/measure/measurementstate.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

struct Services;

// The working of the two exact-reading dialogs ("Metoda dokładnego odczytu"),
// without their widgets. The dialog starts the calibrator at the point's
// nominal indication and the operator steps it, digit by digit, until the
// meter's pointer stands on the mark; every step goes to the calibrator at
// once, and the setting reached is the point's result.
//
// The setting is held exactly, as a count of millionths of the calibrator
// range's unit: every value the dialog can reach has at most six decimals, so
// long runs of steps never drift and the limits compare exactly.
class ExactReadingLogic
{
public:
    // The amplitude dialog recomputes its setting whenever the run changes the
    // indication and starts from six decimals; the frequency dialog computes
    // it only on activation and starts from four decimals unless it had to
    // divide by 1000.
    enum class Variant { Amplitude, Frequency };

    static constexpr int DigitCount = 8;
    static constexpr qint64 PerUnit = CalibratorRanges::PerUnit;

    struct Limits
    {
        long double NastawaMin = 0;
        long double NastawaMax = 0;
    };

    ExactReadingLogic(Services &services, MeasurementState &state, Variant variant);

    Variant variant() const { return m_variant; }
    // This dialog's own point settings inside the shared state.
    ExactReadingSettings &settings();
    const ExactReadingSettings &settings() const;
    MeasurementState &state() { return m_state; }

    // The texts the run fills in: meter range ("300mV"), calibrator range
    // ("1V"), nominal indication ("150,0000mV").
    void setMeterRange(const QString &text) { m_meterRange = text; }
    void setCalibratorRange(const QString &text) { m_calibratorRange = text; }
    // The amplitude dialog follows a new indication at once (nothing sent).
    // Throws EConvertError when the indication is not a number.
    void setIndication(const QString &text);
    QString meterRange() const { return m_meterRange; }
    QString calibratorRange() const { return m_calibratorRange; }
    QString indication() const { return m_indication; }

    // Start of a point: the setting goes back to the nominal indication, the
    // step to the last digit, and the setting is sent. upDownPosition is the
    // position of the up-down control at this moment.
    void activate(int upDownPosition);
    // A digit button was clicked; down tells whether it is now down.
    void UstawKrok(int tag, bool down);
    // One click of the up-down control that left it at position. Only the
    // direction matters; a step past a limit is refused but the unchanged
    // setting is still sent.
    void step(int position);
    // Sends the current setting with the operate command.
    void WyslijNastawe();

    // NastawaBiezaca and Krok, in millionths of the calibrator range's unit.
    qint64 setting() const { return m_setting; }
    qint64 stepCount() const { return m_step; }
    int PozycjaPoprzednia() const { return m_previousPosition; }
    // 1..8, or 0 when every digit button is up.
    int selectedDigit() const { return m_selectedDigit; }
    // What the setting display shows.
    QString displayText() const { return m_display; }

    // Display text of a setting: decimals by magnitude, decimal comma, padded
    // with blanks to nine characters so that the last digit always stands in
    // the same column.
    static QString TekstNastawy(qint64 millionths);
    static QString TekstNastawy(long double value);
    // x positions of the eight digit buttons under the display for a range
    // with the given decimals; none for decimals outside 3..6.
    static std::optional<std::array<int, DigitCount>> UlozPrzyciski(int DoklKal);
    // Range command of a calibrator range text ("1V" gives "Z1", "100A"
    // "Z:"); exact and case-sensitive, empty for any other text.
    static QByteArray KodZakresu(const QString &rangeText);
    // The step limits the runs set for a calibrator range; none for an
    // unknown range text.
    static std::optional<Limits> limitsFor(const QString &rangeText, bool alternating);
    // Reads a setting display (leading blanks allowed, decimal comma).
    // Throws EConvertError.
    static long double readSetting(const QString &text);
    // The starting setting, in millionths of the calibrator unit, from the
    // nominal indication with its unit. Throws EConvertError.
    static qint64 startSetting(const QString &indication, const QString &meterRange,
                               const QString &calibratorRange, Variant variant);

private:
    void resetStep();

    Services &m_services;
    MeasurementState &m_state;
    Variant m_variant;

    QString m_meterRange;
    QString m_calibratorRange;
    QString m_indication;
    QString m_display;

    qint64 m_setting = 0;
    qint64 m_step = 1;
    int m_previousPosition = 1;
    int m_selectedDigit = 0;
};
