#include "core/calibrator/calibratorreset.h"

#include "core/base/clock.h"
#include "core/calibrator/calibratorranges.h"
#include "core/calibrator/frames.h"
#include "core/link/link.h"
#include "core/link/linkguard.h"

void resetCalibrator(Link &link, Clock &clock)
{
    const LinkGuard open(link);
    clock.pause(CalibratorPauses::AroundReset);
    link.send(Frames::resetFrame());
    clock.pause(CalibratorPauses::AroundReset);
}
