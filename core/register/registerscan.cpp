#include "core/register/registerscan.h"

#include "core/base/errors.h"
#include "core/register/meterregister.h"
#include "core/register/registererror.h"
#include "core/register/verification.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace RegisterScan {

Outcome addFile(MeterRegister &meterRegister, const QString &path)
{
    const Verification verification = readVerification(path);
    if (meterRegister.holds(verification.path, verification.sha256))
        return Outcome::Unchanged;
    meterRegister.record(verification);
    return Outcome::Added;
}

Counts scan(MeterRegister &meterRegister, const QStringList &folders,
            const std::function<void(const QString &path, const ProgramError &reason)> &refused)
{
    QStringList files;
    for (const QString &folder : folders) {
        const QFileInfo info(folder);
        if (!info.isDir() || !info.isReadable())
            throw EInOutError(QStringLiteral("Nie można przeszukać katalogu %1.")
                                  .arg(QDir::toNativeSeparators(folder)),
                              info.exists() ? QStringLiteral("to nie jest czytelny katalog")
                                            : QStringLiteral("katalog nie istnieje"));
        QDirIterator walk(folder, {QStringLiteral("*.cal")}, QDir::Files | QDir::Hidden,
                          QDirIterator::Subdirectories);
        while (walk.hasNext())
            files.append(QFileInfo(walk.next()).absoluteFilePath());
    }
    files.sort();
    files.removeDuplicates();

    Counts counts;
    for (const QString &file : files) {
        try {
            ++(addFile(meterRegister, file) == Outcome::Added ? counts.added : counts.unchanged);
        } catch (const ERegisterError &) {
            throw;
        } catch (const ProgramError &reason) {
            ++counts.refused;
            if (refused)
                refused(file, reason);
        }
    }
    return counts;
}

} // namespace RegisterScan
