// Feeds arbitrary bytes to the document reader as the contents of a .cal
// file. Every input must end in a document or an input/output error. The
// record is then read through every typed field, so damaged length bytes and
// numbers are exercised too.

#include "core/base/errors.h"
#include "core/document/documentfile.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray contents(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        const TDaneSprawdzania record = DocumentFile::parse(contents, QStringLiteral("fuzz.cal"));
        if (walk(record) < 0)
            __builtin_trap();
        // A legacy record never fills the frequency arrays.
        if (contents.size() < TDaneSprawdzania::Size &&
            record.czDNRangeCount() + record.czDORangeCount() != 0)
            __builtin_trap();
        // What is accepted is a document: a size of one of the layouts,
        // every length within its field, a known Typ.
        if (contents.size() > DocumentFile::LegacySize && contents.size() < TDaneSprawdzania::Size)
            __builtin_trap();
        if (record.firstOverlongString() || !TDaneSprawdzania::isKnownTyp(record.Typ()))
            __builtin_trap();
    } catch (const EInOutError &) {
    }
    return 0;
}
