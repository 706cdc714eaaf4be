#include "core/base/clock.h"
#include "core/base/configpaths.h"
#include "core/base/errorbox.h"
#include "core/document/uncertaintysettings.h"
#include "core/link/seriallink.h"
#include "core/link/serialsettings.h"
#include "core/register/registerlocation.h"
#include "gui/app/mainwindowlayout.h"
#include "gui/app/program.h"
#include "gui/app/tform_oknoglowne.h"
#include "gui/app/tform_oprogramie.h"
#include "gui/app/tform_wyborkal.h"
#include "gui/document/tform_sprawdzanie.h"
#include "gui/link/tform_rs232.h"
#include "gui/panel/tform_pulpit.h"
#include "tests/support/core/pseudoterminal.h"
#include "tests/support/core/testmain.h"
#include "tests/support/core/testservices.h"

#include <QButtonGroup>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

TForm_OknoGlowne::Windows withModelChoice(TForm_WyborKal *wyborKal)
{
    TForm_OknoGlowne::Windows windows;
    windows.wyborKal = wyborKal;
    return windows;
}

// The main window with the model choice dialog and nothing else.
struct WithModelChoice
{
    TestServices t;
    TForm_WyborKal wyborKal{t.services};
    TForm_OknoGlowne window{t.services, withModelChoice(&wyborKal), {}};
};

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void resizeKeepsTheMinimumAndCentresThePicture_data();
    void resizeKeepsTheMinimumAndCentresThePicture();
    void halvesRoundToEven_data();
    void halvesRoundToEven();
    void frontPanelOpensWithStandbyAndClosesWithReset();
    void deviceFromTheIniGetsTheStandbyFrame();
    void missingPortShowsTheErrorAndKeepsTheButtons();
    void refusedWriteIsReportedAndTheLinkCloses_data();
    void refusedWriteIsReportedAndTheLinkCloses();
    void freshUserShowsR707();
    void choosingAModelStoresItAndShowsIt();
    void cancellingTheModelChoiceChangesNothing();
    void commandLineDocumentOpensOnlyOnTheFirstActivation();
    void noArgumentNeverOpensTheVerificationWindow();
    void hintLineFollowsTheMouse();
    void generalErrorBoxCaptions();
    void startUpCreatesEveryWindowOnce();
    void verificationWindowIsMadeWhenFirstOpened();
    void settingsFilesThatAreNoFilesAreLeftAlone();

private:
    QTemporaryDir m_config;
};

void MainWindowTest::init()
{
    qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
    QFile::remove(CalibratorModel::storePath());
}

void MainWindowTest::resizeKeepsTheMinimumAndCentresThePicture_data()
{
    QTest::addColumn<QSize>("proposed");
    QTest::addColumn<int>("clientHeight");
    QTest::addColumn<QSize>("accepted");
    QTest::addColumn<QPoint>("picture");
    QTest::newRow("design size") << QSize(640, 480) << 480 << QSize(640, 480) << QPoint(0, 14);
    QTest::newRow("too small") << QSize(500, 300) << 480 << QSize(640, 480) << QPoint(0, 14);
    // (1025 - 632) / 2 = 196.5 rounds to 196; (801 - 453) / 2 = 174.
    QTest::newRow("odd width") << QSize(1025, 800) << 801 << QSize(1025, 800) << QPoint(192, 174);
    // (1027 - 632) / 2 = 197.5 rounds to 198.
    QTest::newRow("other odd width")
        << QSize(1027, 768) << 768 << QSize(1027, 768) << QPoint(194, 158);
    // The top comes from the current client height, not the proposed one.
    QTest::newRow("current height decides the top")
        << QSize(800, 1000) << 600 << QSize(800, 1000) << QPoint(80, 74);
}

void MainWindowTest::resizeKeepsTheMinimumAndCentresThePicture()
{
    QFETCH(QSize, proposed);
    QFETCH(int, clientHeight);
    QFETCH(QSize, accepted);
    QFETCH(QPoint, picture);
    const MainWindowLayout layout = MainWindowLayout::compute(proposed, clientHeight);
    QCOMPARE(layout.size, accepted);
    QCOMPARE(layout.picture, picture);
    QCOMPARE(layout.wyborKalTop, picture.y() + 306);
    QCOMPARE(layout.sterowanieKalTop, picture.y() + 338);
    QCOMPARE(layout.sprawdzanieMierTop, picture.y() + 370);
    QCOMPARE(layout.oprogramieTop, layout.sprawdzanieMierTop);
    QCOMPARE(layout.koniecTop, layout.sterowanieKalTop);
    QCOMPARE(layout.leftButtonsLeft, picture.x() + 15);
    QCOMPARE(layout.rightButtonsLeft, picture.x() + 520);
}

void MainWindowTest::halvesRoundToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("rounded");
    QTest::newRow("0.5") << 0.5 << 0;
    QTest::newRow("1.5") << 1.5 << 2;
    QTest::newRow("2.5") << 2.5 << 2;
    QTest::newRow("-0.5") << -0.5 << 0;
    QTest::newRow("-1.5") << -1.5 << -2;
    QTest::newRow("2.4") << 2.4 << 2;
    QTest::newRow("2.6") << 2.6 << 3;
}

void MainWindowTest::halvesRoundToEven()
{
    QFETCH(double, value);
    QFETCH(int, rounded);
    QCOMPARE(roundHalfToEven(value), rounded);
}

void MainWindowTest::frontPanelOpensWithStandbyAndClosesWithReset()
{
    TestServices t;
    TForm_Pulpit pulpit(t.services);
    pulpit.setStandby(false);
    TForm_OknoGlowne::Windows windows;
    windows.pulpit = &pulpit;
    TForm_OknoGlowne window(t.services, windows, {});

    bool hiddenWhileUp = false;
    bool standbyWhileUp = false;
    t.prompts.dialogHandlers.push_back({QStringLiteral("Form_Pulpit"), [&](QDialog *) {
                                            hiddenWhileUp = !window.controlsVisible();
                                            standbyWhileUp = pulpit.standby();
                                            return int(QDialog::Rejected);
                                        }});
    window.Button_SterowanieKalClick();

    QVERIFY(hiddenWhileUp);
    QVERIFY(standbyWhileUp);
    QCOMPARE(t.transcript.lines(), (QStringList{"open", "<S>", "<C>", "100ms", "<S>", "close"}));
    QVERIFY(window.controlsVisible());
    QVERIFY(!t.link.isOpen());
}

void MainWindowTest::deviceFromTheIniGetsTheStandbyFrame()
{
    PseudoTerminal pty;
    if (!pty.isValid())
        QSKIP("no pseudo-terminals here");
    {
        QSettings ini(ConfigPaths::file(QStringLiteral("orvane.ini")), QSettings::IniFormat);
        ini.setValue(QStringLiteral("COMM/DEVICE"), pty.path());
    }

    // The real link and clock; only the prompts are scripted.
    SerialLink link;
    EventLoopClock clock;
    ScriptedPrompts prompts;
    Services services{link, clock, prompts, {}};
    TForm_RS232 rs232(services);
    TForm_Pulpit pulpit(services);
    TForm_OknoGlowne::Windows windows;
    windows.pulpit = &pulpit;
    TForm_OknoGlowne window(services, windows, {});
    window.show();

    QByteArray received;
    prompts.dialogHandlers.push_back({QStringLiteral("Form_Pulpit"), [&](QDialog *) {
                                          received = pty.read(3);
                                          return int(QDialog::Rejected);
                                      }});
    QTest::mouseClick(window.Button_SterowanieKal, Qt::LeftButton);

    QCOMPARE(received, QByteArray("\x02\x53\x03"));
    QVERIFY(prompts.messages.isEmpty());
    QVERIFY(!link.isOpen());
}

void MainWindowTest::missingPortShowsTheErrorAndKeepsTheButtons()
{
    TestServices t;
    t.link.failOpen = true;
    TForm_Pulpit pulpit(t.services);
    TForm_OknoGlowne::Windows windows;
    windows.pulpit = &pulpit;
    TForm_OknoGlowne window(t.services, windows, {});
    window.show();

    window.Button_SterowanieKalClick();

    QCOMPARE(t.prompts.messages.size(), 1);
    const PromptMessage &box = t.prompts.messages.constFirst();
    QCOMPARE(box.text, QStringLiteral("Nie można otworzyć portu komunikacyjnego."));
    QCOMPARE(box.caption, QStringLiteral("Błąd komunikacji"));
    QCOMPARE(box.icon, PromptIcon::Critical);
    QVERIFY(box.detail.contains(QLatin1String("no such device")));
    QVERIFY(t.prompts.dialogsShown.isEmpty());
    QVERIFY(t.transcript.frames().isEmpty());
    QVERIFY(window.controlsVisible());
    for (QPushButton *button :
         {window.Button_WyborKal, window.Button_SterowanieKal, window.Button_SprawdzanieMier,
          window.Button_Oprogramie, window.Button_Koniec})
        QVERIFY(button->isVisible());

    // The next try opens afresh.
    t.link.failOpen = false;
    window.Button_SterowanieKalClick();
    QCOMPARE(t.transcript.frames().constFirst(), QStringLiteral("<S>"));
}

void MainWindowTest::refusedWriteIsReportedAndTheLinkCloses_data()
{
    // Where the adapter is pulled out: before the panel comes up, or while
    // it is up and the operator presses a key or clicks a button.
    QTest::addColumn<QString>("when");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("standby before the panel") << "before" << QStringList{"open", "close"};
    QTest::newRow("key on the panel") << "key" << QStringList{"open", "<S>", "close"};
    QTest::newRow("click on the panel") << "click" << QStringList{"open", "<S>", "close"};
}

void MainWindowTest::refusedWriteIsReportedAndTheLinkCloses()
{
    QFETCH(QString, when);
    QFETCH(QStringList, lines);
    TestServices t;
    TForm_Pulpit pulpit(t.services);
    TForm_OknoGlowne::Windows windows;
    windows.pulpit = &pulpit;
    TForm_OknoGlowne window(t.services, windows, {});

    bool panelStayedUp = false;
    bool linkStayedOpen = false;
    t.prompts.dialogHandlers.push_back({QStringLiteral("Form_Pulpit"), [&](QDialog *dialog) {
                                            dialog->show();
                                            t.link.framesBeforeWriteFailure = 0;
                                            if (when == QLatin1String("key"))
                                                QTest::keyClick(&pulpit, Qt::Key_S);
                                            else
                                                QTest::mouseClick(pulpit.SBtn, Qt::LeftButton);
                                            panelStayedUp = pulpit.isVisible();
                                            linkStayedOpen = t.link.isOpen();
                                            // Nothing more reaches the link.
                                            QTest::keyClick(&pulpit, Qt::Key_S);
                                            dialog->hide();
                                            return pulpit.result();
                                        }});
    if (when == QLatin1String("before"))
        t.link.framesBeforeWriteFailure = 0;

    window.Button_SterowanieKalClick();

    // One box, then the panel and the link are closed; no reset follows.
    QCOMPARE(t.prompts.texts(), QStringList{"Błąd zapisu do portu komunikacyjnego."});
    QCOMPARE(t.prompts.messages.constFirst().caption, QStringLiteral("Błąd komunikacji"));
    QCOMPARE(t.prompts.dialogsShown.size(), when == QLatin1String("before") ? 0 : 1);
    QVERIFY(!panelStayedUp);
    QVERIFY(!linkStayedOpen);
    QCOMPARE(t.transcript.lines(), lines);
    QVERIFY(!t.link.isOpen());
    QVERIFY(window.controlsVisible());
}

void MainWindowTest::freshUserShowsR707()
{
    WithModelChoice f;
    auto &wyborKal = f.wyborKal;
    auto &window = f.window;
    window.FormActivate();
    QCOMPARE(window.statusText(2), QStringLiteral("Wykonanie kalibratora: R-707"));
    wyborKal.FormActivate();
    QCOMPARE(wyborKal.selectedIndex(), 0);
}

void MainWindowTest::choosingAModelStoresItAndShowsIt()
{
    WithModelChoice f;
    auto &t = f.t;
    auto &wyborKal = f.wyborKal;
    auto &window = f.window;
    t.prompts.dialogHandlers.push_back({QStringLiteral("Form_WyborKal"), [&](QDialog *) {
                                            wyborKal.FormActivate();
                                            wyborKal.select(3);
                                            wyborKal.Button_OKClick();
                                            return int(QDialog::Accepted);
                                        }});
    window.Button_WyborKalClick();

    QCOMPARE(window.statusText(2), QStringLiteral("Wykonanie kalibratora: R-707FC"));
    QCOMPARE(t.services.model.name, QStringLiteral("R-707FC"));
    const QSettings store(CalibratorModel::storePath(), QSettings::NativeFormat);
    QCOMPARE(store.value(QStringLiteral("Model")).toString(), QStringLiteral("R-707FC"));
    QCOMPARE(store.value(QStringLiteral("Index")).toInt(), 3);
    QVERIFY(window.controlsVisible());
}

void MainWindowTest::cancellingTheModelChoiceChangesNothing()
{
    WithModelChoice f;
    auto &t = f.t;
    auto &wyborKal = f.wyborKal;
    auto &window = f.window;
    window.FormActivate();
    t.prompts.dialogHandlers.push_back({QStringLiteral("Form_WyborKal"), [&](QDialog *) {
                                            wyborKal.FormActivate();
                                            wyborKal.select(2);
                                            return int(QDialog::Rejected);
                                        }});
    window.Button_WyborKalClick();
    QCOMPARE(window.statusText(2), QStringLiteral("Wykonanie kalibratora: R-707"));
    QVERIFY(!QSettings(CalibratorModel::storePath(), QSettings::NativeFormat)
                 .contains(QStringLiteral("Model")));
}

void MainWindowTest::commandLineDocumentOpensOnlyOnTheFirstActivation()
{
    TestServices t;
    QDialog verification;
    verification.setObjectName(QStringLiteral("Form_Sprawdzanie"));
    auto *mainPanel = new QWidget(&verification);
    mainPanel->setObjectName(QStringLiteral("Panel_Glowny"));
    QStringList opened;
    TForm_OknoGlowne::Windows windows;
    windows.sprawdzanie = [&verification] { return &verification; };
    windows.openArgument = [&](const QString &path) { opened.append(path); };
    TForm_OknoGlowne window(t.services, windows, {QStringLiteral("/tmp/licznik.cal")});

    bool panelHidden = false;
    int heightWhenShown = 0;
    t.prompts.defaultDialogHandler = [&](QDialog *dialog) {
        panelHidden = mainPanel->isHidden();
        heightWhenShown = dialog->height();
        return int(QDialog::Rejected);
    };
    window.FormActivate();
    QTest::qWait(0);
    QCoreApplication::processEvents();
    window.FormActivate();
    QCoreApplication::processEvents();

    QCOMPARE(opened, QStringList{"/tmp/licznik.cal"});
    QCOMPARE(t.prompts.dialogsShown, QStringList{"Form_Sprawdzanie"});
    QVERIFY(panelHidden);
    QCOMPARE(heightWhenShown, 530);
}

void MainWindowTest::noArgumentNeverOpensTheVerificationWindow()
{
    TestServices t;
    QDialog verification;
    TForm_OknoGlowne::Windows windows;
    windows.sprawdzanie = [&verification] { return &verification; };
    TForm_OknoGlowne window(t.services, windows, {});
    window.FormActivate();
    QCoreApplication::processEvents();
    QVERIFY(t.prompts.dialogsShown.isEmpty());
}

void MainWindowTest::hintLineFollowsTheMouse()
{
    TestServices t;
    TForm_OknoGlowne window(t.services, {}, {});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::mouseMove(window.Button_SterowanieKal);
    QTRY_COMPARE(window.statusText(3), QStringLiteral("   Sterowanie kalibratora  (RS 232)"));
    QTest::mouseMove(window.Image_Kalibrator, QPoint(5, 5));
    QTRY_COMPARE(window.statusText(3), QString());
}

void MainWindowTest::generalErrorBoxCaptions()
{
    ScriptedPrompts prompts;
    showGeneralError(prompts, ECommsError(QStringLiteral("Error opening com port")));
    showGeneralError(prompts, EInOutError(QStringLiteral("Nie można odczytać pliku.")));
    QCOMPARE(prompts.messages.at(0).caption, QStringLiteral("Błąd komunikacji"));
    QCOMPARE(prompts.messages.at(0).text, QStringLiteral("Error opening com port"));
    QCOMPARE(prompts.messages.at(1).caption, QStringLiteral("Błąd"));
}

void MainWindowTest::startUpCreatesEveryWindowOnce()
{
    Program program({});
    program.showSplash();
    program.createWindows();
    QVERIFY(program.mainWindow());
    QVERIFY(program.aboutBox()->isVisible());
    TForm_Sprawdzanie *verification = program.verificationWindow();
    QVERIFY(verification);
    // The measurement dialogs live with the verification window, one of each.
    for (const char *name : {"TForm_PomiaryDO", "TForm_PomiaryDO_Cz", "TForm_PomiaryDN",
                             "TForm_PomiaryDN_Cz", "TForm_Pomiary"}) {
        QCOMPARE(verification->findChildren<QDialog *>(QLatin1String(name)).size(), 1);
    }
    QVERIFY(verification->Menu_Pomiary);
    QCOMPARE(program.mainWindow()->statusText(2), QStringLiteral("Wykonanie kalibratora: R-707"));
}

void MainWindowTest::verificationWindowIsMadeWhenFirstOpened()
{
    ScriptedPrompts prompts;
    Program program({}, Program::Seams{nullptr, nullptr, &prompts});
    program.start();
    program.mainWindow()->Button_SprawdzanieMierClick();
    QCOMPARE(prompts.dialogsShown, QStringList{"Form_Sprawdzanie"});
    QCOMPARE(program.verificationWindow()->height(), 530);
}

void MainWindowTest::settingsFilesThatAreNoFilesAreLeftAlone()
{
    // FIFOs that nobody writes to: opening one the usual way would wait for
    // good, before any window showed.
    QStringList boxText;
    QStringList fifos;
    for (const QString &name :
         {ConfigPaths::SerialSettingsName, ConfigPaths::RecentFilesName, ConfigPaths::ModelName}) {
        fifos.append(ConfigPaths::file(name));
        QFile::remove(fifos.last());
        QCOMPARE(::mkfifo(QFile::encodeName(fifos.last()).constData(), 0600), 0);
        boxText.append(fifos.last() + QStringLiteral(": nie jest zwykłym plikiem"));
    }
    {
        TestServices t;
        Program program({}, Program::Seams{nullptr, &t.clock, &t.prompts});
        program.start();
        QVERIFY(program.mainWindow()->isVisible());
        QTRY_COMPARE(t.prompts.texts(), QStringList{boxText.join(QLatin1Char('\n'))});
        // Every reader and writer of the three leaves them alone.
        program.verificationWindow()->session().activate();
        QVERIFY(program.verificationWindow()->session().queryClose());
        CalibratorModel().save();
        SerialSettings().save();
        UncertaintySettings::load().save();
        QCOMPARE(RegisterLocation::configured().driver(), RegisterLocation::Driver::Sqlite);
    }
    for (const QString &fifo : fifos) {
        QVERIFY2(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile(), qPrintable(fifo));
        QFile::remove(fifo);
    }
}

ORVANE_TEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
