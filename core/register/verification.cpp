#include "core/register/verification.h"

#include "core/base/errors.h"
#include "core/base/filenode.h"
#include "core/document/certificatedata.h"
#include "core/document/documentfile.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A document is its record and at most a block of extension data; a file
// much larger than that is not one, and is not read whole to find out.
constexpr qint64 SizeLimit = qint64{16} * 1024 * 1024;

struct FileContents
{
    QByteArray bytes;
    QDate modified;
};

FileContents readFile(const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    const QString openFailed = QStringLiteral("Nie można otworzyć pliku %1.").arg(shown);
    // Opened without blocking and looked at before reading: a FIFO named
    // like a document must not hang a scan.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw EInOutError(openFailed, FileNode::systemError(errno));
    QFile file;
    file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    struct stat node = {};
    if (::fstat(fd, &node) != 0)
        throw EInOutError(openFailed, FileNode::systemError(errno));
    if (!S_ISREG(node.st_mode))
        throw EInOutError(openFailed, FileNode::notARegularFile(node.st_mode));
    if (node.st_size > SizeLimit)
        throw EInOutError(QStringLiteral("Plik nie jest dokumentem sprawdzania miernika."),
                          QStringLiteral("%1: rozmiar %2 B").arg(shown).arg(node.st_size));
    FileContents contents;
    contents.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EInOutError(QStringLiteral("Błąd odczytu pliku %1.").arg(shown), file.errorString());
    contents.modified = QDateTime::fromSecsSinceEpoch(node.st_mtime).date();
    return contents;
}

QString textOrNull(const QString &text)
{
    return text.isEmpty() ? QString() : text;
}

} // namespace

QDate dueDate(QDate verifiedOn, int months)
{
    return CertificateData::dueDate(verifiedOn, months);
}

Verification readVerification(const QString &path, QDate saveDate)
{
    const FileContents contents = readFile(path);
    // A damaged extension block is left out, as when the document is
    // opened: the verification is recorded without its data.
    const DocumentFile::StoredDocument document = DocumentFile::parseStored(contents.bytes, path);
    const TDaneSprawdzania &record = document.record;

    Verification entry;
    entry.name = record.Nazwa().trimmed();
    entry.number = record.Numer().trimmed();
    entry.kind = record.Typ();
    if (entry.name.isEmpty() && entry.number.isEmpty())
        throw ProgramError(QStringLiteral("Dokument %1 nie ma nazwy ani numeru miernika, więc "
                                          "nie może być wpisany do rejestru.")
                               .arg(QDir::toNativeSeparators(path)));
    entry.path = QFileInfo(path).absoluteFilePath();
    entry.sha256 = QCryptographicHash::hash(contents.bytes, QCryptographicHash::Sha256).toHex();

    const DocumentExtension &extension = document.extension;
    const CertificateData certificate = CertificateData::of(extension);
    entry.verifiedOn = certificate.verifiedOn;
    if (!entry.verifiedOn.isValid())
        entry.verifiedOn = saveDate.isValid() ? saveDate : contents.modified;
    entry.intervalMonths = certificate.intervalMonths;
    if (entry.intervalMonths)
        entry.dueOn = dueDate(entry.verifiedOn, *entry.intervalMonths);
    entry.certificate = textOrNull(certificate.number);
    entry.standard = textOrNull(StandardInUse::of(extension).serial);
    entry.decisionRule = DecisionRules::key(extension.decisionRule());
    entry.summary = VerificationSummary{
        Uncertainty::countDecisions(record, extension, Characteristic::Amplitude),
        Uncertainty::countDecisions(record, extension, Characteristic::Frequency)};
    return entry;
}
