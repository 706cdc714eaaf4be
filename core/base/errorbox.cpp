#include "core/base/errorbox.h"

#include "core/base/errors.h"
#include "core/base/prompts.h"

void showGeneralError(Prompts &prompts, const std::exception &error)
{
    if (const auto *programError = dynamic_cast<const ProgramError *>(&error)) {
        const bool comms = dynamic_cast<const ECommsError *>(&error) != nullptr;
        prompts.show(programError->message(),
                     comms ? QStringLiteral("Błąd komunikacji") : QStringLiteral("Błąd"),
                     PromptIcon::Critical, PromptButton::Ok, programError->detail());
        return;
    }
    prompts.show(QString::fromLocal8Bit(error.what()), QStringLiteral("Błąd"),
                 PromptIcon::Critical);
}
