#include "core/base/filenode.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace FileNode {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString notARegularFile(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("to jest katalog, a nie zwykły plik");
    if (S_ISFIFO(mode))
        return QStringLiteral("to jest potok (FIFO), a nie zwykły plik");
    if (S_ISSOCK(mode))
        return QStringLiteral("to jest gniazdo, a nie zwykły plik");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("to jest urządzenie, a nie zwykły plik");
    return QStringLiteral("to nie jest zwykły plik");
}

bool isRegularOrMissing(const QString &path)
{
    struct stat node = {};
    return ::stat(QFile::encodeName(path).constData(), &node) != 0 || S_ISREG(node.st_mode);
}

} // namespace FileNode
