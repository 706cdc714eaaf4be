#include "core/document/documentfile.h"

#include "core/base/errors.h"
#include "core/base/filenode.h"
#include "core/document/outputfile.h"
#include "core/document/real48.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace DocumentFile {

namespace {

using namespace RecordLayout;
using FileNode::notARegularFile;
using FileNode::systemError;

QString shown(const QString &fileName)
{
    return QDir::toNativeSeparators(fileName);
}

[[noreturn]] void throwTooShort(const QString &fileName)
{
    throw EInOutError(QStringLiteral("Odczyt poza końcem pliku %1: plik jest krótszy niż dokument.")
                          .arg(shown(fileName)));
}

[[noreturn]] void throwNotADocument(const QString &fileName, const QString &reason)
{
    throw EInOutError(QStringLiteral("Plik nie jest dokumentem sprawdzania miernika."),
                      fileName.isEmpty() ? reason
                                         : QStringLiteral("%1: %2").arg(shown(fileName), reason));
}

// The checks every document passes, whatever its layout: no short string
// claims more than its field holds, and Typ names a method or nothing yet.
void checkDocument(const TDaneSprawdzania &record, const QString &fileName)
{
    if (const auto overlong = record.firstOverlongString())
        throwNotADocument(fileName, QStringLiteral("pole %1 ma długość %2, a mieści %3 znaków")
                                        .arg(overlong->field)
                                        .arg(overlong->length)
                                        .arg(overlong->capacity));
    if (!TDaneSprawdzania::isKnownTyp(record.Typ()))
        throwNotADocument(fileName,
                          QStringLiteral("pole Typ zawiera „%1”, a nie „Analogowy” ani „Cyfrowy”")
                              .arg(record.Typ()));
}

// Owns an open descriptor.
struct Descriptor
{
    explicit Descriptor(int descriptor) : fd(descriptor) {}
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
    int fd;
};

// A range slot of the older layout, as offsets from its first byte. Its ten
// points have the current point layout, field for field.
namespace LegacySlot {
constexpr int Zak = 0;
// A string[5], of which the current string[2] takes what fits.
constexpr int Jm = 6;
constexpr int JmLength = 5;
constexpr int Cz = 12;
constexpr int Zmierzony = 16;
// The two class parts stand the other way round from the current layout.
constexpr int Kmz = 18;
constexpr int Kmm = 24;
constexpr int Points = 30;
constexpr int PointCount = 10;
} // namespace LegacySlot

// What a legacy point's JmBk keeps of its text.
constexpr int LegacyJmBkKept = 4;

// Every read of the older layout goes through here, so that a truncated file
// is an error and never a read outside it.
class LegacyImage
{
public:
    LegacyImage(const QByteArray &contents, const QString &fileName)
        : m_contents(contents), m_fileName(fileName)
    {}

    const std::uint8_t *at(int offset, int size) const
    {
        if (offset < 0 || size < 0 || offset + size > m_contents.size())
            throwTooShort(m_fileName);
        return reinterpret_cast<const std::uint8_t *>(m_contents.constData()) + offset;
    }
    std::uint8_t byte(int offset) const { return *at(offset, 1); }
    long double real(int offset) const { return Real48::toLongDouble(at(offset, Real48::Size)); }
    std::int32_t integer(int offset) const { return RecordField::integer(at(offset, 4)); }

    // Copies a short string of the given capacity as a text assignment does:
    // the length (cut to what the target holds) and that many characters. A
    // length beyond the source field is damage, not a longer text.
    void copyString(int offset, int sourceCapacity, std::uint8_t *target, int targetCapacity,
                    const QString &field) const
    {
        if (byte(offset) > sourceCapacity)
            throwNotADocument(m_fileName,
                              QStringLiteral("pole %1 ma długość %2, a mieści %3 znaków")
                                  .arg(field)
                                  .arg(byte(offset))
                                  .arg(sourceCapacity));
        const int length = std::min({int(byte(offset)), sourceCapacity, targetCapacity});
        const std::uint8_t *text = at(offset + 1, length);
        target[0] = static_cast<std::uint8_t>(length);
        std::memcpy(target + 1, text, length);
    }

private:
    const QByteArray &m_contents;
    const QString &m_fileName;
};

int legacySlot(int k)
{
    return ZakresyAmplOffset + (k - 1) * LegacySlotSize;
}

// The hertz of a fixed frequency; the user's own, and anything else, has
// none in the older layout.
long double legacyFrequency(std::int32_t cz)
{
    return cz >= RangeCz::DC && cz <= RangeCz::Hz400 ? RangeCz::Hertz[cz] : 0;
}

} // namespace

TDaneSprawdzania convertLegacy(const QByteArray &contents, const QString &fileName)
{
    // Longer than the older layout and shorter than the current one: a
    // document cut short or something else, never an older document.
    if (contents.size() > LegacySize)
        throwNotADocument(fileName, QStringLiteral("rozmiar %1 B nie jest rozmiarem dokumentu "
                                                   "(%2 B) ani dokumentu starszego układu "
                                                   "(najwyżej %3 B)")
                                        .arg(contents.size())
                                        .arg(RecordSize)
                                        .arg(LegacySize));
    const LegacyImage legacy(contents, fileName);
    TDaneSprawdzania record;
    std::uint8_t *data = record.bytes();

    int ranges = 0;
    for (int k = 1; k <= LegacySlots; ++k)
        ranges += legacy.real(legacySlot(k) + LegacySlot::Zak) != 0 ? 1 : 0;

    legacy.copyString(NazwaOffset, NazwaLength, data + NazwaOffset, NazwaLength,
                      QStringLiteral("Nazwa"));
    legacy.copyString(NumerOffset, NumerLength, data + NumerOffset, NumerLength,
                      QStringLiteral("Numer"));
    legacy.copyString(TypOffset, TypLength, data + TypOffset, TypLength, QStringLiteral("Typ"));
    record.setWidokAmpl(true);

    for (int k = 1; k <= ranges; ++k) {
        const int slot = legacySlot(k);
        TZakresAmpl range = record.ZakresyAmpl(k);
        std::uint8_t *header = data + (range.bytes() - record.bytes());
        range.setZak(legacy.real(slot + LegacySlot::Zak));
        legacy.copyString(slot + LegacySlot::Jm, LegacySlot::JmLength, header + ZakresAmpl::Jm,
                          JmLength, QStringLiteral("zakres %1: jednostka").arg(k));
        range.setCz(legacy.integer(slot + LegacySlot::Cz));
        range.setCzHz(legacyFrequency(range.Cz()));
        header[ZakresAmpl::Zmierzony] = legacy.byte(slot + LegacySlot::Zmierzony);
        range.setKmz(legacy.real(slot + LegacySlot::Kmz));
        range.setKmm(legacy.real(slot + LegacySlot::Kmm));
        range.setKmzDod(QStringLiteral("0"));

        const auto source = [slot](int j) {
            return slot + LegacySlot::Points + (j - 1) * PunktAmplSize;
        };
        int points = 0;
        for (int j = 1; j <= LegacySlot::PointCount; ++j)
            points += legacy.byte(source(j) + PunktAmpl::Wpisany) == 1;
        for (int j = 1; j <= points; ++j) {
            TPunktAmpl point = range.Punkty(j);
            std::uint8_t *target = data + (point.bytes() - record.bytes());
            point.setWm(legacy.real(source(j) + PunktAmpl::Wm));
            point.setNk(legacy.real(source(j) + PunktAmpl::Nk));
            point.setBmr(legacy.real(source(j) + PunktAmpl::Bmr));
            point.setBmd(legacy.real(source(j) + PunktAmpl::Bmd));
            point.setBk(legacy.real(source(j) + PunktAmpl::Bk));
            legacy.copyString(source(j) + PunktAmpl::JmBk, JmBkLength, target + PunktAmpl::JmBk,
                              LegacyJmBkKept,
                              QStringLiteral("zakres %1, punkt %2: JmBk").arg(k).arg(j));
            // Dokl, Wl, Wpisany and Zmierzony, byte for byte.
            constexpr int flags = PunktAmpl::Zmierzony + 1 - PunktAmpl::Dokl;
            std::memcpy(target + PunktAmpl::Dokl, legacy.at(source(j) + PunktAmpl::Dokl, flags),
                        flags);
        }
    }
    checkDocument(record, fileName);
    return record;
}

TDaneSprawdzania parse(const QByteArray &contents, const QString &fileName)
{
    return parseStored(contents.left(RecordSize), fileName).record;
}

StoredDocument parseStored(const QByteArray &contents, const QString &fileName)
{
    if (contents.size() < RecordSize)
        return {convertLegacy(contents, fileName), {}, false};
    StoredDocument document{TDaneSprawdzania::fromBytes(contents.left(RecordSize)), {}, false};
    checkDocument(document.record, fileName);
    const ExtensionReading extension = DocumentExtension::read(contents.mid(RecordSize));
    document.extension = extension.extension;
    document.extensionDamaged = extension.damaged;
    return document;
}

TDaneSprawdzania read(const QString &fileName)
{
    return load(fileName).record;
}

StoredDocument load(const QString &fileName)
{
    const QString openFailed = QStringLiteral("Nie można otworzyć pliku %1.").arg(shown(fileName));
    const QByteArray path = QFile::encodeName(fileName);
    // Looked at before opening: opening a FIFO waits for a writer.
    struct stat node = {};
    if (::stat(path.constData(), &node) != 0)
        throw EInOutError(openFailed, systemError(errno));
    if (!S_ISREG(node.st_mode))
        throw EInOutError(openFailed, notARegularFile(node.st_mode));
    // Without blocking all the same, in case the node was swapped since.
    const Descriptor file(::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.fd < 0)
        throw EInOutError(openFailed, systemError(errno));
    if (::fstat(file.fd, &node) != 0)
        throw EInOutError(openFailed, systemError(errno));
    if (!S_ISREG(node.st_mode))
        throw EInOutError(openFailed, notARegularFile(node.st_mode));

    // Fills the buffer as far as the file goes; how far that was.
    auto readInto = [&](char *target, qint64 size) {
        qint64 got = 0;
        while (got < size) {
            const ssize_t n = ::read(file.fd, target + got, size_t(size - got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                const int error = errno;
                throw EInOutError(QStringLiteral("Błąd odczytu pliku %1.").arg(shown(fileName)),
                                  systemError(error));
            }
            if (n == 0)
                break;
            got += n;
        }
        return got;
    };

    // One record's worth, straight into the record.
    StoredDocument document;
    char *target = reinterpret_cast<char *>(document.record.bytes());
    const qint64 got = readInto(target, RecordSize);
    if (got < RecordSize)
        return {convertLegacy(QByteArray(target, got), fileName), {}, false};
    checkDocument(document.record, fileName);

    // Then a block, if what follows starts like one; anything else after
    // the record is ignored unread. One byte beyond the limit tells a block
    // too long to be one.
    QByteArray after(DocumentExtension::Magic.size(), Qt::Uninitialized);
    after.truncate(readInto(after.data(), after.size()));
    if (after == DocumentExtension::Magic) {
        const qsizetype start = after.size();
        after.resize(DocumentExtension::SizeLimit + 1);
        after.truncate(start + readInto(after.data() + start, after.size() - start));
        const ExtensionReading extension = DocumentExtension::read(after);
        document.extension = extension.extension;
        document.extensionDamaged = extension.damaged;
    }
    return document;
}

void write(const TDaneSprawdzania &record, const DocumentExtension &extension,
           const QString &fileName)
{
    const QByteArray image =
        QByteArray::fromRawData(reinterpret_cast<const char *>(record.bytes()), RecordSize);
    const QByteArray block = extension.block();
    OutputFile::replace(fileName, block.isEmpty() ? image : image + block);
}

void write(const TDaneSprawdzania &record, const QString &fileName)
{
    write(record, DocumentExtension(), fileName);
}

void ignoreFileSizeSignal()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace DocumentFile
