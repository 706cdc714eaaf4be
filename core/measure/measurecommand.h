#pragma once

#include "core/measure/pointloop.h"

#include <QDate>
#include <QString>

#include <optional>

class DocumentSession;
struct MeasurementState;
struct Services;

// Ranges of one characteristic, measured one at a time by the "Po&miary"
// command. The amplitude runs are one; the frequency runs are the other.
class RangeRuns
{
public:
    virtual ~RangeRuns() = default;
    virtual int rangeCount() const = 0;
    virtual int currentRange() const = 0;
    // Measures the chosen points of range r (1..35). True when at least one
    // point was measured and the operator did not abort.
    virtual bool runRange(int r, PointChoice points) = 0;
};

// Which ranges a measurement takes: the current one, or every range.
enum class RangeChoice { Current, All };

// The operator's choice in "Procedura pomiarowa".
struct RunChoice
{
    RangeChoice zakresy = RangeChoice::Current;
    PointChoice punkty = PointChoice::Ticked;
};

class RunChooser
{
public:
    virtual ~RunChooser() = default;
    // Nothing when the operator cancelled.
    virtual std::optional<RunChoice> choose() = 0;
};

// The "Po&miary" command of the verification window: the checks before a
// measurement, the link held open for the whole of it, the choice of ranges
// and points, and the ranges of the characteristic on show, one after the
// other.
//
// When the certificate of the lab's standard is no longer valid on the day
// (the clock's), the operator is asked first whether to go on; No ends the
// command before the link opens. A run that measured a point, however it
// ended, records the day and the standard in the document's certificate
// data.
//
// Whatever ends the measurement (its end, an abort, a failure), the output
// goes into standby and then the link is closed; only a cancelled choice,
// which measured nothing, leaves the calibrator untouched. A failure (the
// link cannot be opened, a frame cannot be written, a text does not read)
// stops it with the general error box; what was measured before stays in
// the record.
class MeasureCommand
{
public:
    MeasureCommand(Services &services, MeasurementState &state, DocumentSession &session,
                   RangeRuns &amplitudeRuns, RunChooser &chooser);

    // The runs of the frequency characteristic. Until there are some, the
    // command does nothing while the frequency characteristic is on show.
    void setFrequencyRuns(RangeRuns *runs) { m_frequencyRuns = runs; }

    void Menu_PomiaryClick();

    // A DC range of 20.5 A or more needs the 100 A range, which has no DC.
    bool needsHighCurrentDc() const;

    static const QString highCurrentText;
    static const QString unknownModelText;
    static const QString stopQuestionText;
    // "Świadectwo wzorca straciło ważność dnia 14.03.2025. Kontynuować?"
    static QString expiredStandardText(QDate validUntil);

private:
    void measure(RangeRuns &runs, const RunChoice &choice);

    Services &m_services;
    MeasurementState &m_state;
    DocumentSession &m_session;
    RangeRuns &m_amplitudeRuns;
    RangeRuns *m_frequencyRuns = nullptr;
    RunChooser &m_chooser;
};
