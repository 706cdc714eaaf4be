#pragma once

#include <QString>

// Told of every document the verification window has written, once the
// write has succeeded. The register of meters is one: every save records
// the verification. A recorder that fails throws ProgramError; the document
// stays saved all the same.
class VerificationRecorder
{
public:
    virtual ~VerificationRecorder() = default;
    virtual void documentSaved(const QString &fileName) = 0;
};
