#pragma once

#include "core/base/errors.h"

// The register of meters cannot be opened, read or written. The detail is
// the database driver's own reason.
class ERegisterError : public ProgramError
{
public:
    using ProgramError::ProgramError;
};
