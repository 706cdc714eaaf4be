#pragma once

#include "core/measure/measurecommand.h"
#include "core/measure/pointdialogs.h"
#include "core/measure/pointloop.h"

#include <QString>

#include <optional>

class DocumentSession;
class ConstZakresAmpl;
struct MeasurementState;
struct Services;

// The measurement of the amplitude characteristic, range by range and
// point by point, through the one point loop. A point's results are written
// into the record only when its dialog ends with OK, so an abort, a value
// out of every calibrator range, or a link failure leaves the point exactly
// as it was; points measured before stay measured.
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
    bool runRange(int r, PointChoice points) override;
    bool runExactReading(int r, PointChoice points);
    bool runExactSetting(int r, PointChoice points);

    // The calibrator range (0..10) that holds point j of the range, for the
    // model in use. When none holds it, the operator is told the value and
    // nothing is returned.
    std::optional<int> chooseCalibratorRange(ConstZakresAmpl range, int j);

    // "DC", or the frequency in hertz in its shortest form.
    static QString frequencyText(ConstZakresAmpl range);
    // The function command of a range's frequency: "F0".."F3" for the fixed
    // ones, "F4V" and the frequency for the user's own.
    static QString functionOf(ConstZakresAmpl range);
    // The function (Frames::Function) a range's Cz stands for.
    static int functionIndex(int cz);
    // A value of point j in the unit of its range: a measured point holds it
    // in the unit of its calibrator range.
    static long double inRangeUnit(long double value, ConstZakresAmpl range, int j);

private:
    Services &m_services;
    DocumentSession &m_session;
    PointDialogs &m_dialogs;
    PointLoop m_loop;
};
