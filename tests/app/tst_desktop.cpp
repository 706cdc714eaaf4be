// The program as the desktop shows it, on a real X server through the xcb
// platform: the captions the window system gets, Qt's own dialogs in Polish,
// and the end of the program with its main window.
// ctest runs it twice, at scale 1 and with QT_SCALE_FACTOR=2.

#include "orvaneapplication.h"
#include "program.h"
#include "qtprompts.h"
#include "tform_oknoglowne.h"
#include "tform_oprogramie.h"
#include "tform_sprawdzanie.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

// A property of a window as the X server holds it, read by another client.
QString propertyOnTheServer(QWidget *window, const QString &property)
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window->winId()),
                                          QStringLiteral("-notype"), property});
    if (!xprop.waitForFinished() || xprop.exitCode() != 0)
        return QStringLiteral("<xprop failed: %1>").arg(xprop.errorString());
    return QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
}

// The caption the window manager shows.
QString titleOnTheServer(QWidget *window)
{
    // _NET_WM_NAME = "Pulpit sterujący"
    const QString line = propertyOnTheServer(window, QStringLiteral("_NET_WM_NAME"));
    const qsizetype first = line.indexOf(QLatin1Char('"'));
    const qsizetype last = line.lastIndexOf(QLatin1Char('"'));
    if (first < 0 || last <= first)
        return QStringLiteral("<no title: %1>").arg(line);
    return line.mid(first + 1, last - first - 1);
}

QWidget *windowNamed(const QString &name)
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == name)
            return window;
    }
    return nullptr;
}

} // namespace

class DesktopTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void captionsReachTheWindowSystemUnchanged_data();
    void captionsReachTheWindowSystemUnchanged();
    void qtDialogsSpeakPolish();
    void closingTheMainWindowEndsTheProgramWhileTheAboutBoxIsUp();

private:
    std::unique_ptr<Program> m_program;
};

void DesktopTest::initTestCase()
{
    // What these tests are about is what a real window system sees.
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    m_program = std::make_unique<Program>(QStringList());
    m_program->showSplash();
    m_program->createWindows();
}

void DesktopTest::captionsReachTheWindowSystemUnchanged_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("caption");
    QTest::newRow("main window") << "Form_OknoGlowne"
                                 << "Orvane 707";
    QTest::newRow("About box") << "Form_Oprogramie"
                               << "Informacje o programie";
    QTest::newRow("front panel") << "Form_Pulpit"
                                 << "Pulpit sterujący";
    QTest::newRow("model choice") << "Form_WyborKal"
                                  << "Wybór wykonania kalibratora";
    QTest::newRow("serial settings") << "Form_RS232"
                                     << "Parametry transmisji";
    QTest::newRow("verification") << "Form_Sprawdzanie"
                                  << "Sprawdzanie miernika";
}

void DesktopTest::captionsReachTheWindowSystemUnchanged()
{
    QFETCH(QString, window);
    QFETCH(QString, caption);
    QWidget *widget = windowNamed(window);
    QVERIFY(widget);
    const bool wasVisible = widget->isVisible();
    widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(widget));
    const QString title = titleOnTheServer(widget);
    if (!wasVisible)
        widget->hide();
    QCOMPARE(title, caption);
}

void DesktopTest::qtDialogsSpeakPolish()
{
    // The "Zapisz &jako..." dialog of the verification window, as it comes up.
    QStringList fileDialogTexts;
    QTimer::singleShot(0, [&fileDialogTexts] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            fileDialogTexts << dialog->windowTitle();
            for (const char *name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
                fileDialogTexts << dialog->findChild<QLabel *>(QLatin1String(name))->text();
            fileDialogTexts << dialog->labelText(QFileDialog::Accept);
        }
        if (modal)
            modal->close();
    });
    m_program->verificationWindow()->Menu_Plik_ZapiszJakoClick();
    QCOMPARE(fileDialogTexts, (QStringList{"Zachowaj jako", "Szukaj w:", "Nazwa &pliku:",
                                           "Pliki rodzaju:", "&Zachowaj"}));

    // A message box with details, as a refused serial port shows it.
    QString detailsButton;
    QTimer::singleShot(0, [&detailsButton] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        for (QAbstractButton *button : box->buttons()) {
            if (box->buttonRole(button) == QMessageBox::ActionRole)
                detailsButton = button->text();
        }
        box->close();
    });
    QtPrompts prompts;
    prompts.show(QStringLiteral("Error opening com port"), QStringLiteral("Błąd komunikacji"),
                 PromptIcon::Critical, PromptButton::Ok, QStringLiteral("/dev/ttyS1"));
    QCOMPARE(detailsButton, QStringLiteral("Pokaż szczegóły..."));
}

void DesktopTest::closingTheMainWindowEndsTheProgramWhileTheAboutBoxIsUp()
{
    Program program({});
    program.start();
    QVERIFY(program.aboutBox()->isVisible());
    QTimer::singleShot(0, program.mainWindow(), &QWidget::close);
    // Returns only when the program ends; were it kept alive by the About
    // box, ctest's time-out would end this test as a failure.
    QCOMPARE(QApplication::exec(), 0);
}

int main(int argc, char *argv[])
{
    OrvaneApplication app(argc, argv);
    DesktopTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_desktop.moc"
