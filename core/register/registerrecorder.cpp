#include "core/register/registerrecorder.h"

#include "core/register/meterregister.h"

void RegisterRecorder::documentSaved(const QString &fileName)
{
    const Verification verification =
        readVerification(fileName, today ? today() : QDate::currentDate());
    MeterRegister meterRegister(location ? location() : RegisterLocation::configured());
    meterRegister.record(verification);
}
