#include "core/document/documentfile.h"
#include "gui/document/characteristicframe.h"
#include "gui/document/tform_miernik.h"
#include "gui/document/tform_sprawdzanie.h"
#include "gui/link/tform_rs232.h"
#include "tests/support/core/testmain.h"
#include "tests/support/core/testservices.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTemporaryDir>

// Fills the meter dialog and presses OK, as a user would.
static std::function<int(QDialog *)> fillMeter(const QString &name, const QString &number,
                                               int method = 0)
{
    return [=](QDialog *dialog) {
        auto *form = static_cast<TForm_Miernik *>(dialog);
        form->Edit_Miernik_Nazwa->setText(name);
        form->Edit_Miernik_Numer->setText(number);
        if (form->ComboBox_MetodaSprawdzania->isEnabled())
            form->ComboBox_MetodaSprawdzania->setCurrentIndex(method);
        QTest::mouseClick(form->BitBtn_Miernik_OK, Qt::LeftButton);
        return form->result();
    };
}

class SprawdzanieTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void menusAtStart();
    void newDocumentThroughTheMenu();
    void meterDialogChecksNameThenNumber_data();
    void meterDialogChecksNameThenNumber();
    void refusedOkThenCancelLeavesTheRecord();
    void meterDataOfAnAnalogueMeterKeepsItsMethod();
    void nameEditTakesTwentyCharacters();
    void recentMenuFollowsTheList();
    void kasujResetsTheCalibrator();
    void kasujWithoutAPortShowsTheError();
    void rs232OpensTheSettingsDialog();
    void closingWithChangesAnsweredCancelKeepsTheWindow();
    void fileErrorsEndInTheGeneralErrorBox();
    void pagesGoToTheirPlace();
    void commandLineDocumentOpensWhenTheWindowComesUp();
};

void SprawdzanieTest::menusAtStart()
{
    TestServices t;
    TForm_Sprawdzanie window(t.services);
    QCOMPARE(window.objectName(), QStringLiteral("Form_Sprawdzanie"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Sprawdzanie miernika"));
    for (QAction *item : {window.Menu_Plik_Nowy, window.Menu_Plik_Otworz, window.Menu_Plik_Wyjscie,
                          window.Menu_RS232, window.Menu_Kasuj})
        QVERIFY2(item->isEnabled(), qPrintable(item->objectName()));
    for (QAction *item :
         {window.Menu_Plik_Excel->menuAction(), window.Menu_Plik_Zapisz,
          window.Menu_Plik_ZapiszJako, window.Menu_Plik_Drukuj, window.Menu_Plik_Zamknij,
          window.Menu_DaneMiernika, window.Menu_Pomiary, window.Menu_Plik_OstatniePliki})
        QVERIFY2(!item->isEnabled(), qPrintable(item->objectName()));
    for (QAction *item : {window.Recent2, window.Recent3, window.Recent4, window.Recent5})
        QVERIFY(!item->isVisible());
    QCOMPARE(window.Menu_Plik_OstatniePliki->text(), QStringLiteral("Ostatnio używane pliki"));
    QCOMPARE(window.Menu_Plik_Nowy->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    QCOMPARE(window.Menu_Plik_Zapisz->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    QCOMPARE(window.Menu_Plik_Zamknij->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    QCOMPARE(window.Recent5->shortcut(), QKeySequence(QStringLiteral("Ctrl+F5")));
    QCOMPARE(window.Menu_Plik_Excel_Otworz->text(), QStringLiteral("Wyślij"));
    QVERIFY(window.Panel_Glowny->isHidden());
    QVERIFY(window.GroupBox_Miernik->isHidden());
    QVERIFY(window.findChild<QWidget *>(QStringLiteral("Panel_Glowny")));
}

void SprawdzanieTest::newDocumentThroughTheMenu()
{
    TestServices t;
    TForm_Sprawdzanie window(t.services);
    t.prompts.dialogHandlers.push_back({"Form_Miernik", fillMeter("V640", "A-1", 1)});
    window.Menu_Plik_Nowy->trigger();
    QCOMPARE(window.windowTitle(), QStringLiteral("Sprawdzanie miernika : beznazwy.cal[*]"));
    QCOMPARE(window.record().Typ(), QStringLiteral("Analogowy"));
    QCOMPARE(window.Label_Metoda->text(), QStringLiteral("Metoda dok. odczytu"));
    QCOMPARE(window.Label_Nazwa->text(), QStringLiteral("V640"));
    QVERIFY(!window.Panel_Glowny->isHidden());
    QVERIFY(!window.GroupBox_Miernik->isHidden());
    QVERIFY(window.Menu_Plik_Zapisz->isEnabled());
    QVERIFY(window.Menu_Plik_Excel->menuAction()->isEnabled());
    QVERIFY(window.Menu_DaneMiernika->isEnabled());
    QVERIFY(!window.Menu_Pomiary->isEnabled());
    QVERIFY(t.prompts.messages.isEmpty());
}

void SprawdzanieTest::meterDialogChecksNameThenNumber_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("message");
    QTest::newRow("both empty") << ""
                                << ""
                                << "Wprowadź nazwę miernika";
    QTest::newRow("no number") << "V"
                               << ""
                               << "Wprowadż numer miernika";
    QTest::newRow("no name") << ""
                             << "1"
                             << "Wprowadź nazwę miernika";
}

void SprawdzanieTest::meterDialogChecksNameThenNumber()
{
    QFETCH(QString, name);
    QFETCH(QString, number);
    QFETCH(QString, message);
    TestServices t;
    TForm_Miernik dialog(t.services);
    TDaneSprawdzania record;
    t.prompts.defaultDialogHandler = [&](QDialog *) {
        dialog.Edit_Miernik_Nazwa->setText(name);
        dialog.Edit_Miernik_Numer->setText(number);
        QTest::mouseClick(dialog.BitBtn_Miernik_OK, Qt::LeftButton);
        return dialog.result();
    };
    QVERIFY(!dialog.showFor(record, true));
    QCOMPARE(t.prompts.texts(), QStringList{message});
}

void SprawdzanieTest::refusedOkThenCancelLeavesTheRecord()
{
    TestServices t;
    TForm_Miernik dialog(t.services);
    TDaneSprawdzania record;
    record.setNazwa(QStringLiteral("Stary"));
    record.setNumer(QStringLiteral("7"));
    record.setTyp(QStringLiteral("Cyfrowy"));
    const QByteArray before = record.toBytes();
    t.prompts.defaultDialogHandler = [&](QDialog *) {
        dialog.Edit_Miernik_Nazwa->clear();
        QTest::mouseClick(dialog.BitBtn_Miernik_OK, Qt::LeftButton);
        QTest::mouseClick(dialog.BitBtn_Miernik_Anuluj, Qt::LeftButton);
        return dialog.result();
    };
    QVERIFY(!dialog.showFor(record, false));
    QCOMPARE(t.prompts.texts(), QStringList{"Wprowadź nazwę miernika"});
    QCOMPARE(record.toBytes(), before);
}

void SprawdzanieTest::meterDataOfAnAnalogueMeterKeepsItsMethod()
{
    TestServices t;
    TForm_Sprawdzanie window(t.services);
    t.prompts.dialogHandlers.push_back({"Form_Miernik", fillMeter("V640", "A-1", 1)});
    window.Menu_Plik_Nowy->trigger();
    // The method combo last showed exact reading; pick exact setting for the
    // correction: it is disabled and must not count.
    bool comboEnabled = true;
    int comboIndex = -1;
    t.prompts.dialogHandlers.push_back({"Form_Miernik", [&](QDialog *dialog) {
                                            auto *form = static_cast<TForm_Miernik *>(dialog);
                                            comboEnabled =
                                                form->ComboBox_MetodaSprawdzania->isEnabled();
                                            comboIndex =
                                                form->ComboBox_MetodaSprawdzania->currentIndex();
                                            return fillMeter("V641", "A-2")(dialog);
                                        }});
    window.Menu_DaneMiernika->trigger();
    QVERIFY(!comboEnabled);
    QCOMPARE(comboIndex, 1);
    QCOMPARE(window.record().Typ(), QStringLiteral("Analogowy"));
    QCOMPARE(window.Label_Nazwa->text(), QStringLiteral("V641"));
    QCOMPARE(window.Form_Miernik->ComboBox_MetodaSprawdzania->currentText(),
             QStringLiteral("dokładnego odczytu"));
}

void SprawdzanieTest::nameEditTakesTwentyCharacters()
{
    TestServices t;
    TForm_Miernik dialog(t.services);
    TDaneSprawdzania record;
    t.prompts.defaultDialogHandler = [&](QDialog *) {
        QTest::keyClicks(dialog.Edit_Miernik_Nazwa, QStringLiteral("abcdefghijklmnopqrstu"));
        QTest::keyClicks(dialog.Edit_Miernik_Numer, QStringLiteral("1234567890123456789"));
        QTest::mouseClick(dialog.BitBtn_Miernik_OK, Qt::LeftButton);
        return dialog.result();
    };
    QVERIFY(dialog.showFor(record, true));
    QCOMPARE(record.Nazwa(), QStringLiteral("abcdefghijklmnopqrst"));
    QCOMPARE(record.Numer(), QStringLiteral("123456789012345678"));
    QCOMPARE(record.Typ(), QStringLiteral("Cyfrowy"));
}

void SprawdzanieTest::recentMenuFollowsTheList()
{
    QTemporaryDir dir;
    TestServices t;
    TForm_Sprawdzanie window(t.services);
    window.session().setRecentIniFile(dir.filePath("orvane2.ini"));
    for (const char *name : {"a.cal", "b.cal"}) {
        TDaneSprawdzania record;
        DocumentFile::write(record, dir.filePath(QLatin1String(name)));
        t.prompts.openNames.push_back(dir.filePath(QLatin1String(name)));
        window.Menu_Plik_Otworz->trigger();
    }
    QCOMPARE(window.Menu_Plik_OstatniePliki->text(), QStringLiteral("b.cal"));
    QVERIFY(window.Menu_Plik_OstatniePliki->isEnabled());
    QCOMPARE(window.Recent2->text(), QStringLiteral("a.cal"));
    QVERIFY(window.Recent2->isVisible());
    QVERIFY(!window.Recent3->isVisible());
    window.Recent2->trigger();
    QCOMPARE(window.windowTitle(), QStringLiteral("Sprawdzanie miernika : a.cal[*]"));
    QCOMPARE(window.Menu_Plik_OstatniePliki->text(), QStringLiteral("a.cal"));
    // The caption marks a change until it is saved, and the save says so.
    QVERIFY(!window.isWindowModified());
    window.session().setChanged();
    QVERIFY(window.isWindowModified());
    window.Menu_Plik_Zapisz->trigger();
    QVERIFY(!window.isWindowModified());
    QCOMPARE(window.StatusBar->currentMessage(),
             QStringLiteral("Zapisano: ") + QDir::toNativeSeparators(dir.filePath("a.cal")));
}

void SprawdzanieTest::kasujResetsTheCalibrator()
{
    TestServices t;
    TForm_Sprawdzanie window(t.services);
    window.Menu_Kasuj->trigger();
    const QStringList lines = t.transcript.lines();
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines.at(0), QStringLiteral("open"));
    QVERIFY(lines.at(1).endsWith(QStringLiteral("ms")));
    QCOMPARE(lines.at(2), QStringLiteral("<C>"));
    QVERIFY(lines.at(3).endsWith(QStringLiteral("ms")));
    QCOMPARE(lines.at(4), QStringLiteral("close"));
    QVERIFY(!t.link.isOpen());
}

void SprawdzanieTest::kasujWithoutAPortShowsTheError()
{
    TestServices t;
    t.link.failOpen = true;
    TForm_Sprawdzanie window(t.services);
    window.Menu_Kasuj->trigger();
    QCOMPARE(t.prompts.messages.size(), 1);
    QCOMPARE(t.prompts.messages.first().caption, QStringLiteral("Błąd komunikacji"));
    QVERIFY(t.transcript.frames().isEmpty());

    // A write refused half way still closes the link.
    t.link.failOpen = false;
    t.link.framesBeforeWriteFailure = 0;
    window.Menu_Kasuj->trigger();
    QVERIFY(!t.link.isOpen());
    QCOMPARE(t.prompts.messages.size(), 2);
}

void SprawdzanieTest::rs232OpensTheSettingsDialog()
{
    TestServices t;
    TForm_RS232 rs232(t.services);
    TForm_Sprawdzanie window(t.services);
    window.Menu_RS232->trigger();
    QVERIFY(t.prompts.dialogsShown.isEmpty());
    window.setRS232Window(&rs232);
    window.Menu_RS232->trigger();
    QCOMPARE(t.prompts.dialogsShown, QStringList{"Form_RS232"});
}

void SprawdzanieTest::closingWithChangesAnsweredCancelKeepsTheWindow()
{
    QTemporaryDir dir;
    TestServices t;
    TForm_Sprawdzanie window(t.services);
    window.session().setRecentIniFile(dir.filePath("orvane2.ini"));
    t.prompts.dialogHandlers.push_back({"Form_Miernik", fillMeter("V640", "A-1")});
    window.Menu_Plik_Nowy->trigger();
    window.show();
    window.session().setChanged();
    t.prompts.answers.push_back(PromptButton::Cancel);
    QVERIFY(!window.close());
    QVERIFY(window.isVisible());
    QVERIFY(window.session().hasDocument());
    QCOMPARE(t.prompts.texts(), QStringList{"Zapisać zmiany w pliku ?"});

    // A stray Esc neither closes the window nor asks anything.
    QTest::keyClick(&window, Qt::Key_Escape);
    QVERIFY(window.isVisible());
    QVERIFY(window.session().hasDocument());
    QCOMPARE(t.prompts.messages.size(), 1);

    // "&Wyjście" goes through the question.
    t.prompts.answers.push_back(PromptButton::No);
    window.Menu_Plik_Wyjscie->trigger();
    QVERIFY(!window.isVisible());
    QVERIFY(!window.session().hasDocument());
    QCOMPARE(t.prompts.messages.size(), 2);
}

void SprawdzanieTest::fileErrorsEndInTheGeneralErrorBox()
{
    TestServices t;
    TForm_Sprawdzanie window(t.services);
    t.prompts.openNames.push_back(QStringLiteral("/nonexistent/folder/x.cal"));
    window.Menu_Plik_Otworz->trigger();
    QCOMPARE(t.prompts.messages.size(), 1);
    QCOMPARE(t.prompts.messages.first().caption, QStringLiteral("Błąd"));
    QVERIFY(t.prompts.messages.first().text.contains(QStringLiteral("x.cal")));
    QCOMPARE(window.windowTitle(), QStringLiteral("Sprawdzanie miernika"));
}

void SprawdzanieTest::pagesGoToTheirPlace()
{
    TestServices t;
    TForm_Sprawdzanie window(t.services);
    auto *frequency = new QLabel(QStringLiteral("f"));
    auto *table = new QLabel(QStringLiteral("t"));
    window.frame().setPage(3, frequency);
    window.frame().setPage(0, table);
    QCOMPARE(window.Notebook_Charakterystyka->count(), 10);
    QCOMPARE(window.Notebook_Charakterystyka->widget(0), table);
    QCOMPARE(window.Notebook_Charakterystyka->widget(3), frequency);
}

void SprawdzanieTest::commandLineDocumentOpensWhenTheWindowComesUp()
{
    QTemporaryDir dir;
    TDaneSprawdzania record;
    record.setNazwa(QStringLiteral("Z argumentu"));
    record.setWidokAmpl(true);
    DocumentFile::write(record, dir.filePath("arg.cal"));
    TestServices t;
    TForm_Sprawdzanie window(t.services);
    window.session().setRecentIniFile(dir.filePath("orvane2.ini"));
    QSignalSpy splash(&window.session(), &DocumentSession::splashCloseRequested);
    window.setOpenArgument(dir.filePath("arg.cal"));
    window.show();
    QTRY_COMPARE(window.windowTitle(), QStringLiteral("Sprawdzanie miernika : arg.cal[*]"));
    QCOMPARE(splash.count(), 1);
    QCOMPARE(window.Label_Nazwa->text(), QStringLiteral("Z argumentu"));
    QVERIFY(window.session().isSaved());

    // Shown again later, it does not load the document again.
    window.session().setChanged();
    window.hide();
    window.show();
    QTest::qWait(10);
    QCOMPARE(splash.count(), 1);
    QVERIFY(!window.session().isSaved());
}

ORVANE_TEST_MAIN(SprawdzanieTest)
#include "tst_sprawdzanie.moc"
