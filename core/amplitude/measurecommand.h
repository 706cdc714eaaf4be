#pragma once

#include <QString>

#include <optional>

class DocumentSession;
class RangeRuns;
struct MeasurementState;
struct Services;

// The operator's choice in "Procedura pomiarowa".
struct RunChoice
{
    int zakresy = 0; // 0 the current range, 1 every range
    int punkty = 0;  // 0 the ticked points, 1 every defined point
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
// Whatever ends the measurement, the link is closed afterwards. A failure
// (the link cannot be opened, a frame cannot be written, a text does not
// read) stops it with the general error box; what was measured before
// stays in the record.
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

private:
    void measure(RangeRuns &runs);

    Services &m_services;
    MeasurementState &m_state;
    DocumentSession &m_session;
    RangeRuns &m_amplitudeRuns;
    RangeRuns *m_frequencyRuns = nullptr;
    RunChooser &m_chooser;
};
