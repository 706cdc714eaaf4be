#include "core/base/errors.h"
#include "core/document/documentfile.h"
#include "core/document/documentsession.h"
#include "core/document/real48.h"
#include "tests/support/core/randomdocument.h"
#include "tests/support/core/testmain.h"
#include "tests/support/core/testservices.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>

#include <zlib.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray randomBytes(int size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

// An image of the older layout, built byte by byte.
class LegacyBuilder
{
public:
    QByteArray image = QByteArray(DocumentFile::LegacySize, 0);

    void string(int offset, const QByteArray &text, int length = -1)
    {
        image[offset] = char(length < 0 ? text.size() : length);
        image.replace(offset + 1, text.size(), text);
    }
    void real(int offset, long double value)
    {
        const Real48::Bytes bytes = Real48::fromLongDouble(value);
        image.replace(offset, 6, QByteArray(reinterpret_cast<const char *>(bytes.data()), 6));
    }
    static int slot(int k) { return 84 + (k - 1) * 432; }
    static int point(int k, int j) { return slot(k) + 30 + (j - 1) * 40; }

    void range(int k, long double zak, const QByteArray &jm, int cz, long double kmz,
               long double kmm)
    {
        real(slot(k), zak);
        string(slot(k) + 6, jm);
        image[slot(k) + 12] = char(cz);
        image[slot(k) + 16] = 1;
        real(slot(k) + 18, kmz);
        real(slot(k) + 24, kmm);
    }
    void definedPoint(int k, int j, long double wm, long double nk)
    {
        real(point(k, j), wm);
        real(point(k, j) + 6, nk);
        real(point(k, j) + 12, -0.5);
        real(point(k, j) + 18, 0.75);
        real(point(k, j) + 24, 0.001);
        string(point(k, j) + 30, "mAXYZ");
        image[point(k, j) + 36] = 4;
        image[point(k, j) + 37] = 1;
        image[point(k, j) + 38] = 1;
        image[point(k, j) + 39] = 1;
    }
};

QByteArray le32(quint32 value)
{
    QByteArray bytes(4, Qt::Uninitialized);
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// An extension block around any text, with the length and CRC it claims.
QByteArray block(const QByteArray &json, qint64 length = -1)
{
    const quint32 crc =
        quint32(crc32(0, reinterpret_cast<const Bytef *>(json.constData()), uInt(json.size())));
    return "O707EXT1" + le32(quint32(length < 0 ? json.size() : length)) + json + le32(crc);
}

} // namespace

class DocumentFileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void newDocumentIsItsHeaderAndZeros();
    void anyImageSurvivesAWriteAndARead();
    void bytesAfterTheRecordAreIgnored();
    void extensionBlockIsFramedAfterTheRecord();
    void extensionBlockIsReadOrLeftOut_data();
    void extensionBlockIsReadOrLeftOut();
    void legacyFileIsConverted();
    void legacyFrequencyIndexGivesHertz_data();
    void legacyFrequencyIndexGivesHertz();
    void legacyPointsAreCopiedUpToTheirCount();
    void legacyDocumentIsSavedInTheCurrentLayout();
    void truncatedLegacyFileIsAnError_data();
    void truncatedLegacyFileIsAnError();
    void legacyFileNeedsOnlyThePositionsItSupplies();
    void missingFileIsAnError();
    void directoryIsNotADocument();
    void hostileFilesAreRefused_data();
    void hostileFilesAreRefused();
    void damagedInputEndsInADocumentOrAnError();
    void seedCorpusEndsInDocumentsOrErrors();
    void failedSaveKeepsThePreviousFile_data();
    void failedSaveKeepsThePreviousFile();
    void saveIntoMissingFolderIsAnError();
    void readOnlyTargetIsNotReplaced();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString &name) const { return m_dir->filePath(name); }
};

void DocumentFileTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void DocumentFileTest::newDocumentIsItsHeaderAndZeros()
{
    TDaneSprawdzania record;
    record.setNazwa(QStringLiteral("V640"));
    record.setNumer(QStringLiteral("17"));
    record.setTyp(QStringLiteral("Cyfrowy"));
    record.setWidokAmpl(true);
    DocumentFile::write(record, path("new.cal"));
    const QByteArray bytes = fileBytes(path("new.cal"));
    QCOMPARE(bytes.size(), 160804);
    QCOMPARE(bytes.left(84), QByteArray("\x04V640", 5) + QByteArray(26, 0) +
                                 QByteArray("\x02"
                                            "17",
                                            3) +
                                 QByteArray(18, 0) +
                                 QByteArray("\x07"
                                            "Cyfrowy",
                                            8) +
                                 QByteArray(23, 0) + QByteArray(1, 1));
    QCOMPARE(bytes.mid(84), QByteArray(160804 - 84, 0));
    // No temporary file is left behind.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{"new.cal"});
}

void DocumentFileTest::anyImageSurvivesAWriteAndARead()
{
    // Random bytes stand for a document with leftovers after every text and
    // in every unused corner: all of them must come back.
    const QByteArray image = randomDocumentImage(4711);
    writeBytes(path("random.cal"), image);
    const TDaneSprawdzania record = DocumentFile::read(path("random.cal"));
    QCOMPARE(record.toBytes(), image);
    DocumentFile::write(record, path("again.cal"));
    QCOMPARE(fileBytes(path("again.cal")), image);
}

void DocumentFileTest::bytesAfterTheRecordAreIgnored()
{
    const QByteArray image = randomDocumentImage(1);
    writeBytes(path("long.cal"), image + QByteArray("tail"));
    QCOMPARE(DocumentFile::read(path("long.cal")).toBytes(), image);
}

void DocumentFileTest::extensionBlockIsFramedAfterTheRecord()
{
    const QByteArray image = randomDocumentImage(2);
    DocumentExtension extension;
    extension.setDecisionRule(DecisionRule::FourZone);
    DocumentFile::write(TDaneSprawdzania::fromBytes(image), extension, path("four.cal"));
    // The CRC-32 of the 41 bytes of JSON, by Python's zlib.crc32: 0xcaf69293.
    QCOMPARE(fileBytes(path("four.cal")), image + "O707EXT1" + QByteArray("\x29\0\0\0", 4) +
                                              R"({"decision_rule":"four_zone","version":1})" +
                                              "\x93\x92\xf6\xca");
    // Back to the defaults, the document is its record again.
    extension.setDecisionRule(DecisionRule::Simple);
    DocumentFile::write(TDaneSprawdzania::fromBytes(image), extension, path("four.cal"));
    QCOMPARE(fileBytes(path("four.cal")), image);
}

void DocumentFileTest::extensionBlockIsReadOrLeftOut_data()
{
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<bool>("damaged");
    QTest::addColumn<QByteArray>("saved"); // what a save writes after the record

    DocumentExtension extension;
    extension.setDecisionRule(DecisionRule::GuardBand);
    extension.setMinTur(3.5);
    extension.setResolution(Characteristic::Amplitude, 2, 0.5);
    extension.setResolution(Characteristic::Frequency, 35, 0.001);
    extension.setValue(QStringLiteral("certificate"), QJsonObject{{"number", "Ś/1/2024"}});
    const QByteArray good = extension.block();
    QTest::newRow("kept, unknown keys too") << good << false << good;
    QTest::newRow("no block at all") << QByteArray() << false << QByteArray();
    QTest::newRow("other bytes") << QByteArray("O707EXT0 and more") << false << QByteArray();
    QTest::newRow("cut short") << good.left(10) << true << QByteArray();
    QTest::newRow("length too long") << block(R"({"min_tur":3})", 14) << true << QByteArray();
    QTest::newRow("bytes after the CRC") << good + "x" << true << QByteArray();
    QByteArray crc = good;
    crc[crc.size() - 1] = char(crc.at(crc.size() - 1) ^ 1);
    QTest::newRow("wrong CRC") << crc << true << QByteArray();
    QTest::newRow("not JSON") << block(R"({"min_tur":)") << true << QByteArray();
    QTest::newRow("not an object") << block("[1]") << true << QByteArray();
    QTest::newRow("beyond the size limit")
        << block(R"({"x":")" + QByteArray(DocumentExtension::SizeLimit, 'x') + R"("})") << true
        << QByteArray();
}

void DocumentFileTest::extensionBlockIsReadOrLeftOut()
{
    QFETCH(QByteArray, after);
    QFETCH(bool, damaged);
    QFETCH(QByteArray, saved);
    const QByteArray image = randomDocumentImage(5);
    writeBytes(path("d.cal"), image + after);

    const DocumentFile::StoredDocument document = DocumentFile::load(path("d.cal"));
    QCOMPARE(document.record.toBytes(), image);
    QCOMPARE(document.extensionDamaged, damaged);
    QCOMPARE(DocumentFile::parseStored(image + after).extension, document.extension);
    DocumentFile::write(document.record, document.extension, path("again.cal"));
    QCOMPARE(fileBytes(path("again.cal")), image + saved);

    // The document opens whatever follows it; a damaged block is said once.
    TestServices t;
    DocumentSession session(t.prompts);
    t.prompts.openNames.push_back(path("d.cal"));
    session.openDocument();
    QCOMPARE(session.record().toBytes(), image);
    QCOMPARE(t.prompts.texts(),
             damaged ? QStringList{DocumentExtension::damagedText()} : QStringList());
}

void DocumentFileTest::legacyFileIsConverted()
{
    LegacyBuilder legacy;
    legacy.string(0, "Woltomierz \xA3\xF3"
                     "d\x9F");
    legacy.string(31, "A-12");
    legacy.string(52, "Analogowy");
    legacy.range(1, 100, "mVxyz", 2, 1.5, 0.5);
    legacy.range(2, 10, "A", 4, 2.5, 0.25);
    for (int j = 1; j <= 3; ++j)
        legacy.definedPoint(1, j, j * 10, j * 10.01L);
    for (int j = 1; j <= 5; ++j)
        legacy.definedPoint(2, j, j, j * 1.001L);
    writeBytes(path("old.cal"), legacy.image);

    const TDaneSprawdzania record = DocumentFile::read(path("old.cal"));
    QCOMPARE(record.Nazwa(), QStringLiteral("Woltomierz Łódź"));
    QCOMPARE(record.Numer(), QStringLiteral("A-12"));
    QCOMPARE(record.Typ(), QStringLiteral("Analogowy"));
    QVERIFY(record.WidokAmpl());
    QCOMPARE(record.amplRangeCount(), 2);
    QCOMPARE(record.ZakresyAmpl(1).pointCount(), 3);
    QCOMPARE(record.ZakresyAmpl(2).pointCount(), 5);

    const ConstZakresAmpl first = record.ZakresyAmpl(1);
    QCOMPARE(double(first.Zak()), 100.0);
    QCOMPARE(first.Jm(), QStringLiteral("mV")); // only two characters of the old unit
    QCOMPARE(first.Cz(), 2);
    QCOMPARE(double(first.CzHz()), 60.0);
    QVERIFY(first.Zmierzony());
    // Class parts come the other way round in the older layout.
    QCOMPARE(double(first.Kmz()), 1.5);
    QCOMPARE(double(first.Kmm()), 0.5);
    QCOMPARE(first.KmzDod(), QStringLiteral("0"));
    QCOMPARE(record.ZakresyAmpl(2).KmzDod(), QStringLiteral("0"));
    QCOMPARE(double(record.ZakresyAmpl(2).Kmm()), 0.25);

    const ConstPunktAmpl point = record.ZakresyAmpl(2).Punkty(5);
    QCOMPARE(double(point.Wm()), 5.0);
    QCOMPARE(point.Nk(), Real48::toLongDouble(Real48::fromLongDouble(5 * 1.001L)));
    QCOMPARE(double(point.Bmr()), -0.5);
    QCOMPARE(double(point.Bmd()), 0.75);
    QCOMPARE(point.JmBk(), QStringLiteral("mAXY")); // cut to four characters
    QCOMPARE(int(point.Dokl()), 4);
    QVERIFY(point.Wl() && point.Wpisany() && point.Zmierzony());
    QVERIFY(!record.ZakresyAmpl(2).Punkty(6).Wpisany());

    // The frequency arrays and every range after the second stay zero.
    const QByteArray bytes = record.toBytes();
    QCOMPARE(bytes.mid(84 + 2 * 1440), QByteArray(160804 - 84 - 2 * 1440, 0));
}

void DocumentFileTest::legacyFrequencyIndexGivesHertz_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<double>("hertz");
    QTest::newRow("DC") << 0 << 0.0;
    QTest::newRow("50 Hz") << 1 << 50.0;
    QTest::newRow("60 Hz") << 2 << 60.0;
    QTest::newRow("400 Hz") << 3 << 400.0;
    QTest::newRow("chosen") << 4 << 0.0;
    QTest::newRow("damaged") << 77 << 0.0;
}

void DocumentFileTest::legacyFrequencyIndexGivesHertz()
{
    QFETCH(int, index);
    QFETCH(double, hertz);
    LegacyBuilder legacy;
    legacy.range(1, 1, "V", index, 1, 1);
    const TDaneSprawdzania record = DocumentFile::parse(legacy.image);
    QCOMPARE(record.ZakresyAmpl(1).Cz(), index);
    QCOMPARE(double(record.ZakresyAmpl(1).CzHz()), hertz);
}

void DocumentFileTest::legacyPointsAreCopiedUpToTheirCount()
{
    // Two defined points, the second of them in slot 3: the count is two, so
    // points 1 and 2 are copied, as the older program did.
    LegacyBuilder legacy;
    legacy.range(1, 1, "V", 0, 1, 1);
    legacy.definedPoint(1, 1, 0.1L, 0.1L);
    legacy.definedPoint(1, 3, 0.3L, 0.3L);
    legacy.real(LegacyBuilder::point(1, 2), 0.2L);
    // Ranges are counted, not searched: slot 3 is taken as range 2.
    legacy.range(3, 5, "V", 0, 1, 1);
    const TDaneSprawdzania record = DocumentFile::parse(legacy.image);
    QCOMPARE(double(record.ZakresyAmpl(1).Punkty(2).Wm()), double(0.2L));
    QVERIFY(!record.ZakresyAmpl(1).Punkty(2).Wpisany());
    QCOMPARE(double(record.ZakresyAmpl(1).Punkty(3).Wm()), 0.0);
    QCOMPARE(double(record.ZakresyAmpl(2).Zak()), 0.0);
    QCOMPARE(record.ZakresyAmpl(2).KmzDod(), QStringLiteral("0"));
    QCOMPARE(record.amplRangeCount(), 1);
}

void DocumentFileTest::legacyDocumentIsSavedInTheCurrentLayout()
{
    LegacyBuilder legacy;
    legacy.range(1, 1, "V", 1, 1, 1);
    writeBytes(path("old.cal"), legacy.image);
    DocumentFile::write(DocumentFile::read(path("old.cal")), path("old.cal"));
    const QByteArray saved = fileBytes(path("old.cal"));
    QCOMPARE(saved.size(), 160804);
    QCOMPARE(DocumentFile::parse(saved).ZakresyAmpl(1).Cz(), 1);
}

void DocumentFileTest::truncatedLegacyFileIsAnError_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("empty") << 0;
    QTest::newRow("half a header") << 40;
    QTest::newRow("header only") << 84;
    QTest::newRow("inside the last range value") << 84 + 6 * 432 + 5;
    QTest::newRow("inside the points") << 84 + 432 + 30 + 38;
}

void DocumentFileTest::truncatedLegacyFileIsAnError()
{
    QFETCH(int, size);
    LegacyBuilder legacy;
    legacy.range(1, 1, "V", 1, 1, 1);
    legacy.range(2, 1, "V", 1, 1, 1);
    legacy.definedPoint(2, 1, 1, 1);
    writeBytes(path("short.cal"), legacy.image.left(size));
    try {
        DocumentFile::read(path("short.cal"));
        QFAIL("a truncated file was read");
    } catch (const EInOutError &error) {
        QVERIFY(error.message().contains(QStringLiteral("short.cal")));
    }
}

void DocumentFileTest::legacyFileNeedsOnlyThePositionsItSupplies()
{
    // One range without points: the file must reach the value of the last
    // of the seven slots (to count the ranges), and no further.
    LegacyBuilder legacy;
    legacy.range(1, 2, "V", 0, 1, 1);
    const int needed = 84 + 6 * 432 + 6;
    QCOMPARE(double(DocumentFile::parse(legacy.image.left(needed)).ZakresyAmpl(1).Zak()), 2.0);
    QVERIFY_THROWS_EXCEPTION(EInOutError, DocumentFile::parse(legacy.image.left(needed - 1)));
}

void DocumentFileTest::missingFileIsAnError()
{
    QVERIFY_THROWS_EXCEPTION(EInOutError, DocumentFile::read(path("none.cal")));
}

void DocumentFileTest::directoryIsNotADocument()
{
    QVERIFY(QDir(m_dir->path()).mkdir("folder.cal"));
    QVERIFY_THROWS_EXCEPTION(EInOutError, DocumentFile::read(path("folder.cal")));
    QVERIFY_THROWS_EXCEPTION(EInOutError,
                             DocumentFile::write(TDaneSprawdzania(), path("folder.cal")));
}

void DocumentFileTest::hostileFilesAreRefused_data()
{
    // What a file holds, or the kind of node it is ("fifo", "device",
    // "socket"); the message; a piece of the reason given as detail.
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("reason");
    const QString notADocument = QStringLiteral("Plik nie jest dokumentem sprawdzania miernika.");
    const QString cannotOpen = QStringLiteral("Nie można otworzyć pliku");

    QByteArray text;
    while (text.size() < 3000)
        text += "Protokół sprawdzenia miernika, linia po linii.\n";
    QTest::newRow("text of the older size")
        << text.left(3000) << QString() << notADocument << QStringLiteral("pole Nazwa");
    QTest::newRow("longer text") << text.repeated(3) << QString() << notADocument
                                 << QStringLiteral("rozmiar 9");
    QTest::newRow("random bytes") << randomBytes(160804, 8) << QString() << notADocument
                                  << QStringLiteral("pole ");
    // A current document cut by one byte is not an older one.
    QTest::newRow("cut short") << randomDocumentImage(9).left(160803) << QString() << notADocument
                               << QStringLiteral("rozmiar 160803 B");

    TDaneSprawdzania record;
    record.setTyp(QStringLiteral("Elektroniczny"));
    QTest::newRow("unknown Typ") << record.toBytes() << QString() << notADocument
                                 << QStringLiteral("Elektroniczny");
    record.setTyp(QStringLiteral("Analogowy"));
    QByteArray lastJmBk = record.toBytes();
    lastJmBk[int(record.ZakresyCzDO(35).Punkty(35).bytes() - record.bytes()) +
             TPunktCz::Field::JmBk] = 6;
    QTest::newRow("length byte of the very last text")
        << lastJmBk << QString() << notADocument
        << QStringLiteral("ZakresyCzDO[35].Punkty[35].JmBk");

    LegacyBuilder legacy;
    legacy.string(52, "Cyfrowy");
    legacy.range(1, 1, "V", 0, 1, 1);
    legacy.image[LegacyBuilder::slot(1) + 6] = 9;
    QTest::newRow("older layout, overlong unit")
        << legacy.image << QString() << notADocument << QStringLiteral("jednostka");
    legacy.image[LegacyBuilder::slot(1) + 6] = 1;
    legacy.string(52, "Cyfrowa");
    QTest::newRow("older layout, unknown Typ")
        << legacy.image << QString() << notADocument << QStringLiteral("Cyfrowa");

    QTest::newRow("FIFO") << QByteArray() << QStringLiteral("fifo") << cannotOpen
                          << QStringLiteral("FIFO");
    QTest::newRow("device") << QByteArray() << QStringLiteral("device") << cannotOpen
                            << QStringLiteral("urządzenie");
    QTest::newRow("socket") << QByteArray() << QStringLiteral("socket") << cannotOpen
                            << QStringLiteral("gniazdo");
}

void DocumentFileTest::hostileFilesAreRefused()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, node);
    QFETCH(QString, message);
    QFETCH(QString, reason);
    QString file = path("hostile.cal");
    int socketFd = -1;
    if (node == QLatin1String("fifo")) {
        // No writer ever comes: opening it the usual way would wait for good.
        QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0644), 0);
    } else if (node == QLatin1String("device")) {
        file = QStringLiteral("/dev/zero");
    } else if (node == QLatin1String("socket")) {
        socketFd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, QFile::encodeName(file).constData(),
                     sizeof address.sun_path - 1);
        QCOMPARE(::bind(socketFd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    } else {
        writeBytes(file, contents);
    }

    try {
        DocumentFile::read(file);
        QFAIL("the file was read as a document");
    } catch (const EInOutError &error) {
        QVERIFY2(error.message().startsWith(message), qPrintable(error.message()));
        QVERIFY2(error.detail().contains(reason), qPrintable(error.detail()));
        QVERIFY((error.message() + error.detail()).contains(file));
    }
    if (socketFd >= 0)
        ::close(socketFd);
}

void DocumentFileTest::damagedInputEndsInADocumentOrAnError()
{
    QRandomGenerator random(99);
    for (int i = 0; i < 3000; ++i) {
        const int size = random.bounded(DocumentFile::LegacySize + 50);
        QByteArray bytes = randomBytes(size, random.generate());
        // Mostly small values, so that ranges and points are taken.
        for (int j = 0; j < size; j += random.bounded(1, 40))
            bytes[j] = char(random.bounded(3));
        try {
            const TDaneSprawdzania record = DocumentFile::parse(bytes);
            QVERIFY(record.amplRangeCount() <= 7);
            QCOMPARE(record.czDNRangeCount() + record.czDORangeCount(), 0);
        } catch (const EInOutError &) {
        }
    }
}

void DocumentFileTest::seedCorpusEndsInDocumentsOrErrors()
{
    // The fuzzer's seeds: a current document with both characteristics, a
    // legacy document, one cut after the positions its two ranges use (so it
    // still loads), an empty file and a current document with an overlong
    // length byte, which is refused.
    const QDir corpus(QFINDTESTDATA("fuzz_corpus"));
    const QStringList seeds = corpus.entryList(QDir::Files);
    QCOMPARE(seeds.size(), 5);
    int loaded = 0;
    for (const QString &seed : seeds) {
        try {
            const TDaneSprawdzania record = DocumentFile::read(corpus.filePath(seed));
            loaded += record.Nazwa().isEmpty() ? 0 : 1;
        } catch (const EInOutError &) {
        }
    }
    QCOMPARE(loaded, 3);
}

void DocumentFileTest::failedSaveKeepsThePreviousFile_data()
{
    // Each save runs orvane707-cal in a child process, so that a signal the
    // program does not ignore ends the child and fails the row. The shell
    // gets the tool as $0, the new document as $1, the folder of the target
    // doc.cal as $2 and the old document as $3.
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("error");
    const QString convert = QStringLiteral("exec \"$0\" convert \"$1\" \"$2/doc.cal\"");
    QTest::newRow("file size limit") << "ulimit -f 100; " + convert << EFBIG;
    // A folder the user cannot write to; the superuser can, so it runs the
    // tool as nobody.
    QTest::newRow("read-only folder")
        << "chmod 555 \"$2\"; if [ \"$(id -u)\" = 0 ]; then exec setpriv --reuid=65534 "
           "--regid=65534 --clear-groups \"$0\" convert \"$1\" \"$2/doc.cal\"; fi; " +
               convert
        << EACCES;
    QTest::newRow("FIFO") << "rm \"$2/doc.cal\"; mkfifo \"$2/doc.cal\"; " + convert << 0;
    // A full disk: a small tmpfs in a mount namespace of the child's own,
    // which is gone when the child ends, so the child checks what it left.
    QTest::newRow("full disk")
        << QStringLiteral("mount -t tmpfs -o size=200k tmpfs \"$2\" && cp \"$3\" \"$2/doc.cal\" "
                          "&& \"$0\" convert \"$1\" \"$2/doc.cal\"; status=$?; "
                          "cmp -s \"$3\" \"$2/doc.cal\" && ls -A \"$2\"; exit $status")
        << ENOSPC;
}

void DocumentFileTest::failedSaveKeepsThePreviousFile()
{
    QFETCH(QString, script);
    QFETCH(int, error);
    const bool fullDisk = script.startsWith(QStringLiteral("mount"));
    if (fullDisk && QProcess::execute(QStringLiteral("unshare"),
                                      {"-rm", "mount", "-t", "tmpfs", "tmpfs", m_dir->path()}) != 0)
        QSKIP("no tmpfs can be mounted here");
    // Readable for nobody, whom the read-only row runs the tool as when the
    // test runs as the superuser.
    QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                             QFile::ReadOther | QFile::ExeOther);
    if (script.contains(QStringLiteral("setpriv")) && geteuid() == 0 &&
        QProcess::execute(QStringLiteral("setpriv"),
                          {"--reuid=65534", "--regid=65534", "--clear-groups", "test", "-x",
                           QStringLiteral(CALTOOL_PATH), "-a", "-x", m_dir->path()}) != 0)
        QSKIP("nobody cannot run the tool here");
    const QByteArray old = randomDocumentImage(5);
    writeBytes(path("old.cal"), old);
    TDaneSprawdzania record;
    record.setNazwa(QStringLiteral("nowy"));
    DocumentFile::write(record, path("new.cal"));
    QVERIFY(QDir(m_dir->path()).mkdir("target"));
    const QString folder = path("target");
    writeBytes(folder + "/doc.cal", old);

    QProcess child;
    QStringList arguments = {"-c",   script,         QStringLiteral(CALTOOL_PATH), path("new.cal"),
                             folder, path("old.cal")};
    if (fullDisk)
        arguments = QStringList{"-rm", "sh"} + arguments;
    child.start(fullDisk ? QStringLiteral("unshare") : QStringLiteral("sh"), arguments);
    QVERIFY(child.waitForFinished(60000));
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString err = QString::fromLocal8Bit(child.readAllStandardError());

    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QVERIFY2(child.exitCode() == 1, qPrintable(err));
    QCOMPARE(err.count(QLatin1Char('\n')), 1);
    QVERIFY2(err.contains(QStringLiteral("doc.cal")), qPrintable(err));
    // The reason is the one of the call that failed.
    const QString reason =
        error ? QString::fromLocal8Bit(std::strerror(error)) : QStringLiteral("FIFO");
    QVERIFY2(err.contains(reason), qPrintable(err));

    const QStringList left = QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::Hidden |
                                                    QDir::NoDotAndDotDot);
    if (fullDisk) {
        QCOMPARE(child.readAllStandardOutput(), QByteArray("doc.cal\n"));
    } else if (error) {
        QCOMPARE(fileBytes(folder + "/doc.cal"), old);
        QCOMPARE(left, QStringList{"doc.cal"});
    } else {
        QVERIFY(QFileInfo(folder + "/doc.cal").exists());
        QVERIFY(!QFileInfo(folder + "/doc.cal").isFile());
        QCOMPARE(left, QStringList{"doc.cal"});
    }
}

void DocumentFileTest::saveIntoMissingFolderIsAnError()
{
    QVERIFY_THROWS_EXCEPTION(EInOutError,
                             DocumentFile::write(TDaneSprawdzania(), path("no/such/doc.cal")));
}

void DocumentFileTest::readOnlyTargetIsNotReplaced()
{
    if (geteuid() == 0)
        QSKIP("the superuser writes into read-only files");
    const QByteArray old = randomBytes(160804, 6);
    writeBytes(path("ro.cal"), old);
    QFile::setPermissions(path("ro.cal"), QFile::ReadOwner);
    QVERIFY_THROWS_EXCEPTION(EInOutError, DocumentFile::write(TDaneSprawdzania(), path("ro.cal")));
    QCOMPARE(fileBytes(path("ro.cal")), old);
}

ORVANE_TEST_MAIN(DocumentFileTest)
#include "tst_documentfile.moc"
