#include "core/document/outputfile.h"

#include "core/base/filenode.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using FileNode::systemError;

namespace {

constexpr char TemporarySuffix[] = ".part";

QString shown(const QString &fileName)
{
    return QDir::toNativeSeparators(fileName);
}

QString message(const QString &fileName)
{
    return QStringLiteral("Nie można zapisać pliku %1.").arg(shown(fileName));
}

mode_t currentUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// An unnamed file is given its name through /proc, and libraries reach it
// there too; without /proc only named temporaries will do.
bool procAvailable()
{
    return ::access("/proc/self/fd", X_OK) == 0;
}

QByteArray descriptorPath(int fd)
{
    return "/proc/self/fd/" + QByteArray::number(fd);
}

} // namespace

OutputFile::OutputFile(const QString &fileName) : m_fileName(fileName)
{
    // A link stays a link: the file it points to is replaced.
    QFileInfo link(fileName);
    for (int depth = 0; depth < 40 && link.isSymLink(); ++depth)
        link.setFile(link.symLinkTarget());
    const QFileInfo target(link.isSymLink() ? fileName : link.filePath());
    m_target = QFile::encodeName(target.filePath());
    m_folder = QFile::encodeName(target.path());
    m_prefix = '.' + QFile::encodeName(target.fileName()) + '.';

    struct stat existing = {};
    m_exists = ::stat(m_target.constData(), &existing) == 0;
    if (!m_exists && errno != ENOENT)
        throw failure(systemError(errno));
    if (m_exists) {
        if (!S_ISREG(existing.st_mode))
            throw failure(FileNode::notARegularFile(existing.st_mode));
        // The superuser may write anywhere; a file nobody may write to is
        // read-only all the same.
        if (::access(m_target.constData(), W_OK) != 0)
            throw failure(systemError(errno));
        if ((existing.st_mode & 0222) == 0)
            throw failure(systemError(EACCES));
        m_mode = existing.st_mode & 07777;
        m_owner = existing.st_uid;
        m_group = existing.st_gid;
    }
    removeStaleTemporaries();
    createTemporary();
}

OutputFile::~OutputFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_temporary.isEmpty())
        ::unlink(m_temporary.constData());
}

EInOutError OutputFile::failure(const QString &reason) const
{
    return EInOutError(message(m_fileName), reason);
}

QByteArray OutputFile::temporaryName() const
{
    return m_folder + '/' + m_prefix +
           QByteArray::number(QRandomGenerator::system()->generate64(), 36) + TemporarySuffix;
}

void OutputFile::removeStaleTemporaries() const
{
    // Only regular files of this user: a link or another user's file of
    // such a name is left alone.
    DIR *folder = ::opendir(m_folder.constData());
    if (!folder)
        return;
    const uid_t user = ::geteuid();
    while (const dirent *entry = ::readdir(folder)) {
        const QByteArray name(entry->d_name);
        if (!name.startsWith(m_prefix) || !name.endsWith(TemporarySuffix) ||
            name.size() <= m_prefix.size() + qsizetype(sizeof TemporarySuffix - 1))
            continue;
        struct stat node = {};
        if (::fstatat(::dirfd(folder), entry->d_name, &node, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(node.st_mode) && node.st_uid == user)
            ::unlinkat(::dirfd(folder), entry->d_name, 0);
    }
    ::closedir(folder);
}

void OutputFile::createTemporary()
{
    if (procAvailable()) {
        m_fd = ::open(m_folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (m_fd >= 0) {
            m_unnamed = true;
            return;
        }
        // The file systems without unnamed files say so in one of these ways.
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            throw failure(systemError(errno));
    }
    // O_EXCL also refuses a link planted at the name.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name = temporaryName();
        m_fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (m_fd >= 0) {
            m_temporary = name;
            return;
        }
        if (errno != EEXIST)
            break;
    }
    throw failure(systemError(errno));
}

QByteArray OutputFile::temporaryPath() const
{
    // Through the descriptor, not the name: a name in a shared folder could
    // be swapped for a link before the library opens it.
    return m_unnamed || procAvailable() ? descriptorPath(m_fd) : m_temporary;
}

void OutputFile::write(const QByteArray &bytes)
{
    qint64 written = 0;
    while (written < bytes.size()) {
        const ssize_t n =
            ::write(m_fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw failure(systemError(errno));
        written += n;
    }
}

void OutputFile::commit()
{
    if (m_exists && (m_owner != ::geteuid() || m_group != ::getegid()) &&
        ::fchown(m_fd, m_owner, m_group) != 0) {
        // Only the superuser can give the file back to its owner. Anyone
        // else replaces it with a file of their own, as any editor does.
    }
    const mode_t mode = m_exists ? m_mode : (0666 & ~currentUmask());
    if (::fchmod(m_fd, mode) != 0 || ::fsync(m_fd) != 0)
        throw failure(systemError(errno));
    if (m_unnamed) {
        for (int attempt = 0; attempt < 100 && m_temporary.isEmpty(); ++attempt) {
            const QByteArray name = temporaryName();
            if (::linkat(AT_FDCWD, descriptorPath(m_fd).constData(), AT_FDCWD, name.constData(),
                         AT_SYMLINK_FOLLOW) == 0)
                m_temporary = name;
            else if (errno != EEXIST)
                throw failure(systemError(errno));
        }
        if (m_temporary.isEmpty())
            throw failure(systemError(EEXIST));
    }
    const int closed = ::close(m_fd);
    m_fd = -1;
    if (closed != 0)
        throw failure(systemError(errno));
    if (::rename(m_temporary.constData(), m_target.constData()) != 0)
        throw failure(systemError(errno));
    m_temporary.clear();
    // The rename reaches the disk with the folder. The file is whole under
    // its name by now, so this last step reports nothing.
    const int folder = ::open(m_folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

void OutputFile::replace(const QString &fileName, const QByteArray &bytes)
{
    OutputFile file(fileName);
    file.write(bytes);
    file.commit();
}

void OutputFile::refuseInput(const QString &input, const QString &output)
{
    struct stat in = {};
    struct stat out = {};
    if (::stat(QFile::encodeName(input).constData(), &in) == 0 &&
        ::stat(QFile::encodeName(output).constData(), &out) == 0 && in.st_dev == out.st_dev &&
        in.st_ino == out.st_ino)
        throw EInOutError(message(output),
                          QStringLiteral("to jest ten sam plik, co dokument %1").arg(shown(input)));
}
