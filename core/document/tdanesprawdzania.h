#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

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
} // namespace RecordLayout

// What the typed views share: reading and writing one encoded value at an
// offset of the bytes they look at.
class RecordView
{
public:
    const std::uint8_t *bytes() const { return m_data; }

protected:
    explicit RecordView(std::uint8_t *data) : m_data(data) {}

    long double real(int offset) const;
    void setReal(int offset, long double value);
    QString shortString(int offset, int capacity) const;
    void setShortString(int offset, int capacity, const QString &text);
    bool boolean(int offset) const { return m_data[offset] != 0; }
    void setBoolean(int offset, bool value) { m_data[offset] = value ? 1 : 0; }
    std::int32_t integer(int offset) const;
    void setInteger(int offset, std::int32_t value);
    void zero(int size);

    std::uint8_t *m_data;
};

// One measurement point of the amplitude characteristic (40 bytes).
class TPunktAmpl : public RecordView
{
public:
    static constexpr int Size = RecordLayout::PunktAmplSize;
    static constexpr int JmBkOffset = 30;
    explicit TPunktAmpl(std::uint8_t *data) : RecordView(data) {}

    long double Wm() const { return real(0); }
    void setWm(long double value) { setReal(0, value); }
    long double Nk() const { return real(6); }
    void setNk(long double value) { setReal(6, value); }
    long double Bmr() const { return real(12); }
    void setBmr(long double value) { setReal(12, value); }
    long double Bmd() const { return real(18); }
    void setBmd(long double value) { setReal(18, value); }
    long double Bk() const { return real(24); }
    void setBk(long double value) { setReal(24, value); }
    QString JmBk() const { return shortString(JmBkOffset, RecordLayout::JmBkLength); }
    void setJmBk(const QString &text)
    {
        setShortString(JmBkOffset, RecordLayout::JmBkLength, text);
    }
    std::uint8_t Dokl() const { return m_data[36]; }
    void setDokl(std::uint8_t value) { m_data[36] = value; }
    bool Wl() const { return boolean(37); }
    void setWl(bool value) { setBoolean(37, value); }
    bool Wpisany() const { return boolean(38); }
    void setWpisany(bool value) { setBoolean(38, value); }
    bool Zmierzony() const { return boolean(39); }
    void setZmierzony(bool value) { setBoolean(39, value); }

    // Every byte of the point to 0.
    void clear() { zero(Size); }
};

// One range slot of the amplitude characteristic (1440 bytes): a 40-byte
// header and 35 points. Zak 0 means the slot is empty.
class TZakresAmpl : public RecordView
{
public:
    static constexpr int Size = RecordLayout::ZakresAmplSize;
    static constexpr int JmOffset = 6;
    static constexpr int KmzDodOffset = 32;
    explicit TZakresAmpl(std::uint8_t *data) : RecordView(data) {}

    long double Zak() const { return real(0); }
    void setZak(long double value) { setReal(0, value); }
    QString Jm() const { return shortString(JmOffset, RecordLayout::JmLength); }
    void setJm(const QString &text) { setShortString(JmOffset, RecordLayout::JmLength, text); }
    // 0 DC, 1 50 Hz, 2 60 Hz, 3 400 Hz, 4 the frequency in CzHz.
    std::int32_t Cz() const { return integer(9); }
    void setCz(std::int32_t value) { setInteger(9, value); }
    long double CzHz() const { return real(13); }
    void setCzHz(long double value) { setReal(13, value); }
    bool Zmierzony() const { return boolean(19); }
    void setZmierzony(bool value) { setBoolean(19, value); }
    long double Kmm() const { return real(20); }
    void setKmm(long double value) { setReal(20, value); }
    long double Kmz() const { return real(26); }
    void setKmz(long double value) { setReal(26, value); }
    QString KmzDod() const { return shortString(KmzDodOffset, RecordLayout::KmzDodLength); }
    void setKmzDod(const QString &text)
    {
        setShortString(KmzDodOffset, RecordLayout::KmzDodLength, text);
    }

    // j = 1..35.
    TPunktAmpl Punkty(int j);
    const TPunktAmpl Punkty(int j) const;
    TPunktAmpl point(int j) { return Punkty(j); }
    const TPunktAmpl point(int j) const { return Punkty(j); }

    bool isEmpty() const { return Zak() == 0; }
    // Points whose Wpisany is set, among all 35 (a removed point may leave a
    // gap).
    int pointCount() const;
    // Every byte of the slot, points included, to 0.
    void clear() { zero(Size); }
};

// One point of the frequency characteristic (44 bytes).
class TPunktCz : public RecordView
{
public:
    static constexpr int Size = RecordLayout::PunktCzSize;
    static constexpr int JmBkOffset = 34;
    explicit TPunktCz(std::uint8_t *data) : RecordView(data) {}

    // The meter's indication ("Cyfrowy") or the calibrator setting
    // ("Analogowy").
    long double WmDN_NkDO() const { return real(0); }
    void setWmDN_NkDO(long double value) { setReal(0, value); }
    // 0 50 Hz, 1 60 Hz, 2 400 Hz, 3 the frequency in CzHz.
    std::int32_t Cz() const { return integer(6); }
    void setCz(std::int32_t value) { setInteger(6, value); }
    long double CzHz() const { return real(10); }
    void setCzHz(long double value) { setReal(10, value); }
    long double Bmr() const { return real(16); }
    void setBmr(long double value) { setReal(16, value); }
    long double Bmd() const { return real(22); }
    void setBmd(long double value) { setReal(22, value); }
    long double Bk() const { return real(28); }
    void setBk(long double value) { setReal(28, value); }
    QString JmBk() const { return shortString(JmBkOffset, RecordLayout::JmBkLength); }
    void setJmBk(const QString &text)
    {
        setShortString(JmBkOffset, RecordLayout::JmBkLength, text);
    }
    std::uint8_t Dokl() const { return m_data[40]; }
    void setDokl(std::uint8_t value) { m_data[40] = value; }
    bool Wl() const { return boolean(41); }
    void setWl(bool value) { setBoolean(41, value); }
    bool Wpisany() const { return boolean(42); }
    void setWpisany(bool value) { setBoolean(42, value); }
    bool Zmierzony() const { return boolean(43); }
    void setZmierzony(bool value) { setBoolean(43, value); }

    void clear() { zero(Size); }
};

// One range slot of the frequency characteristic (1576 bytes): a 36-byte
// header and 35 points.
class TZakresCz : public RecordView
{
public:
    static constexpr int Size = RecordLayout::ZakresCzSize;
    static constexpr int JmOffset = 6;
    static constexpr int KmzDodOffset = 28;
    explicit TZakresCz(std::uint8_t *data) : RecordView(data) {}

    long double Zak() const { return real(0); }
    void setZak(long double value) { setReal(0, value); }
    QString Jm() const { return shortString(JmOffset, RecordLayout::JmLength); }
    void setJm(const QString &text) { setShortString(JmOffset, RecordLayout::JmLength, text); }
    // The one amplitude of the range: the calibrator setting ("Cyfrowy") or
    // the meter's indication ("Analogowy").
    long double NkDN_WmDO() const { return real(9); }
    void setNkDN_WmDO(long double value) { setReal(9, value); }
    bool Zmierzony() const { return boolean(15); }
    void setZmierzony(bool value) { setBoolean(15, value); }
    long double Kmm() const { return real(16); }
    void setKmm(long double value) { setReal(16, value); }
    long double Kmz() const { return real(22); }
    void setKmz(long double value) { setReal(22, value); }
    QString KmzDod() const { return shortString(KmzDodOffset, RecordLayout::KmzDodLength); }
    void setKmzDod(const QString &text)
    {
        setShortString(KmzDodOffset, RecordLayout::KmzDodLength, text);
    }

    // j = 1..35.
    TPunktCz Punkty(int j);
    const TPunktCz Punkty(int j) const;
    TPunktCz point(int j) { return Punkty(j); }
    const TPunktCz point(int j) const { return Punkty(j); }

    bool isEmpty() const { return Zak() == 0; }
    int pointCount() const;
    void clear() { zero(Size); }
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
    const TZakresAmpl ZakresyAmpl(int k) const;
    TZakresCz ZakresyCzDN(int k);
    const TZakresCz ZakresyCzDN(int k) const;
    TZakresCz ZakresyCzDO(int k);
    const TZakresCz ZakresyCzDO(int k) const;
    // The frequency array the document's Typ uses: ZakresyCzDO for
    // "Analogowy", ZakresyCzDN otherwise.
    TZakresCz ZakresyCz(int k) { return isAnalogowy() ? ZakresyCzDO(k) : ZakresyCzDN(k); }
    const TZakresCz ZakresyCz(int k) const
    {
        return isAnalogowy() ? ZakresyCzDO(k) : ZakresyCzDN(k);
    }

    TZakresAmpl amplRange(int k) { return ZakresyAmpl(k); }
    const TZakresAmpl amplRange(int k) const { return ZakresyAmpl(k); }

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
