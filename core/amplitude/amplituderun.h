#pragma once

#include "measurecommand.h"

#include <QString>

#include <functional>
#include <optional>

class DocumentSession;
class TZakresAmpl;
struct MeasurementState;
struct Services;

// What an exact-reading dialog is given for one point.
struct ReadingRequest
{
    QString meterRange;      // "300mV": the meter's range, whole number and unit
    QString calibratorRange; // "1V": the calibrator range text
    QString indication;      // "150,000000mV": nominal indication, Dokl decimals
    QString frequency;       // "DC" or the range's frequency in hertz
    int DoklKal = 6;
    long double NastawaMin = 0;
    long double NastawaMax = 0;
    QString FunkcjaKal; // "F0".."F3", or "F4V" with the frequency
};

// What an exact-setting dialog is given for one point.
struct SettingRequest
{
    QString meterRange;      // "20V"
    QString setting;         // "5,00000V": the calibrator's setting and its unit
    QString calibratorRange; // "10V"
    QString frequency;       // "DC" or the range's frequency in hertz
};

// The two per-point dialogs, as a run sees them: each shows its point
// modally and gives the point's value when the operator accepted it, or
// nothing when he aborted ("Przerwij pomiary" or the close box). A frame
// the calibrator link refused is thrown (ECommsError).
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

// What a run tells the window while it measures.
class RunView
{
public:
    virtual ~RunView() = default;
    // Point j of the current amplitude range changed in the record.
    virtual void showPoint(int j) = 0;
    // The dialogs move the verification window aside while they are up.
    virtual void centreVerificationWindow() = 0;
};

// The measurement of the amplitude characteristic, range by range and
// point by point. A point's results are written into the record only when
// its dialog ends with OK, so an abort, a value out of every calibrator
// range, or a link failure leaves the point exactly as it was; points
// measured before stay measured.
//
// A measured point holds Wm and Nk in the unit of the calibrator range it
// was measured on (JmBk); the range's Zak is in the range's own unit Jm.
// Measuring a point again starts from its values brought back to Jm, so
// repeated runs never scale a value twice.
class AmplitudeRun : public RangeRuns
{
public:
    AmplitudeRun(Services &services, MeasurementState &state, DocumentSession &session,
                 PointDialogs &dialogs, RunView &view);

    int rangeCount() const override;
    int currentRange() const override;
    // The exact-reading run for an "Analogowy" meter, else the exact-setting
    // run.
    bool runRange(int r, int points) override;
    bool runExactReading(int r, int points);
    bool runExactSetting(int r, int points);

    // The calibrator range (0..10) that holds point j of range r, for the
    // model in use. When none holds it, the operator is told the value and
    // nothing is returned.
    std::optional<int> chooseCalibratorRange(int r, int j);

    static const QString highVoltageText;
    // "Wartość nastawy 1200V przekracza zakres kalibratora!!! "
    static QString outOfRangeText(long double value, const QString &jm);
    // What a run starts a range with on the dialogs' meter range field.
    static QString meterRangeText(const TZakresAmpl &range);
    // "DC", or the frequency in hertz in its shortest form.
    static QString frequencyText(const TZakresAmpl &range);
    // The function command of a range's frequency: "F0".."F3" for the fixed
    // ones, "F4V" and the frequency for the user's own.
    static QString functionOf(const TZakresAmpl &range);

private:
    // The point's nominal value in the unit of its range: a measured point
    // holds it in the unit of its calibrator range.
    static long double inRangeUnit(long double value, const TZakresAmpl &range, int j);
    bool selected(const TZakresAmpl &range, int j, int points) const;
    // The warning before the first point on the 100 V or 1000 V range, with
    // the output put into standby; any lower range lets it come again.
    // The calibrator range chosen for a point, with what follows from it.
    struct CalibratorSetting
    {
        int index = 0;
        int dokl = 0;
        QString rangeText;
        QString jmBk;
    };
    // Chooses the range (with its message when none holds the point) and
    // gives the high-voltage warning when it is due.
    std::optional<CalibratorSetting> calibratorFor(int r, int j);
    // Measures one point on its calibrator range; false when the operator
    // aborted.
    using MeasurePoint =
        std::function<bool(TZakresAmpl range, int j, const CalibratorSetting &calibrator)>;
    // Walks the selected points of range r: the choice of calibrator range,
    // the measurement, the row refresh. False on an abort or when nothing
    // was measured.
    bool runPoints(int r, int points, const MeasurePoint &measure);
    // Stores an accepted point: the meter's indication (range unit) and the
    // calibrator setting (calibrator unit), the calibrator error and marks.
    void storeResult(TZakresAmpl range, int j, const CalibratorSetting &calibrator,
                     long double indication, long double setting);
    void warnHighVoltage(int calibratorRange);
    void pointDone(int r, int j);

    Services &m_services;
    MeasurementState &m_state;
    DocumentSession &m_session;
    PointDialogs &m_dialogs;
    RunView &m_view;
};
