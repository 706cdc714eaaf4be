#include "core/base/configpaths.h"
#include "core/calibrator/calibratormodel.h"
#include "core/calibrator/frames.h"
#include "core/document/documentsession.h"
#include "core/link/seriallink.h"
#include "core/simulator/simulatedcalibrator.h"
#include "core/simulator/simulatorterminal.h"
#include "gui/app/program.h"
#include "gui/app/tform_oknoglowne.h"
#include "gui/characteristic/amplitude/amplitudepage.h"
#include "gui/document/tform_sprawdzanie.h"
#include "gui/measure/tform_pomiary.h"
#include "gui/measure/tform_pomiarydn.h"
#include "gui/measure/tform_pomiarydo.h"
#include "gui/panel/tform_pulpit.h"
#include "gui/simulator/simulatordisplay.h"
#include "tests/support/core/testmain.h"
#include "tests/support/core/testservices.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

Q_DECLARE_METATYPE(CalibratorState)

namespace {

constexpr int LineTimeoutMs = 10'000;

void writeIni(const QString &key, const QVariant &value)
{
    QSettings ini(ConfigPaths::file(QStringLiteral("orvane.ini")), QSettings::IniFormat);
    ini.setValue(key, value);
}

void chooseModel(const QString &name)
{
    CalibratorModel{name, int(CalibratorModel::names().indexOf(name))}.save();
}

// The program's real serial link. After every frame it waits until the
// simulator at the other end of the pseudo-terminal has read it, so the
// instrument's state is current as soon as the step that sent it returns.
class LineToSimulator : public Link
{
public:
    explicit LineToSimulator(SimulatorTerminal &terminal) : m_terminal(terminal) {}

    void setPortName(const QString &portName) override { m_serial.setPortName(portName); }
    QString portName() const override { return m_serial.portName(); }
    bool open() override { return m_serial.open(); }
    void close() override { m_serial.close(); }
    bool isOpen() const override { return m_serial.isOpen(); }
    void send(const QByteArray &frame) override
    {
        m_serial.send(frame);
        m_sent += frame.size();
        lastFrame = frame;
        if (!m_terminal.waitForBytes(m_sent, LineTimeoutMs))
            lost = true;
    }

    bool lost = false;
    QByteArray lastFrame;

private:
    SimulatorTerminal &m_terminal;
    SerialLink m_serial;
    qint64 m_sent = 0;
};

// The whole program, its windows answered from a script and its pauses
// instant, driving a simulated R-707FC over the serial line.
struct OverTheLine
{
    SimulatedCalibrator calibrator{{QStringLiteral("R-707FC"), 3}};
    SimulatorTerminal terminal{calibrator};
    LineToSimulator link{terminal};
    Transcript transcript;
    InstantClock clock{transcript};
    ScriptedPrompts prompts;
    std::unique_ptr<Program> program;

    OverTheLine()
    {
        chooseModel(QStringLiteral("R-707FC"));
        writeIni(QStringLiteral("COMM/DEVICE"), terminal.path());
        program = std::make_unique<Program>(QStringList{}, Program::Seams{&link, &clock, &prompts});
        program->showSplash();
        program->createWindows();
    }

    const CalibratorState &now() const { return calibrator.state(); }

    // A new document of the kind given, with one range of the amplitude
    // characteristic, on show in the verification window.
    TZakresAmpl newDocument(const QString &typ, long double zak, const QString &jm, int cz,
                            long double czHz)
    {
        TForm_Sprawdzanie *window = program->verificationWindow();
        DocumentSession &session = window->session();
        session.setMeterDialog([&session, typ](bool) {
            session.record().setTyp(typ);
            return true;
        });
        session.newDocument();
        TZakresAmpl range = session.record().ZakresyAmpl(1);
        range.setZak(zak);
        range.setJm(jm);
        range.setCz(cz);
        range.setCzHz(czHz);
        range.setKmm(0.5L);
        range.setKmzDod(QStringLiteral("0"));
        return range;
    }

    void measure()
    {
        prompts.dialogHandlers.push_back({QStringLiteral("TForm_Pomiary"), [](QDialog *dialog) {
                                              auto *d = qobject_cast<TForm_Pomiary *>(dialog);
                                              d->setZakresy(TForm_Pomiary::BiezacyZakres);
                                              d->setPunkty(TForm_Pomiary::Wszystkie);
                                              d->PPOKClick();
                                              return d->result();
                                          }});
        TForm_Sprawdzanie *window = program->verificationWindow();
        window->findChild<AmplitudePage *>()->grid().showDocument();
        window->Menu_Pomiary->setEnabled(true);
        window->Menu_Pomiary->trigger();
    }
};

// One panel session: a step, then the state the instrument must be in.
struct PanelStep
{
    std::function<void(TForm_Pulpit &)> action;
    CalibratorState expected;
};

} // namespace

class SimulatorSessionTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void panelSessionDrivesTheInstrument();
    void exactSettingRunSetsEveryPoint();
    void exactReadingRunFollowsEveryStep();
    void simulatorProgramLogsTheSessionAndTheHostileBytes();
    void simulatorPortDrivesTheInstrumentInsideTheProgram_data();
    void simulatorPortDrivesTheInstrumentInsideTheProgram();

private:
    QTemporaryDir m_config;
};

void SimulatorSessionTest::init()
{
    QVERIFY(m_config.isValid());
    qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
    QFile::remove(ConfigPaths::file(QStringLiteral("orvane.ini")));
    QFile::remove(CalibratorModel::storePath());
}

void SimulatorSessionTest::panelSessionDrivesTheInstrument()
{
    OverTheLine line;
    const auto key = [](int k, Qt::KeyboardModifiers modifiers = {}) {
        return
            [k, modifiers](TForm_Pulpit &panel) { QTest::keyClick(&panel, Qt::Key(k), modifiers); };
    };
    const QList<PanelStep> steps = {
        {[](TForm_Pulpit &) {}, SimulatedCalibrator::powerOnState()},
        {[](TForm_Pulpit &panel) {
             QTest::mouseClick(panel.Z[2], Qt::LeftButton, {}, QPoint(5, 10));
             QTest::keyClicks(&panel, QStringLiteral("1.5"));
             QTest::keyClick(&panel, Qt::Key_E);
         },
         CalibratorState{2, 0, 1'500'000, 0, false}},
        {key(Qt::Key_S), CalibratorState{2, 0, 1'500'000, 0, true}},
        {key(Qt::Key_Plus, Qt::KeypadModifier), CalibratorState{2, 0, 1'500'100, 0, true}},
        {key(Qt::Key_Minus, Qt::KeypadModifier | Qt::AltModifier),
         CalibratorState{2, 0, 1'490'100, 0, true}},
        {[](TForm_Pulpit &panel) {
             QTest::keyClick(&panel, Qt::Key_F);
             QTest::keyClick(&panel, Qt::Key_E);
         },
         CalibratorState{2, 1, 1'490'100, 0, true}},
        {[](TForm_Pulpit &panel) {
             QTest::mouseClick(panel.F[5], Qt::LeftButton, {}, QPoint(5, 10));
             QTest::keyClicks(&panel, QStringLiteral("45.5"));
             QTest::keyClick(&panel, Qt::Key_E);
         },
         CalibratorState{2, 4, 1'490'100, 45'500, true}},
        // The high-voltage range warns and puts the output into standby
        // before anything else goes.
        {[](TForm_Pulpit &panel) {
             QTest::mouseClick(panel.Z[3], Qt::LeftButton, {}, QPoint(5, 10));
         },
         CalibratorState{2, 4, 1'490'100, 45'500, false}},
        {key(Qt::Key_C), SimulatedCalibrator::powerOnState()},
    };

    QList<CalibratorState> reached;
    line.prompts.dialogHandlers.push_back({QStringLiteral("Form_Pulpit"), [&](QDialog *dialog) {
                                               dialog->show();
                                               auto &panel = *qobject_cast<TForm_Pulpit *>(dialog);
                                               for (const PanelStep &step : steps) {
                                                   step.action(panel);
                                                   reached.append(line.now());
                                               }
                                               // The output left on at the end.
                                               QTest::keyClick(&panel, Qt::Key_S);
                                               reached.append(line.now());
                                               dialog->hide();
                                               return int(QDialog::Rejected);
                                           }});
    line.program->mainWindow()->Button_SterowanieKalClick();

    QVERIFY(!line.link.lost);
    QCOMPARE(line.prompts.texts(), QStringList{"Zaciski wysokonapięciowe  -  HIGH VOLTAGE"});
    QCOMPARE(reached.size(), steps.size() + 1);
    for (int i = 0; i < steps.size(); ++i)
        QCOMPARE(reached[i], steps[i].expected);
    QVERIFY(reached.last().operate);
    // Closing the panel resets the instrument, and the output follows the
    // standby button as it was left.
    QCOMPARE(line.now(), (CalibratorState{0, 0, 0, 0, true}));
    QVERIFY(!line.link.isOpen());
}

void SimulatorSessionTest::exactSettingRunSetsEveryPoint()
{
    OverTheLine line;
    TZakresAmpl range =
        line.newDocument(QStringLiteral("Cyfrowy"), 20, QStringLiteral("mA"), 4, 1000);
    const long double nominal[] = {5, 15};
    for (int j = 1; j <= 2; ++j) {
        TPunktAmpl point = range.Punkty(j);
        point.setNk(nominal[j - 1]);
        point.setWpisany(true);
        point.setWl(true);
    }

    QList<CalibratorState> whileShown;
    for (const char *indication : {"5,01", "14,98"}) {
        line.prompts.dialogHandlers.push_back(
            {QStringLiteral("TForm_PomiaryDN"), [&line, &whileShown, indication](QDialog *dialog) {
                 auto *d = qobject_cast<TForm_PomiaryDN *>(dialog);
                 d->activateIfPending();
                 whileShown.append(line.now());
                 d->typeIndication(QString::fromLatin1(indication));
                 d->pressOk();
                 return d->result();
             }});
    }
    line.measure();

    QVERIFY(!line.link.lost);
    QCOMPARE(line.prompts.texts(), QStringList());
    // The meter's reading is typed while the calibrator holds the point.
    QCOMPARE(whileShown,
             (QList<CalibratorState>{CalibratorState{6, 4, 5'000'000, 1'000'000, true},
                                     CalibratorState{6, 4, 15'000'000, 1'000'000, true}}));
    // The run ends with the output in standby, the last setting kept.
    CalibratorState standby = whileShown.last();
    standby.operate = false;
    QCOMPARE(line.link.lastFrame, Frames::standbyFrame());
    QCOMPARE(line.now(), standby);
    QVERIFY(range.Punkty(2).Zmierzony());
}

void SimulatorSessionTest::exactReadingRunFollowsEveryStep()
{
    OverTheLine line;
    TZakresAmpl range =
        line.newDocument(QStringLiteral("Analogowy"), 10, QStringLiteral("V"), 1, 50);
    TPunktAmpl point = range.Punkty(1);
    point.setWm(5);
    point.setWpisany(true);
    point.setWl(true);

    QList<CalibratorState> reached;
    line.prompts.dialogHandlers.push_back(
        {QStringLiteral("TForm_PomiaryDO"), [&line, &reached](QDialog *dialog) {
             auto *d = qobject_cast<TForm_PomiaryDO *>(dialog);
             d->activateIfPending();
             reached.append(line.now());
             d->selectDigit(2);
             d->clickUp();
             reached.append(line.now());
             d->clickUp();
             reached.append(line.now());
             d->clickDown();
             reached.append(line.now());
             d->OkBtnClick();
             return d->result();
         }});
    line.measure();

    QVERIFY(!line.link.lost);
    QCOMPARE(reached, (QList<CalibratorState>{CalibratorState{2, 1, 5'000'000, 0, true},
                                              CalibratorState{2, 1, 5'000'100, 0, true},
                                              CalibratorState{2, 1, 5'000'200, 0, true},
                                              CalibratorState{2, 1, 5'000'100, 0, true}}));
    // What the run stores is what the instrument was set to.
    QCOMPARE(double(range.Punkty(1).Nk()), 5.0001);
    QCOMPARE(line.link.lastFrame, Frames::standbyFrame());
    QVERIFY(!line.now().operate);
}

void SimulatorSessionTest::simulatorProgramLogsTheSessionAndTheHostileBytes()
{
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("R707"));
    const QString logPath = dir.filePath(QStringLiteral("sim.log"));
    QProcess simulator;
    simulator.start(QStringLiteral(SIMULATOR_PROGRAM),
                    {QStringLiteral("--headless"), QStringLiteral("--link"), link,
                     QStringLiteral("--log"), logPath, QStringLiteral("--model"),
                     QStringLiteral("R-707")});
    QVERIFY(simulator.waitForStarted(LineTimeoutMs));
    QVERIFY(simulator.waitForReadyRead(LineTimeoutMs));
    const QString path = QString::fromLocal8Bit(simulator.readLine()).trimmed();
    QVERIFY2(path.startsWith(QLatin1String("/dev/")), qPrintable(path));
    QCOMPARE(QFileInfo(link).symLinkTarget(), path);

    // The program, as it is, with orvane.ini naming the link.
    writeIni(QStringLiteral("COMM/DEVICE"), link);
    Transcript transcript;
    InstantClock clock{transcript};
    ScriptedPrompts prompts;
    Program program({}, Program::Seams{nullptr, &clock, &prompts});
    program.showSplash();
    program.createWindows();
    prompts.dialogHandlers.push_back({QStringLiteral("Form_Pulpit"), [](QDialog *dialog) {
                                          dialog->show();
                                          auto *panel = qobject_cast<TForm_Pulpit *>(dialog);
                                          QTest::keyClick(panel, Qt::Key_U);
                                          QTest::keyClick(panel, Qt::Key_U);
                                          QTest::keyClicks(panel, QStringLiteral("1.5"));
                                          QTest::keyClick(panel, Qt::Key_E);
                                          QTest::keyClick(panel, Qt::Key_S);
                                          dialog->hide();
                                          return int(QDialog::Rejected);
                                      }});
    program.mainWindow()->Button_SterowanieKalClick();
    QCOMPARE(prompts.texts(), QStringList());

    // Someone else writes to the port.
    const int hostile = ::open(QFile::encodeName(link).constData(), O_WRONLY | O_NOCTTY);
    QVERIFY(hostile >= 0);
    const QByteArray bytes("AT\r\x02Z:N1\x03\x02N1");
    QCOMPARE(::write(hostile, bytes.constData(), bytes.size()), ssize_t(bytes.size()));
    ::close(hostile);

    simulator.terminate();
    QVERIFY(simulator.waitForFinished(LineTimeoutMs));
    QCOMPARE(simulator.exitStatus(), QProcess::NormalExit);
    QCOMPARE(simulator.exitCode(), 0);
    QVERIFY(!QFileInfo(link).isSymLink());

    QFile log(logPath);
    QVERIFY(log.open(QIODevice::ReadOnly));
    QStringList lines;
    while (!log.atEnd()) {
        const QJsonObject entry = QJsonDocument::fromJson(log.readLine()).object();
        QVERIFY(!entry.isEmpty());
        lines.append(QStringLiteral("%1 %2 %3 %4 %5 %6")
                         .arg(entry[QLatin1String("frame")].toString(),
                              entry[QLatin1String("range")].toString(),
                              entry[QLatin1String("function")].toString(),
                              QString::number(entry[QLatin1String("value")].toDouble()),
                              entry[QLatin1String("output")].toString(),
                              entry[QLatin1String("error")].toString()));
    }
    QCOMPARE(lines, (QStringList{
                        "S 100mV F0 0 standby ",
                        "Z2F0N1.50000 10V F0 1.5 standby ",
                        "S 10V F0 1.5 standby ",
                        "O 10V F0 1.5 operate ",
                        "C 100mV F0 0 standby ",
                        "O 100mV F0 0 operate ",
                        // One line for the run of stray bytes, with its count.
                        "AT\r 100mV F0 0 operate Bajty poza ramką: 3",
                        "Z:N1 100mV F0 0 operate Kalibrator R-707 nie ma zakresu 100A (Z:)",
                    }));
}

void SimulatorSessionTest::simulatorPortDrivesTheInstrumentInsideTheProgram_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("device");
    QTest::newRow("DEVICE=simulator") << QStringList{} << "simulator";
    // The demo leaves the stored port as it is.
    QTest::newRow("--demo") << QStringList{"--demo"} << "";
}

void SimulatorSessionTest::simulatorPortDrivesTheInstrumentInsideTheProgram()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, device);
    chooseModel(QStringLiteral("R-707C"));
    writeIni(QStringLiteral("COMM/PORT"), 3);
    if (!device.isEmpty())
        writeIni(QStringLiteral("COMM/DEVICE"), device);
    QFile ini(ConfigPaths::file(QStringLiteral("orvane.ini")));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray stored = ini.readAll();
    ini.close();

    Transcript transcript;
    InstantClock clock{transcript};
    ScriptedPrompts prompts;
    Program program(arguments, Program::Seams{nullptr, &clock, &prompts});
    program.start();
    SimulatorDisplay *display = program.simulatorDisplay();
    QVERIFY(display->isVisible());
    // The program's windows may come in front of it.
    QVERIFY(!display->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    CalibratorState reached;
    QString shown;
    bool lit = false;
    prompts.dialogHandlers.push_back({QStringLiteral("Form_Pulpit"), [&](QDialog *dialog) {
                                          dialog->show();
                                          auto *panel = qobject_cast<TForm_Pulpit *>(dialog);
                                          QTest::mouseClick(panel->Z[10], Qt::LeftButton, {},
                                                            QPoint(5, 10));
                                          QTest::keyClicks(panel, QStringLiteral("12.5"));
                                          QTest::keyClick(panel, Qt::Key_E);
                                          QTest::keyClick(panel, Qt::Key_S);
                                          reached = program.simulator().state();
                                          shown = display->displayText();
                                          lit = display->operateLit();
                                          dialog->hide();
                                          return int(QDialog::Rejected);
                                      }});
    program.mainWindow()->Button_SterowanieKalClick();

    QCOMPARE(prompts.texts(), QStringList());
    // 100 A has no DC: the panel sends 50 Hz.
    QCOMPARE(reached, (CalibratorState{10, 1, 12'500'000, 0, true}));
    QCOMPARE(shown, QStringLiteral("  12.5000"));
    QVERIFY(lit);
    QCOMPARE(program.simulator().model().name, QStringLiteral("R-707C"));
    QCOMPARE(program.simulator().state(), (CalibratorState{0, 0, 0, 0, true}));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QCOMPARE(ini.readAll(), stored);
}

ORVANE_TEST_MAIN(SimulatorSessionTest)
#include "tst_simulatorsession.moc"
