#include "core/base/errors.h"
#include "core/document/documentextension.h"
#include "core/document/documentfile.h"
#include "core/document/documentjson.h"
#include "core/document/real48.h"
#include "tests/support/core/randomdocument.h"
#include "tests/support/core/testmain.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cmath>

namespace {

struct Run
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Run tool(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(CALTOOL_PATH), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A full document as the program writes it: every range of all three arrays
// with 35 points, numbers of every size and sign, texts with Polish letters.
TDaneSprawdzania fullDocument(quint32 seed)
{
    QRandomGenerator random(seed);
    auto number = [&] {
        const long double mantissa = random.generateDouble() * 2 - 1;
        return mantissa * std::ldexp(1.0L, random.bounded(-60, 60));
    };
    TDaneSprawdzania record;
    record.setNazwa(QStringLiteral("Miliwoltomierz ąęłńóśźż \"x\\y\""));
    record.setNumer(QStringLiteral("Nr 123/ŁÓDŹ"));
    record.setTyp(QStringLiteral("Cyfrowy"));
    record.setWidokAmpl(true);
    for (int k = 1; k <= 35; ++k) {
        TZakresAmpl a = record.ZakresyAmpl(k);
        a.setZak(number());
        a.setJm(QStringLiteral("mV"));
        a.setCz(k % 5);
        a.setCzHz(0.1L * k);
        a.setZmierzony(k % 2);
        a.setKmm(number());
        a.setKmz(number());
        a.setKmzDod(QStringLiteral("2.5mV"));
        for (TZakresCz c : {record.ZakresyCzDN(k), record.ZakresyCzDO(k)}) {
            c.setZak(number());
            c.setJm(QStringLiteral("A"));
            c.setNkDN_WmDO(number());
            c.setKmm(number());
            c.setKmz(number());
            c.setKmzDod(QStringLiteral("0"));
            for (int j = 1; j <= 35; ++j) {
                TPunktCz p = c.Punkty(j);
                p.setWmDN_NkDO(number());
                p.setCz(-j);
                p.setCzHz(45.5L + j);
                p.setBmr(number());
                p.setBmd(number());
                p.setBk(number());
                p.setJmBk(QStringLiteral("mA"));
                p.setDokl(std::uint8_t(j + 200));
                p.setWl(true);
                p.setWpisany(j % 3);
                p.setZmierzony(j % 2);
            }
        }
        for (int j = 1; j <= 35; ++j) {
            TPunktAmpl p = a.Punkty(j);
            p.setWm(number());
            p.setNk(number());
            p.setBmr(number());
            p.setBmd(number());
            p.setBk(number());
            p.setJmBk(QStringLiteral("V"));
            p.setDokl(std::uint8_t(3 + j % 4));
            p.setWl(j % 2);
            p.setWpisany(true);
            p.setZmierzony(j % 3);
        }
    }
    return record;
}

} // namespace

class CalToolTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void numbersAreShortestExactTexts_data();
    void numbersAreShortestExactTexts();
    void jsonReadsBackTheSameRecord();
    void dumpUsesTheFieldNames();
    void dumpThenBuildReproducesTheFile();
    void missingKeysAreZero();
    void buildNamesAnOverflowingField();
    void buildRefusesWrongKinds_data();
    void buildRefusesWrongKinds();
    void convertWritesTheCurrentLayout();
    void assessAgreesWithTheFormulas();
    void dumpOfALegacyFileShowsTheConvertedRecord();
    void unreadableInputIsStatusOne();
    void wrongArgumentsAreStatusTwo_data();
    void wrongArgumentsAreStatusTwo();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString &name) const { return m_dir->filePath(name); }
};

void CalToolTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

void CalToolTest::numbersAreShortestExactTexts_data()
{
    QTest::addColumn<long double>("value");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("0") << 0.0L << QByteArray("0");
    QTest::newRow("1.5") << 1.5L << QByteArray("1.5");
    QTest::newRow("-1000") << -1000.0L << QByteArray("-1000");
    // 0.1 stored in six bytes is not the double 0.1: its text says so.
    QTest::newRow("0.1 stored") << Real48::toLongDouble(Real48::fromLongDouble(0.1L))
                                << QByteArray("0.10000000000002274");
}

void CalToolTest::numbersAreShortestExactTexts()
{
    QFETCH(long double, value);
    QFETCH(QByteArray, text);
    const QByteArray written = DocumentJson::numberText(value);
    QCOMPARE(written, text);
    QCOMPARE(static_cast<long double>(written.toDouble()), value);
}

void CalToolTest::jsonReadsBackTheSameRecord()
{
    const TDaneSprawdzania record = fullDocument(1);
    QCOMPARE(DocumentJson::fromJson(DocumentJson::toJson(record)).toBytes(), record.toBytes());
    // And it is JSON anyone can read.
    QJsonParseError error;
    QJsonDocument::fromJson(DocumentJson::toJson(record), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
}

void CalToolTest::dumpUsesTheFieldNames()
{
    TDaneSprawdzania record;
    record.setNazwa(QStringLiteral("Łódź"));
    record.ZakresyAmpl(2).setZak(100);
    record.ZakresyAmpl(2).setJm(QStringLiteral("mV"));
    record.ZakresyAmpl(2).Punkty(35).setDokl(4);
    record.ZakresyAmpl(2).Punkty(35).setWl(true);
    record.ZakresyCzDO(35).Punkty(1).setCzHz(45.5);
    DocumentFile::write(record, path("d.cal"));
    const Run run = tool({"dump", path("d.cal")});
    QCOMPARE(run.status, 0);
    QVERIFY(run.err.isEmpty());
    const QJsonObject root = QJsonDocument::fromJson(run.out).object();
    QCOMPARE(root.keys(), (QStringList{"Nazwa", "Numer", "Typ", "WidokAmpl", "ZakresyAmpl",
                                       "ZakresyCzDN", "ZakresyCzDO"}));
    QCOMPARE(root.value("Nazwa").toString(), QStringLiteral("Łódź"));
    const QJsonArray ranges = root.value("ZakresyAmpl").toArray();
    QCOMPARE(ranges.size(), 35);
    const QJsonObject range = ranges.at(1).toObject();
    QCOMPARE(range.keys(), (QStringList{"Cz", "CzHz", "Jm", "Kmm", "Kmz", "KmzDod", "Punkty", "Zak",
                                        "Zmierzony"}));
    QCOMPARE(range.value("Zak").toDouble(), 100.0);
    QVERIFY(range.value("Cz").isDouble());
    const QJsonObject point = range.value("Punkty").toArray().at(34).toObject();
    QCOMPARE(point.keys(), (QStringList{"Bk", "Bmd", "Bmr", "Dokl", "JmBk", "Nk", "Wl", "Wm",
                                        "Wpisany", "Zmierzony"}));
    QCOMPARE(point.value("Dokl").toInt(), 4);
    QCOMPARE(point.value("Wl").toBool(), true);
    const QJsonObject czRange = root.value("ZakresyCzDO").toArray().at(34).toObject();
    QCOMPARE(czRange.keys(), (QStringList{"Jm", "Kmm", "Kmz", "KmzDod", "NkDN_WmDO", "Punkty",
                                          "Zak", "Zmierzony"}));
    const QJsonObject czPoint = czRange.value("Punkty").toArray().at(0).toObject();
    QVERIFY(czPoint.contains("WmDN_NkDO"));
    QCOMPARE(czPoint.value("CzHz").toDouble(), 45.5);
    QVERIFY(run.out.contains("\"CzHz\": 45.5,"));
}

void CalToolTest::dumpThenBuildReproducesTheFile()
{
    DocumentExtension extension;
    extension.setDecisionRule(DecisionRule::FourZone);
    extension.setResolution(Characteristic::Frequency, 3, 0.25);
    extension.setValue(QStringLiteral("later"), QJsonArray{1, "ż"});
    DocumentFile::write(fullDocument(7), extension, path("full.cal"));
    const Run dump = tool({"dump", path("full.cal")});
    QCOMPARE(dump.status, 0);
    QCOMPARE(QJsonDocument::fromJson(dump.out).object().value("extension").toObject(),
             extension.json());
    writeBytes(path("full.json"), dump.out);
    const Run build = tool({"build", path("full.json"), path("again.cal")});
    QCOMPARE(build.status, 0);
    QVERIFY(build.err.isEmpty());
    QCOMPARE(fileBytes(path("again.cal")), fileBytes(path("full.cal")));
}

void CalToolTest::missingKeysAreZero()
{
    writeBytes(path("small.json"),
               R"({"Nazwa": "V", "ZakresyAmpl": [{"Zak": 1.5, "Punkty": [{}, {"Wm": -2}]}]})");
    QCOMPARE(tool({"build", path("small.json"), path("small.cal")}).status, 0);
    TDaneSprawdzania expected;
    expected.setNazwa(QStringLiteral("V"));
    expected.ZakresyAmpl(1).setZak(1.5);
    expected.ZakresyAmpl(1).Punkty(2).setWm(-2);
    QCOMPARE(fileBytes(path("small.cal")), expected.toBytes());
}

void CalToolTest::buildNamesAnOverflowingField()
{
    writeBytes(path("big.json"), R"({"ZakresyCzDN": [{}, {"Punkty": [{}, {}, {"Bk": 1e300}]}]})");
    const Run run = tool({"build", path("big.json"), path("big.cal")});
    QCOMPARE(run.status, 1);
    QVERIFY(run.err.contains("ZakresyCzDN[2].Punkty[3].Bk"));
    QVERIFY(run.err.contains("big.json"));
    QCOMPARE(run.err.count('\n'), 1);
    QVERIFY(!QFile::exists(path("big.cal")));
    QVERIFY_THROWS_EXCEPTION(EOverflowError,
                             DocumentJson::fromJson(R"({"ZakresyAmpl":[{"Zak":-1e39}]})"));
}

void CalToolTest::buildRefusesWrongKinds_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QByteArray>("field");
    QTest::newRow("not JSON") << QByteArray("{\"Nazwa\": ") << QByteArray("JSON");
    QTest::newRow("array") << QByteArray("[]") << QByteArray("JSON");
    QTest::newRow("text number") << QByteArray(R"({"ZakresyAmpl":[{"Zak":"1"}]})")
                                 << QByteArray("ZakresyAmpl[1].Zak");
    QTest::newRow("fraction Dokl") << QByteArray(R"({"ZakresyAmpl":[{"Punkty":[{"Dokl":1.5}]}]})")
                                   << QByteArray("ZakresyAmpl[1].Punkty[1].Dokl");
    QTest::newRow("Dokl 256") << QByteArray(R"({"ZakresyAmpl":[{"Punkty":[{"Dokl":256}]}]})")
                              << QByteArray("Dokl");
    QTest::newRow("36 ranges") << QByteArray("{\"ZakresyCzDO\":[" + QByteArray("{},").repeated(35) +
                                             "{}]}")
                               << QByteArray("ZakresyCzDO");
    QTest::newRow("bool as number") << QByteArray(R"({"WidokAmpl": 1})") << QByteArray("WidokAmpl");
    // Texts go into their fields whole and in Windows-1250, or not at all.
    QTest::newRow("Nazwa of 31") << QByteArray(R"({"Nazwa": "Miliwoltomierz cyfrowy V-640/12"})")
                                 << QByteArray("Nazwa");
    QTest::newRow("JmBk of 6") << QByteArray(R"({"ZakresyCzDN":[{"Punkty":[{"JmBk":"mVolts"}]}]})")
                               << QByteArray("ZakresyCzDN[1].Punkty[1].JmBk");
    QTest::newRow("not in the code page")
        << QByteArray(R"({"ZakresyAmpl":[{},{"KmzDod":"1\u03a9"}]})")
        << QByteArray("ZakresyAmpl[2].KmzDod");
    QTest::newRow("unknown Typ") << QByteArray(R"({"Typ": "Elektroniczny"})") << QByteArray("Typ");
}

void CalToolTest::buildRefusesWrongKinds()
{
    QFETCH(QByteArray, json);
    QFETCH(QByteArray, field);
    try {
        DocumentJson::fromJson(json);
        QFAIL("accepted");
    } catch (const EConvertError &error) {
        QVERIFY2(error.message().toUtf8().contains(field), qPrintable(error.message()));
    }
}

void CalToolTest::convertWritesTheCurrentLayout()
{
    // Current documents go through unchanged, leftovers after texts included.
    const QByteArray image = randomDocumentImage(3);
    writeBytes(path("cur.cal"), image + "trailing");
    QCOMPARE(tool({"convert", path("cur.cal"), path("cur2.cal")}).status, 0);
    QCOMPARE(fileBytes(path("cur2.cal")), image);
    // The extension data go along.
    DocumentExtension extension;
    extension.setMinTur(10);
    writeBytes(path("ext.cal"), image + extension.block());
    QCOMPARE(tool({"convert", path("ext.cal"), path("ext2.cal")}).status, 0);
    QCOMPARE(fileBytes(path("ext2.cal")), image + extension.block());
}

void CalToolTest::assessAgreesWithTheFormulas()
{
    // Random measured points in both arrays, in volts and millivolts, and
    // the budget of each worked out here as the formulas read.
    QRandomGenerator random(19);
    for (int document = 0; document < 6; ++document) {
        TDaneSprawdzania record;
        record.setTyp(document % 2 ? QStringLiteral("Analogowy") : QStringLiteral("Cyfrowy"));
        DocumentExtension extension;
        const QString rules[] = {"simple", "guard_band", "four_zone"};
        extension.setDecisionRule(*DecisionRules::fromKey(rules[document % 3]));
        auto unit = [&] { return random.bounded(2) ? QStringLiteral("mV") : QStringLiteral("V"); };
        auto fill = [&](auto range, Characteristic table, int k) {
            range.setZak(1);
            range.setJm(unit());
            range.setZmierzony(true);
            // Errors, tolerances and uncertainties of a size, so that every
            // decision comes up.
            const double f = range.Jm() == "mV" ? 1000 : 1;
            extension.setResolution(table, k, random.bounded(3) ? random.generateDouble() * f : 0);
            for (int j = 1; j <= 6; ++j) {
                auto point = range.Punkty(j);
                point.setJmBk(unit());
                const double toCalibrator = f / (point.JmBk() == "mV" ? 1000 : 1);
                const double t = 0.5 + random.generateDouble();
                point.setBmd(t * toCalibrator);
                point.setBmr(t * (random.generateDouble() * 3 - 1.5));
                point.setBk(random.bounded(4) ? random.generateDouble() / 2 * toCalibrator / f : 0);
                point.setWpisany(j != 2);
                point.setZmierzony(j != 3);
            }
        };
        for (int k = 1; k <= 3; ++k) {
            fill(record.ZakresyAmpl(k), Characteristic::Amplitude, k);
            fill(record.ZakresyCz(k), Characteristic::Frequency, k);
        }
        DocumentFile::write(record, extension, path("r.cal"));
        const double minTur = 1 + document;
        const Run run = tool({"assess", path("r.cal"), "--min-tur", QString::number(minTur)});
        QCOMPARE(run.status, 0);
        const QList<QByteArray> lines = run.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 2 * 3 * 4);
        for (int n = 0; n < lines.size(); ++n) {
            const QJsonObject line = QJsonDocument::fromJson(lines[n]).object();
            QCOMPARE(line.keys().size(), 12);
            qsizetype at = -1;
            for (const char *key : {"view", "range", "point", "unit", "error", "tolerance", "u_cal",
                                    "u_res", "U", "tur", "decision", "below_min_tur"}) {
                const qsizetype next = lines[n].indexOf('"' + QByteArray(key) + "\":");
                QVERIFY2(next > at, key);
                at = next;
            }
            const bool amplitude = n < 12;
            QCOMPARE(line.value("view").toString(), amplitude ? "amplitude" : "frequency");
            const int k = n % 12 / 4 + 1, j = QList<int>{1, 4, 5, 6}[n % 4];
            QCOMPARE(line.value("range").toInt(), k);
            QCOMPARE(line.value("point").toInt(), j);
            const TZakresCz cz = record.ZakresyCz(k);
            const TZakresAmpl ampl = record.ZakresyAmpl(k);
            const QString jm = amplitude ? ampl.Jm() : cz.Jm();
            const QString jmBk = amplitude ? ampl.Punkty(j).JmBk() : cz.Punkty(j).JmBk();
            const double bmr = amplitude ? ampl.Punkty(j).Bmr() : cz.Punkty(j).Bmr();
            const double bmd = amplitude ? ampl.Punkty(j).Bmd() : cz.Punkty(j).Bmd();
            const double bk = amplitude ? ampl.Punkty(j).Bk() : cz.Punkty(j).Bk();
            const double r = extension.resolution(
                amplitude ? Characteristic::Amplitude : Characteristic::Frequency, k);
            const double f = jm.contains('m') == jmBk.contains('m') ? 1
                             : jm.contains('m')                     ? 1000
                                                                    : 0.001;
            const double t = std::fabs(bmd) / f;
            const double uCal = std::fabs(bk) * (jmBk.contains('m') ? 1000 : 1) / std::sqrt(3);
            const double uRes = r / f / (2 * std::sqrt(3));
            const double raw = 2 * std::sqrt(uCal * uCal + uRes * uRes);
            double u = 0;
            if (raw > 0) {
                const double scale = std::pow(10, std::floor(std::log10(raw)) - 1);
                u = std::ceil(raw / scale - 1e-9) * scale;
            }
            const double e = std::fabs(bmr);
            const QString rule = rules[document % 3];
            const QString decision = rule == "simple"       ? (e <= t ? "pass" : "fail")
                                     : e <= t - u           ? "pass"
                                     : rule == "guard_band" ? "fail"
                                     : e <= t               ? "conditional pass"
                                     : e <= t + u           ? "conditional fail"
                                                            : "fail";
            auto near = [](double a, double b) {
                return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(b));
            };
            QCOMPARE(line.value("unit").toString(), jmBk);
            QCOMPARE(line.value("error").toDouble(), bmr);
            QVERIFY(near(line.value("tolerance").toDouble(), t));
            QVERIFY(near(line.value("u_cal").toDouble(), uCal));
            QVERIFY(near(line.value("u_res").toDouble(), uRes));
            QVERIFY2(near(line.value("U").toDouble(), u), lines[n]);
            QCOMPARE(line.value("tur").isNull(), u == 0);
            if (u > 0)
                QVERIFY(near(line.value("tur").toDouble(), t / u));
            QCOMPARE(line.value("decision").toString(), decision);
            QCOMPARE(line.value("below_min_tur").toBool(), u > 0 && t / u < minTur);
        }
    }
    const Run refused = tool({"assess", path("r.cal"), "--rule", "strict"});
    QCOMPARE(refused.status, 2);
    QCOMPARE(tool({"assess", path("none.cal")}).status, 1);
}

void CalToolTest::dumpOfALegacyFileShowsTheConvertedRecord()
{
    QByteArray legacy(DocumentFile::LegacySize, 0);
    legacy.replace(0, 3, "\x02V1");
    const Real48::Bytes ten = Real48::fromLongDouble(10);
    legacy.replace(84, 6, QByteArray(reinterpret_cast<const char *>(ten.data()), 6));
    legacy[84 + 12] = 3; // 400 Hz
    writeBytes(path("old.cal"), legacy);

    const Run run = tool({"dump", path("old.cal")});
    QCOMPARE(run.status, 0);
    const QJsonObject root = QJsonDocument::fromJson(run.out).object();
    QCOMPARE(root.value("WidokAmpl").toBool(), true);
    const QJsonObject range = root.value("ZakresyAmpl").toArray().at(0).toObject();
    QCOMPARE(range.value("Zak").toDouble(), 10.0);
    QCOMPARE(range.value("CzHz").toDouble(), 400.0);
    QCOMPARE(range.value("KmzDod").toString(), QStringLiteral("0"));

    QCOMPARE(tool({"convert", path("old.cal"), path("new.cal")}).status, 0);
    QCOMPARE(fileBytes(path("new.cal")), DocumentFile::read(path("old.cal")).toBytes());
}

void CalToolTest::unreadableInputIsStatusOne()
{
    writeBytes(path("short.cal"), QByteArray(100, 1));
    writeBytes(path("cut.cal"), QByteArray(160803, 0));
    for (const QStringList &arguments :
         {QStringList{"dump", path("none.cal")}, QStringList{"dump", path("short.cal")},
          QStringList{"convert", path("short.cal"), path("out.cal")},
          QStringList{"dump", path("cut.cal")},
          QStringList{"convert", path("cut.cal"), path("out.cal")},
          QStringList{"build", path("none.json"), path("out.cal")}}) {
        const Run run = tool(arguments);
        QCOMPARE(run.status, 1);
        QVERIFY(run.out.isEmpty());
        QCOMPARE(run.err.count('\n'), 1);
        QVERIFY2(run.err.contains(QFileInfo(arguments.at(1)).fileName().toUtf8()), run.err);
    }
    QVERIFY(!QFile::exists(path("out.cal")));
    const Run run = tool({"convert", path("short.cal") + "x", path("no/such/dir/out.cal")});
    QCOMPARE(run.status, 1);
}

void CalToolTest::wrongArgumentsAreStatusTwo_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("none") << QStringList{};
    QTest::newRow("unknown") << QStringList{"show", "x.cal"};
    QTest::newRow("dump without file") << QStringList{"dump"};
    QTest::newRow("build without output") << QStringList{"build", "x.json"};
    QTest::newRow("convert with three") << QStringList{"convert", "a", "b", "c"};
}

void CalToolTest::wrongArgumentsAreStatusTwo()
{
    QFETCH(QStringList, arguments);
    const Run run = tool(arguments);
    QCOMPARE(run.status, 2);
    QVERIFY(run.err.startsWith("usage: orvane707-cal"));
}

ORVANE_TEST_MAIN(CalToolTest)
#include "tst_caltool.moc"
