#include "core/register/verification.h"

#include "core/base/errors.h"
#include "core/base/filenode.h"
#include "core/characteristic/errormath.h"
#include "core/document/documentfile.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtEndian>

#include <array>
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

// CRC-32 with the zlib polynomial.
quint32 crc32(const QByteArray &bytes)
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> entries{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int bit = 0; bit < 8; ++bit)
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            entries[n] = c;
        }
        return entries;
    }();
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : bytes)
        crc = table[(crc ^ quint8(byte)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

// Stand-in until documents read their extension block themselves: the JSON
// after the record when the bytes there frame as the block ("O707EXT1", the
// length, the JSON, its CRC-32, and nothing after), else nothing.
QJsonObject extensionOf(const QByteArray &bytes)
{
    const QByteArray block = bytes.mid(TDaneSprawdzania::Size);
    constexpr qsizetype Framing = 8 + 4 + 4;
    if (!block.startsWith("O707EXT1") || block.size() < Framing)
        return {};
    const quint32 length = qFromLittleEndian<quint32>(block.constData() + 8);
    if (block.size() - Framing != qint64(length))
        return {};
    const QByteArray json = block.mid(12, length);
    if (crc32(json) != qFromLittleEndian<quint32>(block.constData() + 12 + length))
        return {};
    return QJsonDocument::fromJson(json).object();
}

// Stand-in until every point carries its decision under the document's
// rule: today's verdict, so every point is a pass or a fail.
VerificationSummary countDecisions(const TDaneSprawdzania &record)
{
    VerificationSummary summary;
    auto count = [](const auto &range, DecisionCounts &counts) {
        if (range.isEmpty() || !range.Zmierzony())
            return;
        for (int j = 1; j <= TDaneSprawdzania::Slots; ++j) {
            const auto point = range.Punkty(j);
            if (point.Wpisany() && point.Zmierzony())
                ++(ErrorMath::withinTolerance(range, point) ? counts.pass : counts.fail);
        }
    };
    for (int k = 1; k <= TDaneSprawdzania::Slots; ++k) {
        count(record.ZakresyAmpl(k), summary.amplitude);
        count(record.ZakresyCz(k), summary.frequency);
    }
    return summary;
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
    const TDaneSprawdzania record = DocumentFile::parse(contents.bytes, path);

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

    const QJsonObject extension = extensionOf(contents.bytes);
    const QJsonObject certificate = extension.value(QLatin1String("certificate")).toObject();
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
        extension.value(QLatin1String("standard")).toObject().value(QLatin1String("serial")));
    const QString rule = extension.value(QLatin1String("decision_rule")).toString();
    entry.decisionRule = rule == QLatin1String("guard_band") || rule == QLatin1String("four_zone")
                             ? rule
                             : QStringLiteral("simple");
    entry.summary = countDecisions(record);
    return entry;
}
