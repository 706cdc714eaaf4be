#pragma once

#include <QString>

#include <optional>

struct MeasurementState;
struct Services;

// Which points of a range a run measures: the ticked ones, or every defined
// one.
enum class PointChoice { Ticked, AllDefined };

// The calibrator range a point is measured on, and what follows from it.
struct CalibratorChoice
{
    int index = 0;     // the row of the calibrator's table, 0..10
    int dokl = 0;      // the range's decimals: the point's Dokl
    QString rangeText; // "10V"
    QString jmBk;      // the range's unit: the point's JmBk
};

// What a run tells the window while it measures.
class RunView
{
public:
    virtual ~RunView() = default;
    // Point j of the range on show changed in the record.
    virtual void showPoint(int j) = 0;
    // Point j of the range on show is being measured; 0 when none is.
    virtual void showProgress(int j) = 0;
    // The dialogs move the verification window aside while they are up.
    virtual void centreVerificationWindow() = 0;
};

// One range of one characteristic as the point loop walks it: which points
// take part, the value each is measured at, the method's measure step and
// what follows a point. The amplitude and the frequency characteristic each
// give one for each method.
class RangePoints
{
public:
    virtual ~RangePoints() = default;

    // Jm, the unit of the meter's range.
    virtual QString unit() const = 0;
    // Wl and Wpisany of point j.
    virtual bool ticked(int j) const = 0;
    virtual bool defined(int j) const = 0;
    // Whether point j is measured on a frequency of the user's own, which
    // only a calibrator with a frequency setting can put out.
    virtual bool userFrequency(int j) const = 0;
    // The value point j is measured at, in the range unit: the calibrator
    // range is chosen for it. Values a point measured before holds in the
    // unit of its calibrator range are brought back first.
    virtual long double valueInRangeUnit(int j) = 0;
    // Drives the calibrator and the dialog for point j and stores what the
    // operator accepted; false when he aborted.
    virtual bool measure(int j, const CalibratorChoice &calibrator) = 0;
    // After every point visited, measured or not: the range's errors are
    // recomputed.
    virtual void pointDone(int j) = 0;
    // Whether the range is the one the window shows: its rows follow the
    // run.
    virtual bool onShow() const = 0;
    // Whether an abort, too, puts the verification window back in the
    // middle of the desktop.
    virtual bool centresAfterAbort() const { return false; }
    // How the message about a value out of every range begins.
    virtual QString outOfRangeLead() const;
};

// The one point loop of every run. For each point taking part (ticked, or
// defined when every point is asked for) it chooses the calibrator range,
// warns before high voltage, has the point measured and then done; the row
// of the point under way is highlighted while it is. A value
// out of every range skips its point with a message, and so does a point on
// a frequency of the user's own when the calibrator has no frequency
// setting: nothing is sent for it, nor stored. An abort ends the range at
// once; a failed frame is thrown. Either way the points measured before
// keep their results, which are stored point by point.
class PointLoop
{
public:
    enum class Outcome {
        Measured,        // the loop ran to its end and measured a point at least
        NothingMeasured, // it ran to its end without measuring one
        Aborted,         // the operator stopped it in a dialog
    };

    PointLoop(Services &services, MeasurementState &state, RunView &view);

    // The verification window is centred again when the loop runs to its
    // end.
    Outcome run(RangePoints &points, PointChoice choice);

    // The calibrator range (0..10) that holds a value in the unit jm, for
    // the model in use. When none holds it, the operator is told the value
    // and nothing is returned.
    std::optional<int> chooseRange(long double value, const QString &jm,
                                   const QString &lead = outOfRangeLead);

    static const QString highVoltageText;
    // "Wykonanie kalibratora R-707 nie ma nastawy częstotliwości. Punkt
    // pominięto." with the model's name.
    static QString noFrequencySettingText(const QString &model);
    static const QString outOfRangeLead;
    // "Wartość nastawy 1200V przekracza zakres kalibratora!!! "
    static QString outOfRangeText(long double value, const QString &jm,
                                  const QString &lead = outOfRangeLead);
    // The meter's range as the dialogs show it: Zak as a whole number and
    // Jm ("300mV").
    static QString meterRangeText(long double zak, const QString &jm);
    // The unit shown beside a setting brought into the calibrator range's
    // unit: Jm with its "m" taken off or put on, as the setting was scaled.
    static QString settingUnit(const QString &jm, const QString &rangeText);

private:
    std::optional<CalibratorChoice> calibratorFor(long double value, const QString &jm,
                                                  const QString &lead);
    // A point the calibrator cannot put out is refused, with a word to the
    // operator.
    bool refused(const RangePoints &points, int j);
    // Before the first point on the 100 V or 1000 V range the operator is
    // warned and the output goes into standby; a point on any other range
    // lets the warning come again.
    void warnHighVoltage(int index);

    Services &m_services;
    MeasurementState &m_state;
    RunView &m_view;
};
