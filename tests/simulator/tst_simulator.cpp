#include "core/base/errors.h"
#include "core/calibrator/frames.h"
#include "core/simulator/simulatedcalibrator.h"
#include "core/simulator/simulatorlog.h"
#include "tests/support/core/testmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

Q_DECLARE_METATYPE(CalibratorState)
Q_DECLARE_METATYPE(SimulatorFault)

namespace {

CalibratorModel model(const QString &name)
{
    return {name, int(CalibratorModel::names().indexOf(name))};
}

// "<Z2F0N1.5>" is STX Z2F0N1.5 ETX: frames written as the transcripts of
// the other tests write them.
QByteArray wire(const QString &text)
{
    QByteArray bytes = text.toLatin1();
    bytes.replace('<', Frames::STX);
    bytes.replace('>', Frames::ETX);
    return bytes;
}

// Everything the calibrator reported, in order.
struct Recorder
{
    explicit Recorder(SimulatedCalibrator &calibrator)
    {
        QObject::connect(&calibrator, &SimulatedCalibrator::handled,
                         [this](const SimulatorEvent &event) { events.append(event); });
    }
    QList<SimulatorEvent> events;
};

} // namespace

class SimulatorTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void framesOfTheProgramSetTheInstrument_data();
    void framesOfTheProgramSetTheInstrument();
    void everyProtocolFaultIsNamedAndChangesNothing_data();
    void everyProtocolFaultIsNamedAndChangesNothing();
    void logLinesAreJson();
    void logTakesOnlyWhatTakesLines_data();
    void logTakesOnlyWhatTakesLines();
};

void SimulatorTest::framesOfTheProgramSetTheInstrument_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("frames");
    QTest::addColumn<CalibratorState>("expected");

    QTest::newRow("operate, then a step without the function")
        << "R-707"
        << "<Z2F0N1.50000><O><Z2N1.50010>" << CalibratorState{2, 0, 1'500'100, 0, true};
    // The limits of the table hold exactly, at their last decimal.
    QTest::newRow("205 mV is the last setting of 100 mV")
        << "R-707"
        << "<Z0F0N205.0000O>" << CalibratorState{0, 0, 205'000'000, 0, true};
    QTest::newRow("another range starts from nothing")
        << "R-707"
        << "<Z0F0N150.0000><Z1>" << CalibratorState{1, 0, 0, 0, false};
    QTest::newRow("100 A on a C model")
        << "R-707C"
        << "<F1Z:N100.0000O>" << CalibratorState{10, 1, 100'000'000, 0, true};
    // Seven decimals: the instrument sets the nearest millionth.
    QTest::newRow("decimals beyond its resolution round")
        << "R-707"
        << "<Z1F0N1.0000005>" << CalibratorState{1, 0, 1'000'001, 0, false};
    QTest::newRow("C returns to the power-on state")
        << "R-707F"
        << "<F4V400Z3N100.0000O><C>" << SimulatedCalibrator::powerOnState();
    QTest::newRow("C first in a frame, the rest after it")
        << "R-707"
        << "<Z2F0N1.5O><CZ1N1>" << CalibratorState{1, 0, 1'000'000, 0, false};
}

void SimulatorTest::framesOfTheProgramSetTheInstrument()
{
    QFETCH(QString, model);
    QFETCH(QString, frames);
    QFETCH(CalibratorState, expected);

    const QByteArray bytes = wire(frames);
    SimulatedCalibrator whole(::model(model));
    Recorder recorder(whole);
    whole.feed(bytes);
    QCOMPARE(whole.state(), expected);
    for (const SimulatorEvent &event : recorder.events)
        QVERIFY2(!event.fault, qPrintable(event.error));
    QCOMPARE(recorder.events.size(), frames.count(QLatin1Char('<')));
    QCOMPARE(recorder.events.last().state, expected);

    // The line hands the bytes over in pieces of any size.
    SimulatedCalibrator bytewise(::model(model));
    for (char byte : bytes)
        bytewise.feed(&byte, 1);
    QCOMPARE(bytewise.state(), expected);
    QVERIFY(!bytewise.insideFrame());
}

void SimulatorTest::everyProtocolFaultIsNamedAndChangesNothing_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<SimulatorFault>("fault");
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QString>("error");

    QTest::newRow("byte outside a frame")
        << "R-707" << QByteArray("\r") << SimulatorFault::ByteOutsideFrame << QByteArray("\r")
        << "Bajt 0x0D poza ramką";
    QTest::newRow("no ETX before the next STX")
        << "R-707" << wire("<Z2N1.5<S>") << SimulatorFault::MissingEtx << QByteArray("Z2N1.5")
        << "Ramka bez ETX przed następnym STX";
    // The range before it is thrown away with the frame.
    QTest::newRow("unknown command")
        << "R-707" << wire("<Z2XN1.5>") << SimulatorFault::UnknownCommand << QByteArray("Z2XN1.5")
        << "Nieznane polecenie „X”";
    QTest::newRow("F5 is no function")
        << "R-707F" << wire("<F5Z2N1.5>") << SimulatorFault::UnknownCommand
        << QByteArray("F5Z2N1.5") << "Nieznane polecenie „F5”";
    QTest::newRow("decimal comma") << "R-707" << wire("<Z2F0N1,5>") << SimulatorFault::NotANumber
                                   << QByteArray("Z2F0N1,5") << "Wartość „1,5” nie jest liczbą";
    QTest::newRow("beyond the setting limit")
        << "R-707" << wire("<Z2F0N20.50001O>") << SimulatorFault::BeyondSettingLimit
        << QByteArray("Z2F0N20.50001O")
        << "Nastawa 20,50001 V przekracza granicę nastawy zakresu 10V (20,5 V)";
    QTest::newRow("100 A on R-707")
        << "R-707F" << wire("<F1Z:N50.0000O>") << SimulatorFault::NotOnThisModel
        << QByteArray("F1Z:N50.0000O") << "Kalibrator R-707F nie ma zakresu 100A (Z:)";
    QTest::newRow("F4V without the frequency setting")
        << "R-707C" << wire("<F4V1000Z2N5.000000O>") << SimulatorFault::NotOnThisModel
        << QByteArray("F4V1000Z2N5.000000O")
        << "Kalibrator R-707C nie ma nastawy częstotliwości (F4V)";
    QTest::newRow("frequency below 45 Hz")
        << "R-707FC" << wire("<V44.99>") << SimulatorFault::FrequencyOutOfBand
        << QByteArray("V44.99") << "Częstotliwość 44,99 Hz poza przedziałem 45 - 2000 Hz";
    QTest::newRow("a frame no program sends")
        << "R-707" << wire("<N" + QString(300, QLatin1Char('1')) + ">")
        << SimulatorFault::FrameTooLong << "N" + QByteArray(255, '1')
        << "Ramka dłuższa niż 256 bajtów";
}

void SimulatorTest::everyProtocolFaultIsNamedAndChangesNothing()
{
    QFETCH(QString, model);
    QFETCH(QByteArray, bytes);
    QFETCH(SimulatorFault, fault);
    QFETCH(QByteArray, frame);
    QFETCH(QString, error);

    SimulatedCalibrator calibrator(::model(model));
    calibrator.feed(wire("<F1Z1N1.5O>"));
    const CalibratorState before = calibrator.state();
    Recorder recorder(calibrator);

    calibrator.feed(bytes);

    QVERIFY(!recorder.events.isEmpty());
    const SimulatorEvent &event = recorder.events.first();
    QCOMPARE(event.fault, std::optional<SimulatorFault>(fault));
    QCOMPARE(event.frame, frame);
    QCOMPARE(event.error, error);
    QCOMPARE(event.state, before);
    // Only the missing ETX lets the next frame through: it stands whole.
    const CalibratorState after =
        fault == SimulatorFault::MissingEtx ? CalibratorState{1, 1, 1'500'000, 0, false} : before;
    QCOMPARE(calibrator.state(), after);

    // The instrument goes on taking frames.
    calibrator.feed(wire("<Z2F0N2O>"));
    QCOMPARE(calibrator.state(), (CalibratorState{2, 0, 2'000'000, 0, true}));
}

void SimulatorTest::logLinesAreJson()
{
    SimulatedCalibrator calibrator(model(QStringLiteral("R-707F")));
    Recorder recorder(calibrator);
    calibrator.feed(wire("<Z2F0N1.50000>\x7f<F4V45.5Z0N\"\\>"));
    QCOMPARE(recorder.events.size(), 3);

    QCOMPARE(SimulatorLog::line(recorder.events[0], 1.2344),
             QByteArray("{\"t\": 1.234, \"frame\": \"Z2F0N1.50000\", \"range\": \"10V\", "
                        "\"function\": \"F0\", \"frequency\": 0, \"value\": 1.5, \"unit\": "
                        "\"V\", \"output\": \"standby\", \"error\": null}\n"));
    // Bytes that are no text are escaped; the Polish text goes as UTF-8.
    QCOMPARE(SimulatorLog::line(recorder.events[1], 2),
             QByteArray("{\"t\": 2.000, \"frame\": \"\\u007f\", \"range\": \"10V\", "
                        "\"function\": \"F0\", \"frequency\": 0, \"value\": 1.5, \"unit\": "
                        "\"V\", \"output\": \"standby\", \"error\": \"Bajt 0x7F poza ramką\"}\n"));
    QVERIFY(SimulatorLog::line(recorder.events[2], 0)
                .contains("\"frame\": \"F4V45.5Z0N\\\"\\\\\", \"range\""));

    // The file takes each line as it comes.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sim.log"));
    {
        SimulatorLog log(path);
        for (const SimulatorEvent &event : recorder.events)
            QVERIFY(log.write(event));
    }
    SimulatorLog(path).write(recorder.events[0]);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().count('\n'), 4);
    QVERIFY_THROWS_EXCEPTION(EInOutError, SimulatorLog(dir.filePath(QStringLiteral("no/such"))));
}

void SimulatorTest::logTakesOnlyWhatTakesLines_data()
{
    // A FIFO, a folder or a file made in a scratch folder, or a device; a
    // piece of the reason it is refused for; what writing to it reports.
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<QStringList>("failures");
    QTest::newRow("FIFO") << "fifo"
                          << "FIFO" << QStringList();
    QTest::newRow("folder") << "folder"
                            << "katalog" << QStringList();
    QTest::newRow("file") << "file"
                          << "" << QStringList();
    QTest::newRow("/dev/null") << "/dev/null"
                               << "" << QStringList();
    // Told once, however many lines fail.
    QTest::newRow("full disk") << "/dev/full"
                               << "" << QStringList{"No space left on device"};
}

void SimulatorTest::logTakesOnlyWhatTakesLines()
{
    QFETCH(QString, target);
    QFETCH(QString, refusal);
    QFETCH(QStringList, failures);
    QTemporaryDir dir;
    const QString path = target.startsWith(QLatin1Char('/')) ? target : dir.filePath(target);
    if (target == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    if (target == QLatin1String("folder"))
        QVERIFY(QDir().mkdir(path));
    QStringList reported;
    try {
        SimulatorLog log(path);
        QVERIFY2(refusal.isEmpty(), "the log was opened");
        log.onFailure = [&reported](const QString &reason) { reported.append(reason); };
        SimulatedCalibrator calibrator;
        QObject::connect(&calibrator, &SimulatedCalibrator::handled,
                         [&log](const SimulatorEvent &event) { log.write(event); });
        // A noisy line: a thousand stray bytes are one line.
        calibrator.feed(QByteArray(1000, 'x') + wire("<S><O>"));
    } catch (const EInOutError &error) {
        QVERIFY2(!refusal.isEmpty() && error.detail().contains(refusal),
                 qPrintable(error.detail()));
    }
    QCOMPARE(reported, failures);
    if (target == QLatin1String("file")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 4);
        QVERIFY(lines.join().size() < 1000);
        QVERIFY(lines[0].contains("\"frame\": \"" + QByteArray(16, 'x') + "\", \"range\""));
        QVERIFY(lines[0].endsWith("\"error\": \"Bajty poza ramką: 1000\"}"));
        QVERIFY(lines[1].contains("\"frame\": \"S\""));
    }
}

ORVANE_TEST_MAIN(SimulatorTest)
#include "tst_simulator.moc"
