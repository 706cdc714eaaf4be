#include "core/register/verification.h"

#include "core/base/errors.h"
#include "core/base/filenode.h"
#include "core/document/documentfile.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonObject>

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

QString textOrNull(const QJsonValue &value)
{
    const QString text = value.toString().trimmed();
    return text.isEmpty() ? QString() : text;
}

} // namespace

QDate dueDate(QDate verifiedOn, int months)
{
    // QDate clamps a day the month lacks to the month's last day.
    return verifiedOn.addMonths(months);
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
    const QJsonObject certificate = extension.value(QStringLiteral("certificate")).toObject();
    const QString verifiedOn = certificate.value(QLatin1String("verified_on")).toString();
    entry.verifiedOn = QDate::fromString(verifiedOn, QStringLiteral("yyyy-MM-dd"));
    if (!entry.verifiedOn.isValid())
        entry.verifiedOn = saveDate.isValid() ? saveDate : contents.modified;
    const QJsonValue interval = certificate.value(QLatin1String("interval_months"));
    const double months = interval.toDouble(0);
    if (interval.isDouble() && months >= 1 && months <= 1200 && months == int(months)) {
        entry.intervalMonths = int(months);
        entry.dueOn = dueDate(entry.verifiedOn, *entry.intervalMonths);
    }
    entry.certificate = textOrNull(certificate.value(QLatin1String("number")));
    entry.standard = textOrNull(
        extension.value(QStringLiteral("standard")).toObject().value(QLatin1String("serial")));
    entry.decisionRule = DecisionRules::key(extension.decisionRule());
    entry.summary = VerificationSummary{
        Uncertainty::countDecisions(record, extension, Characteristic::Amplitude),
        Uncertainty::countDecisions(record, extension, Characteristic::Frequency)};
    return entry;
}
