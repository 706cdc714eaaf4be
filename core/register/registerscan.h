#pragma once

#include <QStringList>

#include <functional>

class MeterRegister;
class ProgramError;

// Bringing documents on disk into the register: one file, or every .cal
// file under some folders, for the first import of an archive and to catch
// up with saves the register missed.
namespace RegisterScan {

enum class Outcome { Added, Unchanged };

// Records the document unless the register holds it already, byte for
// byte. A document added without a certificate date counts as verified on
// the day the file was last modified. Throws ERegisterError when the
// register fails, and another ProgramError for a file the register cannot
// take (not a document, or one naming no meter).
Outcome addFile(MeterRegister &meterRegister, const QString &path);

struct Counts
{
    int added = 0;
    int unchanged = 0;
    int refused = 0;
};

// Every .cal file under the folders, in name order. A file the register
// cannot take is refused and reported, and the scan goes on; a folder that
// cannot be read, or a register that fails, throws.
Counts scan(MeterRegister &meterRegister, const QStringList &folders,
            const std::function<void(const QString &path, const ProgramError &reason)> &refused);

} // namespace RegisterScan
