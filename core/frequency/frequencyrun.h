#pragma once

#include "core/measure/measurecommand.h"
#include "core/measure/pointdialogs.h"
#include "core/measure/pointloop.h"

#include <QString>

#include <optional>

class DocumentSession;
struct MeasurementState;
struct Services;

// The measurement of the frequency characteristic, range by range, through
// the one point loop: RS_c_Cz for a "Cyfrowy" meter on ZakresyCzDN (the run
// sets the calibrator to the range's amplitude at each point's frequency and
// the operator types what the meter shows), RS_a_Cz for an "Analogowy" one
// on ZakresyCzDO (the dialog steps the calibrator until the pointer stands
// on the range's mark). A document of neither kind has nothing to measure.
//
// The amplitude is typed in the range unit Jm. Each point is measured at it
// in Jm, and an accepted point stores it in the unit of its calibrator range
// together with its JmBk, so that the record always tells the unit it holds
// the amplitude in (ErrorMath::amplitudeUnit). A point's results are written
// only when its dialog ends with OK: an abort, a skipped point or a link
// failure leaves the record as it was before that point.
class FrequencyRun : public RangeRuns
{
public:
    FrequencyRun(Services &services, MeasurementState &state, DocumentSession &session,
                 PointDialogs &dialogs, RunView &view);

    // ilosczakresow_Cz: the ranges of the table in use.
    int rangeCount() const override;
    int currentRange() const override;
    bool runRange(int r, PointChoice points) override;
    bool RS_c_Cz(int r, PointChoice points);
    bool RS_a_Cz(int r, PointChoice points);

    // The calibrator range (0..10) of range r's amplitude, for the model in
    // use; nothing, after the operator was told the value, when none holds
    // it.
    std::optional<int> DobierzZakres_Cz(int r);

    // The function command of a point's frequency: "F1".."F3" for 50, 60 and
    // 400 Hz (Cz 0..2), "F4V" and the frequency for the user's own (Cz 3).
    static QString KomendaF_Cz(int cz, long double czHz);
    // The function (Frames::Function) a point's Cz stands for: 50, 60 and
    // 400 Hz, and the user's own for anything else.
    static int functionIndex(int cz);

private:
    bool run(int r, PointChoice points, bool exactReading);
    QString outOfRangeLead() const;

    Services &m_services;
    DocumentSession &m_session;
    PointDialogs &m_dialogs;
    PointLoop m_loop;
};
