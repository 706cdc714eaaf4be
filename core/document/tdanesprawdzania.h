#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>

// The verification record: the byte image of a .cal document, 160804 bytes,
// little-endian, no padding. The record is held as those bytes, and the
// classes below are typed views named after its fields: numbers are read as
// long double and stored through Real48, short strings are read and written
// as QString through Windows-1250, and any bytes after the text of a short
// string are left as they were, so a document survives a round trip byte for
// byte.
//
// Arrays are indexed 1..35, as everywhere in the program:
//     record.ZakresyAmpl(k).setZak(1.5);
//     long double wm = record.ZakresyAmpl(k).Punkty(j).Wm();
// A view points into its record and stays valid as long as the record lives;
// copying a record copies its bytes, assigning one record to another keeps
// the views of the target valid.

namespace RecordLayout {
constexpr int RecordSize = 160804;
constexpr int Slots = 35;

constexpr int NazwaOffset = 0;
constexpr int NazwaLength = 30;
constexpr int NumerOffset = 31;
constexpr int NumerLength = 20;
constexpr int TypOffset = 52;
constexpr int TypLength = 30;
constexpr int WidokAmplOffset = 83;
constexpr int ZakresyAmplOffset = 84;
constexpr int ZakresyCzDNOffset = 50484;
constexpr int ZakresyCzDOOffset = 105644;

constexpr int ZakresAmplSize = 1440;
constexpr int ZakresAmplHeader = 40;
constexpr int PunktAmplSize = 40;
constexpr int ZakresCzSize = 1576;
constexpr int ZakresCzHeader = 36;
constexpr int PunktCzSize = 44;

constexpr int JmLength = 2;
constexpr int KmzDodLength = 7;
constexpr int JmBkLength = 5;

// Where slot `index` (1..35) of an array of `size`-byte slots begins, the
// array starting at `first`: ranges after the record's header, points after
// their range's. Any other index throws std::out_of_range.
int slotOffset(int first, int size, int index);

// The fields of each part, as offsets from the part's first byte.
struct PunktAmpl
{
    static constexpr int Wm = 0;
    static constexpr int Nk = 6;
    static constexpr int Bmr = 12;
    static constexpr int Bmd = 18;
    static constexpr int Bk = 24;
    static constexpr int JmBk = 30;
    static constexpr int Dokl = 36;
    static constexpr int Wl = 37;
    static constexpr int Wpisany = 38;
    static constexpr int Zmierzony = 39;
};

struct ZakresAmpl
{
    static constexpr int Zak = 0;
    static constexpr int Jm = 6;
    static constexpr int Cz = 9;
    static constexpr int CzHz = 13;
    static constexpr int Zmierzony = 19;
    static constexpr int Kmm = 20;
    static constexpr int Kmz = 26;
    static constexpr int KmzDod = 32;
};

struct PunktCz
{
    static constexpr int WmDN_NkDO = 0;
    static constexpr int Cz = 6;
    static constexpr int CzHz = 10;
    static constexpr int Bmr = 16;
    static constexpr int Bmd = 22;
    static constexpr int Bk = 28;
    static constexpr int JmBk = 34;
    static constexpr int Dokl = 40;
    static constexpr int Wl = 41;
    static constexpr int Wpisany = 42;
    static constexpr int Zmierzony = 43;
};

struct ZakresCz
{
    static constexpr int Zak = 0;
    static constexpr int Jm = 6;
    static constexpr int NkDN_WmDO = 9;
    static constexpr int Zmierzony = 15;
    static constexpr int Kmm = 16;
    static constexpr int Kmz = 22;
    static constexpr int KmzDod = 28;
};
} // namespace RecordLayout

// The frequency of an amplitude range, as its Cz holds it.
namespace RangeCz {
constexpr std::int32_t DC = 0;
constexpr std::int32_t Hz50 = 1;
constexpr std::int32_t Hz60 = 2;
constexpr std::int32_t Hz400 = 3;
// The user's own frequency, whose hertz CzHz holds.
constexpr std::int32_t User = 4;
// The hertz of DC and of the fixed frequencies, by their Cz.
constexpr std::array<long double, 4> Hertz{0, 50, 60, 400};
} // namespace RangeCz

// The frequency of a point of the frequency characteristic, as its Cz holds
// it: there is no DC, so the fixed frequencies count from 0.
namespace PointCz {
constexpr std::int32_t Hz50 = 0;
constexpr std::int32_t Hz60 = 1;
constexpr std::int32_t Hz400 = 2;
constexpr std::int32_t User = 3;
constexpr std::array<long double, 3> Hertz{50, 60, 400};
} // namespace PointCz

// One encoded value read or written where it lies in the record's bytes.
namespace RecordField {
long double real(const std::uint8_t *at);
void setReal(std::uint8_t *at, long double value);
// At most `capacity` characters, whatever the length byte claims.
QString shortString(const std::uint8_t *at, int capacity);
// Only the length byte and the text are written; what lies after the text
// stays as it was, as it always has in these files.
void setShortString(std::uint8_t *at, int capacity, const QString &text);
inline bool boolean(const std::uint8_t *at)
{
    return *at != 0;
}
inline void setBoolean(std::uint8_t *at, bool value)
{
    *at = value ? 1 : 0;
}
std::int32_t integer(const std::uint8_t *at);
void setInteger(std::uint8_t *at, std::int32_t value);
void zero(std::uint8_t *at, int size);
} // namespace RecordField

// Each part of the record has two views. The read-only one (ConstPunktAmpl)
// holds a pointer to const bytes and has the getters only; the writable one
// (TPunktAmpl) holds a pointer to the bytes and adds the setters. A writable
// view reads as a read-only one wherever one is asked for; nothing turns a
// read-only view into a writable one, and a const record or a const view
// hands out read-only views only. The fields are written once, over either
// pointer, and what both characteristics' points (or ranges) hold is written
// once for both, at the offsets `Field` gives; a setter exists only over
// writable bytes.

// What a point of either characteristic holds after its settings: its
// errors, the calibrator's unit and decimals, and its three flags.
template <typename Byte, typename Field, int PointSize> class PointFields
{
    static constexpr bool Writable = !std::is_const_v<Byte>;

public:
    static constexpr int Size = PointSize;

    const std::uint8_t *bytes() const { return m_data; }

    long double Bmr() const { return RecordField::real(m_data + Field::Bmr); }
    long double Bmd() const { return RecordField::real(m_data + Field::Bmd); }
    long double Bk() const { return RecordField::real(m_data + Field::Bk); }
    QString JmBk() const
    {
        return RecordField::shortString(m_data + Field::JmBk, RecordLayout::JmBkLength);
    }
    std::uint8_t Dokl() const { return m_data[Field::Dokl]; }
    bool Wl() const { return RecordField::boolean(m_data + Field::Wl); }
    bool Wpisany() const { return RecordField::boolean(m_data + Field::Wpisany); }
    bool Zmierzony() const { return RecordField::boolean(m_data + Field::Zmierzony); }

    void setBmr(long double value) requires Writable
    {
        RecordField::setReal(m_data + Field::Bmr, value);
    }
    void setBmd(long double value) requires Writable
    {
        RecordField::setReal(m_data + Field::Bmd, value);
    }
    void setBk(long double value) requires Writable
    {
        RecordField::setReal(m_data + Field::Bk, value);
    }
    void setJmBk(const QString &text) requires Writable
    {
        RecordField::setShortString(m_data + Field::JmBk, RecordLayout::JmBkLength, text);
    }
    void setDokl(std::uint8_t value) requires Writable { m_data[Field::Dokl] = value; }
    void setWl(bool value) requires Writable { RecordField::setBoolean(m_data + Field::Wl, value); }
    void setWpisany(bool value) requires Writable
    {
        RecordField::setBoolean(m_data + Field::Wpisany, value);
    }
    void setZmierzony(bool value) requires Writable
    {
        RecordField::setBoolean(m_data + Field::Zmierzony, value);
    }
    // Every byte of the point to 0.
    void clear() requires Writable { RecordField::zero(m_data, Size); }

protected:
    explicit PointFields(Byte *data) : m_data(data) {}

    Byte *m_data;
};

// One measurement point of the amplitude characteristic (40 bytes).
template <typename Byte>
class PunktAmplFields
    : public PointFields<Byte, RecordLayout::PunktAmpl, RecordLayout::PunktAmplSize>
{
    using Base = PointFields<Byte, RecordLayout::PunktAmpl, RecordLayout::PunktAmplSize>;

public:
    using Field = RecordLayout::PunktAmpl;

    long double Wm() const { return RecordField::real(m_data + Field::Wm); }
    long double Nk() const { return RecordField::real(m_data + Field::Nk); }

protected:
    using Base::Base;
    using Base::m_data;
};

class ConstPunktAmpl : public PunktAmplFields<const std::uint8_t>
{
public:
    explicit ConstPunktAmpl(const std::uint8_t *data) : PunktAmplFields(data) {}
};

class TPunktAmpl : public PunktAmplFields<std::uint8_t>
{
public:
    explicit TPunktAmpl(std::uint8_t *data) : PunktAmplFields(data) {}
    operator ConstPunktAmpl() const { return ConstPunktAmpl(m_data); }

    void setWm(long double value) { RecordField::setReal(m_data + Field::Wm, value); }
    void setNk(long double value) { RecordField::setReal(m_data + Field::Nk, value); }
};

// One point of the frequency characteristic (44 bytes).
template <typename Byte>
class PunktCzFields : public PointFields<Byte, RecordLayout::PunktCz, RecordLayout::PunktCzSize>
{
    using Base = PointFields<Byte, RecordLayout::PunktCz, RecordLayout::PunktCzSize>;

public:
    using Field = RecordLayout::PunktCz;

    // The meter's indication ("Cyfrowy") or the calibrator setting
    // ("Analogowy").
    long double WmDN_NkDO() const { return RecordField::real(m_data + Field::WmDN_NkDO); }
    // PointCz: a fixed frequency, or the user's own in CzHz.
    std::int32_t Cz() const { return RecordField::integer(m_data + Field::Cz); }
    long double CzHz() const { return RecordField::real(m_data + Field::CzHz); }

protected:
    using Base::Base;
    using Base::m_data;
};

class ConstPunktCz : public PunktCzFields<const std::uint8_t>
{
public:
    explicit ConstPunktCz(const std::uint8_t *data) : PunktCzFields(data) {}
};

class TPunktCz : public PunktCzFields<std::uint8_t>
{
public:
    explicit TPunktCz(std::uint8_t *data) : PunktCzFields(data) {}
    operator ConstPunktCz() const { return ConstPunktCz(m_data); }

    void setWmDN_NkDO(long double value) { RecordField::setReal(m_data + Field::WmDN_NkDO, value); }
    void setCz(std::int32_t value) { RecordField::setInteger(m_data + Field::Cz, value); }
    void setCzHz(long double value) { RecordField::setReal(m_data + Field::CzHz, value); }
};

// What a range slot of either characteristic holds besides its frequency or
// amplitude: its value and unit, whether it was measured, its class, and its
// 35 points after a header of `Header` bytes. Zak 0 means the slot is empty.
template <typename Byte, typename Field, int RangeSize, int Header, typename ConstPoint,
          typename Point>
class RangeFields
{
    static constexpr bool Writable = !std::is_const_v<Byte>;

public:
    static constexpr int Size = RangeSize;

    const std::uint8_t *bytes() const { return m_data; }

    long double Zak() const { return RecordField::real(m_data + Field::Zak); }
    QString Jm() const
    {
        return RecordField::shortString(m_data + Field::Jm, RecordLayout::JmLength);
    }
    bool Zmierzony() const { return RecordField::boolean(m_data + Field::Zmierzony); }
    long double Kmm() const { return RecordField::real(m_data + Field::Kmm); }
    long double Kmz() const { return RecordField::real(m_data + Field::Kmz); }
    QString KmzDod() const
    {
        return RecordField::shortString(m_data + Field::KmzDod, RecordLayout::KmzDodLength);
    }

    // j = 1..35.
    ConstPoint Punkty(int j) const { return ConstPoint(m_data + pointOffset(j)); }
    Point Punkty(int j) requires Writable { return Point(m_data + pointOffset(j)); }

    bool isEmpty() const { return Zak() == 0; }
    // Points whose Wpisany is set, among all 35 (a removed point may leave a
    // gap).
    int pointCount() const
    {
        int count = 0;
        for (int j = 1; j <= RecordLayout::Slots; ++j)
            count += Punkty(j).Wpisany() ? 1 : 0;
        return count;
    }

    void setZak(long double value) requires Writable
    {
        RecordField::setReal(m_data + Field::Zak, value);
    }
    void setJm(const QString &text) requires Writable
    {
        RecordField::setShortString(m_data + Field::Jm, RecordLayout::JmLength, text);
    }
    void setZmierzony(bool value) requires Writable
    {
        RecordField::setBoolean(m_data + Field::Zmierzony, value);
    }
    void setKmm(long double value) requires Writable
    {
        RecordField::setReal(m_data + Field::Kmm, value);
    }
    void setKmz(long double value) requires Writable
    {
        RecordField::setReal(m_data + Field::Kmz, value);
    }
    void setKmzDod(const QString &text) requires Writable
    {
        RecordField::setShortString(m_data + Field::KmzDod, RecordLayout::KmzDodLength, text);
    }
    // Every byte of the slot, points included, to 0.
    void clear() requires Writable { RecordField::zero(m_data, Size); }

protected:
    explicit RangeFields(Byte *data) : m_data(data) {}

    static int pointOffset(int j) { return RecordLayout::slotOffset(Header, ConstPoint::Size, j); }

    Byte *m_data;
};

// One range slot of the amplitude characteristic (1440 bytes): a 40-byte
// header and 35 points.
template <typename Byte>
using ZakresAmplRange = RangeFields<Byte, RecordLayout::ZakresAmpl, RecordLayout::ZakresAmplSize,
                                    RecordLayout::ZakresAmplHeader, ConstPunktAmpl, TPunktAmpl>;

template <typename Byte> class ZakresAmplFields : public ZakresAmplRange<Byte>
{
public:
    using Field = RecordLayout::ZakresAmpl;

    // RangeCz: DC, a fixed frequency, or the user's own in CzHz.
    std::int32_t Cz() const { return RecordField::integer(m_data + Field::Cz); }
    long double CzHz() const { return RecordField::real(m_data + Field::CzHz); }

protected:
    using ZakresAmplRange<Byte>::ZakresAmplRange;
    using ZakresAmplRange<Byte>::m_data;
};

class ConstZakresAmpl : public ZakresAmplFields<const std::uint8_t>
{
public:
    explicit ConstZakresAmpl(const std::uint8_t *data) : ZakresAmplFields(data) {}
};

class TZakresAmpl : public ZakresAmplFields<std::uint8_t>
{
public:
    explicit TZakresAmpl(std::uint8_t *data) : ZakresAmplFields(data) {}
    operator ConstZakresAmpl() const { return ConstZakresAmpl(m_data); }

    void setCz(std::int32_t value) { RecordField::setInteger(m_data + Field::Cz, value); }
    void setCzHz(long double value) { RecordField::setReal(m_data + Field::CzHz, value); }
};

// One range slot of the frequency characteristic (1576 bytes): a 36-byte
// header and 35 points.
template <typename Byte>
using ZakresCzRange = RangeFields<Byte, RecordLayout::ZakresCz, RecordLayout::ZakresCzSize,
                                  RecordLayout::ZakresCzHeader, ConstPunktCz, TPunktCz>;

template <typename Byte> class ZakresCzFields : public ZakresCzRange<Byte>
{
public:
    using Field = RecordLayout::ZakresCz;

    // The one amplitude of the range: the calibrator setting ("Cyfrowy") or
    // the meter's indication ("Analogowy").
    long double NkDN_WmDO() const { return RecordField::real(m_data + Field::NkDN_WmDO); }

protected:
    using ZakresCzRange<Byte>::ZakresCzRange;
    using ZakresCzRange<Byte>::m_data;
};

class ConstZakresCz : public ZakresCzFields<const std::uint8_t>
{
public:
    explicit ConstZakresCz(const std::uint8_t *data) : ZakresCzFields(data) {}
};

class TZakresCz : public ZakresCzFields<std::uint8_t>
{
public:
    explicit TZakresCz(std::uint8_t *data) : ZakresCzFields(data) {}
    operator ConstZakresCz() const { return ConstZakresCz(m_data); }

    void setNkDN_WmDO(long double value) { RecordField::setReal(m_data + Field::NkDN_WmDO, value); }
};

class TDaneSprawdzania
{
public:
    static constexpr int Size = RecordLayout::RecordSize;
    static constexpr int Slots = RecordLayout::Slots;

    // A new record: every byte 0.
    TDaneSprawdzania();
    TDaneSprawdzania(const TDaneSprawdzania &other);
    // Takes the other's bytes; the moved-from record may only be destroyed
    // or assigned to.
    TDaneSprawdzania(TDaneSprawdzania &&other) noexcept = default;
    // Assignment copies into this record's own bytes, moving or not, so
    // that views of it stay valid.
    TDaneSprawdzania &operator=(const TDaneSprawdzania &other);
    ~TDaneSprawdzania();

    // Exactly Size bytes; anything else throws std::invalid_argument.
    static TDaneSprawdzania fromBytes(const QByteArray &bytes);
    QByteArray toBytes() const;
    const std::uint8_t *bytes() const { return m_bytes->data(); }
    std::uint8_t *bytes() { return m_bytes->data(); }

    // Every byte to 0: a new, empty document.
    void clear();

    QString Nazwa() const;
    void setNazwa(const QString &text);
    QString Numer() const;
    void setNumer(const QString &text);
    // "Analogowy" or "Cyfrowy"; it decides the method of the whole document.
    QString Typ() const;
    void setTyp(const QString &text);
    bool isAnalogowy() const { return Typ() == QLatin1String("Analogowy"); }
    bool isCyfrowy() const { return Typ() == QLatin1String("Cyfrowy"); }
    // Whether Typ names a method; a document without one has no frequency
    // table, and the outputs show nothing of it.
    bool hasMethod() const { return isAnalogowy() || isCyfrowy(); }
    // The kinds a document can be of: "Analogowy", "Cyfrowy", or none yet.
    static bool isKnownTyp(const QString &typ)
    {
        return typ.isEmpty() || typ == QLatin1String("Analogowy") ||
               typ == QLatin1String("Cyfrowy");
    }
    // Whether the document opens on the amplitude characteristic.
    bool WidokAmpl() const;
    void setWidokAmpl(bool value);

    // k = 1..35; any other index throws std::out_of_range.
    TZakresAmpl ZakresyAmpl(int k);
    ConstZakresAmpl ZakresyAmpl(int k) const;
    TZakresCz ZakresyCzDN(int k);
    ConstZakresCz ZakresyCzDN(int k) const;
    TZakresCz ZakresyCzDO(int k);
    ConstZakresCz ZakresyCzDO(int k) const;
    // The frequency array the document's Typ uses: ZakresyCzDO for
    // "Analogowy", ZakresyCzDN otherwise.
    TZakresCz ZakresyCz(int k) { return isAnalogowy() ? ZakresyCzDO(k) : ZakresyCzDN(k); }
    ConstZakresCz ZakresyCz(int k) const { return isAnalogowy() ? ZakresyCzDO(k) : ZakresyCzDN(k); }

    // Range counts: slots among the 35 whose Zak is not 0.
    int amplRangeCount() const;
    int czDNRangeCount() const;
    int czDORangeCount() const;

    bool operator==(const TDaneSprawdzania &other) const;

    // A short string whose length byte claims more characters than its field
    // holds. The program never writes one; only a damaged file has it.
    struct OverlongString
    {
        QString field; // its path, such as "ZakresyCzDO[3].Punkty[7].JmBk"
        int length;
        int capacity;
    };
    // The first such string in file order, if there is one.
    std::optional<OverlongString> firstOverlongString() const;

private:
    using Storage = std::array<std::uint8_t, RecordLayout::RecordSize>;
    std::unique_ptr<Storage> m_bytes;
};

// A read-only view never becomes a writable one, and a const record or view
// hands out read-only views only.
static_assert(!std::is_constructible_v<TPunktAmpl, ConstPunktAmpl>);
static_assert(!std::is_constructible_v<TZakresAmpl, ConstZakresAmpl>);
static_assert(!std::is_constructible_v<TPunktCz, ConstPunktCz>);
static_assert(!std::is_constructible_v<TZakresCz, ConstZakresCz>);
static_assert(std::is_convertible_v<TZakresAmpl, ConstZakresAmpl>);
static_assert(std::is_same_v<decltype(std::declval<const TDaneSprawdzania &>().ZakresyAmpl(1)),
                             ConstZakresAmpl>);
static_assert(
    std::is_same_v<decltype(std::declval<const TDaneSprawdzania &>().ZakresyCz(1)), ConstZakresCz>);
static_assert(
    std::is_same_v<decltype(std::declval<const TZakresAmpl &>().Punkty(1)), ConstPunktAmpl>);
static_assert(std::is_same_v<decltype(std::declval<const TZakresCz &>().Punkty(1)), ConstPunktCz>);
// The setters the views share exist over writable bytes only.
namespace RecordViewChecks {
template <typename Point>
concept SetsErrors = requires(Point point)
{
    point.setBmr(0);
};
template <typename Range>
concept SetsClass = requires(Range range)
{
    range.setKmm(0);
};
} // namespace RecordViewChecks
static_assert(RecordViewChecks::SetsErrors<TPunktCz> &&
              !RecordViewChecks::SetsErrors<ConstPunktCz>);
static_assert(RecordViewChecks::SetsClass<TZakresAmpl> &&
              !RecordViewChecks::SetsClass<ConstZakresAmpl>);
static_assert(
    std::is_same_v<decltype(std::declval<ConstZakresAmpl &>().Punkty(1)), ConstPunktAmpl>);
static_assert(std::is_same_v<decltype(std::declval<TZakresCz &>().Punkty(1)), TPunktCz>);
