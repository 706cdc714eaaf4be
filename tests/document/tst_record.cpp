#include "core/base/errors.h"
#include "core/document/cp1250.h"
#include "core/document/real48.h"
#include "core/document/tdanesprawdzania.h"
#include "tests/support/core/testmain.h"

#include <QRandomGenerator>

#include <cmath>
#include <functional>

Q_DECLARE_METATYPE(Real48::Bytes)

static Real48::Bytes bytes(std::initializer_list<int> values)
{
    Real48::Bytes result{};
    int i = 0;
    for (int value : values)
        result[i++] = static_cast<std::uint8_t>(value);
    return result;
}

class RecordTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void real48Values_data();
    void real48Values();
    void real48RoundsHalfAwayFromZero_data();
    void real48RoundsHalfAwayFromZero();
    void real48UnderflowIsZero();
    void real48OverflowIsAnError_data();
    void real48OverflowIsAnError();
    void zeroExponentReadsAsZero();
    void everyStoredValueComesBackExactly();

    void fieldsSitAtTheirOffsets();
    void lastByteBelongsToTheLastPoint();
    void shortStringsUseWindows1250();
    void shortStringsKeepTheBytesAfterTheirText();
    void overlongLengthBytesAreCut();
    void textsAreCutToTheirCapacity();
    void indexOutsideTheArraysIsRefused();
    void countsComeFromTheContent();
    void assigningKeepsViewsValid();
};

void RecordTest::real48Values_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<Real48::Bytes>("stored");
    QTest::newRow("0") << 0.0 << bytes({0, 0, 0, 0, 0, 0});
    QTest::newRow("1") << 1.0 << bytes({0x81, 0, 0, 0, 0, 0});
    QTest::newRow("50") << 50.0 << bytes({0x86, 0, 0, 0, 0, 0x48});
    QTest::newRow("60") << 60.0 << bytes({0x86, 0, 0, 0, 0, 0x70});
    QTest::newRow("400") << 400.0 << bytes({0x89, 0, 0, 0, 0, 0x48});
    QTest::newRow("1000") << 1000.0 << bytes({0x8A, 0, 0, 0, 0, 0x7A});
    QTest::newRow("-1") << -1.0 << bytes({0x81, 0, 0, 0, 0, 0x80});
    QTest::newRow("-50") << -50.0 << bytes({0x86, 0, 0, 0, 0, 0xC8});
    QTest::newRow("0.5") << 0.5 << bytes({0x80, 0, 0, 0, 0, 0});
    QTest::newRow("smallest") << std::ldexp(1.0, -128) << bytes({0x01, 0, 0, 0, 0, 0});
}

void RecordTest::real48Values()
{
    QFETCH(double, value);
    QFETCH(Real48::Bytes, stored);
    QCOMPARE(Real48::fromLongDouble(value), stored);
    QCOMPARE(double(Real48::toLongDouble(stored)), value);
}

void RecordTest::real48RoundsHalfAwayFromZero_data()
{
    QTest::addColumn<long double>("value");
    QTest::addColumn<Real48::Bytes>("stored");
    const long double half = std::ldexp(1.0L, -40); // half a unit of 1.0's last place
    QTest::newRow("tie up") << 1.0L + half << bytes({0x81, 1, 0, 0, 0, 0});
    QTest::newRow("negative tie") << -(1.0L + half) << bytes({0x81, 1, 0, 0, 0, 0x80});
    QTest::newRow("below tie") << 1.0L + half - std::ldexp(1.0L, -60)
                               << bytes({0x81, 0, 0, 0, 0, 0});
    QTest::newRow("above tie") << 1.0L + half + std::ldexp(1.0L, -60)
                               << bytes({0x81, 1, 0, 0, 0, 0});
    // An odd mantissa and its tie: away from zero, not to even.
    QTest::newRow("tie after odd") << 1.0L + 3 * half << bytes({0x81, 2, 0, 0, 0, 0});
    // Rounding up into the next power of two.
    QTest::newRow("carry") << 2.0L - half << bytes({0x82, 0, 0, 0, 0, 0});
    QTest::newRow("0.1") << 0.1L << bytes({0x7D, 0xCD, 0xCC, 0xCC, 0xCC, 0x4C});
    QTest::newRow("-0.1") << -0.1L << bytes({0x7D, 0xCD, 0xCC, 0xCC, 0xCC, 0xCC});
}

void RecordTest::real48RoundsHalfAwayFromZero()
{
    QFETCH(long double, value);
    QFETCH(Real48::Bytes, stored);
    QCOMPARE(Real48::fromLongDouble(value), stored);
}

void RecordTest::real48UnderflowIsZero()
{
    const Real48::Bytes zero{};
    QCOMPARE(Real48::fromLongDouble(std::ldexp(1.0L, -129)), zero);
    QCOMPARE(Real48::fromLongDouble(-std::ldexp(1.0L, -140)), zero);
    QCOMPARE(Real48::fromLongDouble(std::ldexp(1.0L, -5000)), zero);
    // Just under the smallest value, but nearer to it than to the value below.
    const long double nearSmallest = std::ldexp(1.0L, -128) * (1.0L - std::ldexp(1.0L, -45));
    QCOMPARE(Real48::fromLongDouble(nearSmallest), bytes({0x01, 0, 0, 0, 0, 0}));
    QCOMPARE(Real48::fromLongDouble(-0.0L), zero);
}

void RecordTest::real48OverflowIsAnError_data()
{
    QTest::addColumn<long double>("value");
    QTest::newRow("2^127") << std::ldexp(1.0L, 127);
    QTest::newRow("-2^127") << -std::ldexp(1.0L, 127);
    QTest::newRow("rounds up to 2^127") << std::ldexp(1.0L, 127) * (1.0L - std::ldexp(1.0L, -42));
    QTest::newRow("1e300") << 1e300L;
    QTest::newRow("infinity") << static_cast<long double>(INFINITY);
    QTest::newRow("nan") << static_cast<long double>(NAN);
}

void RecordTest::real48OverflowIsAnError()
{
    QFETCH(long double, value);
    QVERIFY_THROWS_EXCEPTION(EOverflowError, Real48::fromLongDouble(value));
    QVERIFY(!Real48::fits(value));
    // The largest value itself is stored.
    QCOMPARE(Real48::fromLongDouble(Real48::largest()),
             bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}));
}

void RecordTest::zeroExponentReadsAsZero()
{
    auto *random = QRandomGenerator::global();
    for (int i = 0; i < 1000; ++i) {
        Real48::Bytes stored;
        for (auto &byte : stored)
            byte = static_cast<std::uint8_t>(random->bounded(256));
        stored[0] = 0;
        QCOMPARE(double(Real48::toLongDouble(stored)), 0.0);
    }
    QCOMPARE(double(Real48::toLongDouble(bytes({0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}))), 0.0);
}

void RecordTest::everyStoredValueComesBackExactly()
{
    // Reading is exact and storing rounds to nearest, so a stored value
    // survives a read and a store unchanged.
    QRandomGenerator random(707);
    for (int i = 0; i < 20000; ++i) {
        Real48::Bytes stored;
        for (auto &byte : stored)
            byte = static_cast<std::uint8_t>(random.bounded(256));
        if (stored[0] == 0)
            stored[0] = 1;
        QCOMPARE(Real48::fromLongDouble(Real48::toLongDouble(stored)), stored);
    }
}

// Writes one field through the API and expects exactly the bytes at the
// offset the file layout gives it to change.
struct FieldCase
{
    const char *name;
    int offset;
    int size;
    std::function<void(TDaneSprawdzania &)> write;
};

void RecordTest::fieldsSitAtTheirOffsets()
{
    const int range3 = 84 + 2 * 1440;
    const int point7 = range3 + 40 * 7;
    const int dn2 = 50484 + 1576;
    const int dnPoint4 = dn2 + 36 + 44 * 3;
    const int do35 = 105644 + 34 * 1576;
    const QList<FieldCase> cases = {
        {"Nazwa", 0, 31, [](auto &r) { r.setNazwa("Miernik xyz"); }},
        {"Numer", 31, 21, [](auto &r) { r.setNumer("12345"); }},
        {"Typ", 52, 31, [](auto &r) { r.setTyp("Analogowy"); }},
        {"WidokAmpl", 83, 1, [](auto &r) { r.setWidokAmpl(true); }},
        {"Zak", range3, 6, [](auto &r) { r.ZakresyAmpl(3).setZak(100); }},
        {"Jm", range3 + 6, 3, [](auto &r) { r.ZakresyAmpl(3).setJm("mV"); }},
        {"Cz", range3 + 9, 4, [](auto &r) { r.ZakresyAmpl(3).setCz(0x01020304); }},
        {"CzHz", range3 + 13, 6, [](auto &r) { r.ZakresyAmpl(3).setCzHz(50); }},
        {"Zmierzony", range3 + 19, 1, [](auto &r) { r.ZakresyAmpl(3).setZmierzony(true); }},
        {"Kmm", range3 + 20, 6, [](auto &r) { r.ZakresyAmpl(3).setKmm(0.5); }},
        {"Kmz", range3 + 26, 6, [](auto &r) { r.ZakresyAmpl(3).setKmz(1.5); }},
        {"KmzDod", range3 + 32, 8, [](auto &r) { r.ZakresyAmpl(3).setKmzDod("2.5mV12"); }},
        {"Wm", point7, 6, [](auto &r) { r.ZakresyAmpl(3).Punkty(7).setWm(1.25); }},
        {"Nk", point7 + 6, 6, [](auto &r) { r.ZakresyAmpl(3).Punkty(7).setNk(1.25); }},
        {"Bmr", point7 + 12, 6, [](auto &r) { r.ZakresyAmpl(3).Punkty(7).setBmr(-0.25); }},
        {"Bmd", point7 + 18, 6, [](auto &r) { r.ZakresyAmpl(3).Punkty(7).setBmd(0.25); }},
        {"Bk", point7 + 24, 6, [](auto &r) { r.ZakresyAmpl(3).Punkty(7).setBk(0.001); }},
        {"JmBk", point7 + 30, 6, [](auto &r) { r.ZakresyAmpl(3).Punkty(7).setJmBk("mAmAm"); }},
        {"Dokl", point7 + 36, 1, [](auto &r) { r.ZakresyAmpl(3).Punkty(7).setDokl(6); }},
        {"Wl", point7 + 37, 1, [](auto &r) { r.ZakresyAmpl(3).Punkty(7).setWl(true); }},
        {"Wpisany", point7 + 38, 1, [](auto &r) { r.ZakresyAmpl(3).Punkty(7).setWpisany(true); }},
        {"Zmierzony", point7 + 39, 1,
         [](auto &r) { r.ZakresyAmpl(3).Punkty(7).setZmierzony(true); }},
        {"Cz Zak", dn2, 6, [](auto &r) { r.ZakresyCzDN(2).setZak(10); }},
        {"Cz Jm", dn2 + 6, 3, [](auto &r) { r.ZakresyCzDN(2).setJm("V"); }},
        {"NkDN_WmDO", dn2 + 9, 6, [](auto &r) { r.ZakresyCzDN(2).setNkDN_WmDO(7.5); }},
        {"Cz Zmierzony", dn2 + 15, 1, [](auto &r) { r.ZakresyCzDN(2).setZmierzony(true); }},
        {"Cz Kmm", dn2 + 16, 6, [](auto &r) { r.ZakresyCzDN(2).setKmm(2); }},
        {"Cz Kmz", dn2 + 22, 6, [](auto &r) { r.ZakresyCzDN(2).setKmz(3); }},
        {"Cz KmzDod", dn2 + 28, 8, [](auto &r) { r.ZakresyCzDN(2).setKmzDod("1234567"); }},
        {"WmDN_NkDO", dnPoint4, 6, [](auto &r) { r.ZakresyCzDN(2).Punkty(4).setWmDN_NkDO(9); }},
        {"point Cz", dnPoint4 + 6, 4, [](auto &r) { r.ZakresyCzDN(2).Punkty(4).setCz(-1); }},
        {"point CzHz", dnPoint4 + 10, 6, [](auto &r) { r.ZakresyCzDN(2).Punkty(4).setCzHz(45); }},
        {"Cz Bmr", dnPoint4 + 16, 6, [](auto &r) { r.ZakresyCzDN(2).Punkty(4).setBmr(1); }},
        {"Cz Bmd", dnPoint4 + 22, 6, [](auto &r) { r.ZakresyCzDN(2).Punkty(4).setBmd(1); }},
        {"Cz Bk", dnPoint4 + 28, 6, [](auto &r) { r.ZakresyCzDN(2).Punkty(4).setBk(1); }},
        {"Cz JmBk", dnPoint4 + 34, 6, [](auto &r) { r.ZakresyCzDN(2).Punkty(4).setJmBk("AAAAA"); }},
        {"Cz Dokl", dnPoint4 + 40, 1, [](auto &r) { r.ZakresyCzDN(2).Punkty(4).setDokl(3); }},
        {"Cz Wl", dnPoint4 + 41, 1, [](auto &r) { r.ZakresyCzDN(2).Punkty(4).setWl(true); }},
        {"Cz Wpisany", dnPoint4 + 42, 1,
         [](auto &r) { r.ZakresyCzDN(2).Punkty(4).setWpisany(true); }},
        {"Cz point Zmierzony", dnPoint4 + 43, 1,
         [](auto &r) { r.ZakresyCzDN(2).Punkty(4).setZmierzony(true); }},
        {"ZakresyCzDO", do35, 6, [](auto &r) { r.ZakresyCzDO(35).setZak(-1); }},
    };
    for (const FieldCase &field : cases) {
        TDaneSprawdzania record;
        field.write(record);
        const std::uint8_t *data = record.bytes();
        bool changedInside = false;
        for (int i = 0; i < TDaneSprawdzania::Size; ++i) {
            const bool inside = i >= field.offset && i < field.offset + field.size;
            if (inside)
                changedInside = changedInside || data[i] != 0;
            else if (data[i] != 0)
                QFAIL(qPrintable(QStringLiteral("%1 changed byte %2").arg(field.name).arg(i)));
        }
        QVERIFY2(changedInside, field.name);
    }
}

void RecordTest::lastByteBelongsToTheLastPoint()
{
    TDaneSprawdzania record;
    record.ZakresyCzDO(35).Punkty(35).setZmierzony(true);
    QCOMPARE(record.bytes()[TDaneSprawdzania::Size - 1], std::uint8_t(1));
    QCOMPARE(TDaneSprawdzania::Size, 160804);
    record.ZakresyAmpl(35).Punkty(35).setZmierzony(true);
    QCOMPARE(record.bytes()[84 + 35 * 1440 - 1], std::uint8_t(1));
    QCOMPARE(record.bytes()[50484 - 1], std::uint8_t(1));
}

void RecordTest::shortStringsUseWindows1250()
{
    TDaneSprawdzania record;
    record.setNazwa(QStringLiteral("Woltomierz Łódź ąęśćżźń €"));
    const QByteArray expected = "Woltomierz \xA3\xF3"
                                "d\x9F \xB9\xEA\x9C\xE6\xBF\x9F\xF1 \x80";
    QCOMPARE(int(record.bytes()[0]), expected.size());
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(record.bytes() + 1), expected.size()),
             expected);
    QCOMPARE(record.Nazwa(), QStringLiteral("Woltomierz Łódź ąęśćżźń €"));
    // Characters the code page lacks.
    record.setNumer(QStringLiteral("№1 ☃"));
    QCOMPARE(record.Numer(), QStringLiteral("?1 ?"));
    // Every byte decodes and encodes back to itself.
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    QCOMPARE(Cp1250::encode(Cp1250::decode(all)), all);
}

void RecordTest::shortStringsKeepTheBytesAfterTheirText()
{
    TDaneSprawdzania record;
    record.setNazwa(QStringLiteral("Amperomierz laboratoryjny"));
    record.setNazwa(QStringLiteral("V"));
    QCOMPARE(record.Nazwa(), QStringLiteral("V"));
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(record.bytes()), 8),
             QByteArray("\x01Vmperom", 8));
}

void RecordTest::overlongLengthBytesAreCut()
{
    TDaneSprawdzania record;
    QByteArray image = record.toBytes();
    image[6 + 84] = char(200); // Jm of range 1 claims 200 characters
    image[7 + 84] = 'm';
    image[8 + 84] = 'V';
    image[9 + 84] = 'X';
    image[0] = char(255);
    image.replace(1, 30, QByteArray(30, 'N'));
    image[31] = 'X'; // the length byte of Numer, not part of Nazwa
    record = TDaneSprawdzania::fromBytes(image);
    QCOMPARE(record.ZakresyAmpl(1).Jm(), QStringLiteral("mV"));
    QCOMPARE(record.Nazwa(), QString(30, QLatin1Char('N')));
}

void RecordTest::textsAreCutToTheirCapacity()
{
    TDaneSprawdzania record;
    record.setNazwa(QString(40, QLatin1Char('a')));
    QCOMPARE(record.Nazwa().size(), 30);
    QCOMPARE(record.bytes()[31], std::uint8_t(0)); // Numer untouched
    record.ZakresyAmpl(1).setJm(QStringLiteral("mVx"));
    QCOMPARE(record.ZakresyAmpl(1).Jm(), QStringLiteral("mV"));
    QCOMPARE(record.ZakresyAmpl(1).Cz(), 0);
}

void RecordTest::indexOutsideTheArraysIsRefused()
{
    TDaneSprawdzania record;
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, record.ZakresyAmpl(0));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, record.ZakresyCzDN(36));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, record.ZakresyAmpl(1).Punkty(36));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, record.ZakresyCzDO(1).Punkty(0));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                             TDaneSprawdzania::fromBytes(QByteArray(100, 0)));
}

void RecordTest::countsComeFromTheContent()
{
    TDaneSprawdzania record;
    record.ZakresyAmpl(1).setZak(1);
    record.ZakresyAmpl(2).setZak(-10);
    record.ZakresyAmpl(1).Punkty(1).setWpisany(true);
    record.ZakresyAmpl(1).Punkty(5).setWpisany(true);
    record.ZakresyCzDO(1).setZak(1);
    QCOMPARE(record.amplRangeCount(), 2);
    QCOMPARE(record.ZakresyAmpl(1).pointCount(), 2);
    QCOMPARE(record.czDORangeCount(), 1);
    QCOMPARE(record.czDNRangeCount(), 0);
    record.setTyp(QStringLiteral("Analogowy"));
    QCOMPARE(record.ZakresyCz(1).Zak(), 1.0L);
    record.setTyp(QStringLiteral("Cyfrowy"));
    QCOMPARE(record.ZakresyCz(1).Zak(), 0.0L);
    record.ZakresyAmpl(2).clear();
    QCOMPARE(record.amplRangeCount(), 1);
}

void RecordTest::assigningKeepsViewsValid()
{
    TDaneSprawdzania record;
    TZakresAmpl range = record.ZakresyAmpl(4);
    TDaneSprawdzania other;
    other.ZakresyAmpl(4).setZak(2.5);
    record = other;
    QCOMPARE(double(range.Zak()), 2.5);
    range.setZak(3);
    QCOMPARE(double(other.ZakresyAmpl(4).Zak()), 2.5);
    QVERIFY(!(record == other));
}

ORVANE_TEST_MAIN(RecordTest)
#include "tst_record.moc"
