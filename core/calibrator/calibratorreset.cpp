#include "core/calibrator/calibratorreset.h"

#include "core/base/clock.h"
#include "core/calibrator/frames.h"
#include "core/link/link.h"
#include "core/link/linkguard.h"

void resetCalibrator(Link &link, Clock &clock)
{
    // The reset needs only a moment on either side of its frame.
    constexpr int ResetPause = 10;
    const LinkGuard open(link);
    clock.pause(ResetPause);
    link.send(Frames::resetFrame());
    clock.pause(ResetPause);
}
