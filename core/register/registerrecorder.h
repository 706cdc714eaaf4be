#pragma once

#include "core/document/verificationrecorder.h"
#include "core/register/registerlocation.h"

#include <QDate>

#include <functional>

// Records every document the verification window saves in the register of
// meters, verified on the day of the save unless its certificate data say
// otherwise. The register is opened for each save, so that a register that
// was unreachable at one save is tried again at the next.
class RegisterRecorder : public VerificationRecorder
{
public:
    void documentSaved(const QString &fileName) override;

    // Where the register is; the configured register when unset.
    std::function<RegisterLocation()> location;
    // The day of a save; today when unset.
    std::function<QDate()> today;
};
