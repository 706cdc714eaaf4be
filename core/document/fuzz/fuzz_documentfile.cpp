// Feeds arbitrary bytes to the document reader as the contents of a .cal
// file, both ways the programs take them: from memory and from a file. Every
// input must end in a document or an input/output error, the same either
// way. An accepted record is read through every typed field, so damaged
// length bytes and numbers are exercised too, and is then saved and read
// back, byte for byte.

#include "core/base/errors.h"
#include "core/document/documentfile.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <optional>

namespace {

qsizetype walk(const TDaneSprawdzania &record)
{
    qsizetype seen = record.Nazwa().size() + record.Numer().size() + record.Typ().size();
    long double sum = 0;
    for (int k = 1; k <= TDaneSprawdzania::Slots; ++k) {
        const ConstZakresAmpl a = record.ZakresyAmpl(k);
        seen += a.Jm().size() + a.KmzDod().size();
        sum += a.Zak() + a.CzHz() + a.Kmm() + a.Kmz();
        for (int j = 1; j <= TDaneSprawdzania::Slots; ++j) {
            const ConstPunktAmpl p = a.Punkty(j);
            seen += p.JmBk().size();
            sum += p.Wm() + p.Nk() + p.Bmr() + p.Bmd() + p.Bk();
        }
        for (const ConstZakresCz c : {record.ZakresyCzDN(k), record.ZakresyCzDO(k)}) {
            seen += c.Jm().size() + c.KmzDod().size() + c.pointCount();
            sum += c.NkDN_WmDO();
            for (int j = 1; j <= TDaneSprawdzania::Slots; ++j)
                seen += c.Punkty(j).JmBk().size();
        }
    }
    return seen + (sum != 0 ? 1 : 0);
}

void check(bool holds)
{
    if (!holds)
        __builtin_trap();
}

// The files of this process, written over by every input. Saving syncs the
// file, so a TMPDIR in memory (/dev/shm) keeps the runs fast.
const QTemporaryDir &folder()
{
    static const QTemporaryDir dir;
    return dir;
}

template <typename Load> std::optional<TDaneSprawdzania> loaded(Load load)
{
    try {
        return load();
    } catch (const EInOutError &) {
        return std::nullopt;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray contents(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString input = folder().filePath(QStringLiteral("input.cal"));
    QFile file(input);
    check(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
          file.write(contents) == contents.size());
    file.close();

    const std::optional<TDaneSprawdzania> parsed =
        loaded([&] { return DocumentFile::parse(contents, QStringLiteral("fuzz.cal")); });
    const std::optional<TDaneSprawdzania> read = loaded([&] { return DocumentFile::read(input); });
    check(parsed.has_value() == read.has_value());
    if (!read)
        return 0;
    const TDaneSprawdzania &record = *read;
    check(record == *parsed);
    check(walk(record) >= 0);
    // A legacy record never fills the frequency arrays.
    check(contents.size() >= TDaneSprawdzania::Size ||
          record.czDNRangeCount() + record.czDORangeCount() == 0);
    // What is accepted is a document: a size of one of the layouts, every
    // length within its field, a known Typ.
    check(contents.size() <= DocumentFile::LegacySize || contents.size() >= TDaneSprawdzania::Size);
    check(!record.firstOverlongString() && TDaneSprawdzania::isKnownTyp(record.Typ()));

    // Saved, it is a current document that reads back as it was.
    const QString saved = folder().filePath(QStringLiteral("saved.cal"));
    DocumentFile::write(record, saved);
    check(QFileInfo(saved).size() == TDaneSprawdzania::Size);
    check(DocumentFile::read(saved) == record);
    return 0;
}
