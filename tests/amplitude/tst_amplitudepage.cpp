#include "amplitudepage.h"
#include "documentfile.h"
#include "documentsession.h"
#include "fulldocument.h"
#include "gridcells.h"
#include "testmain.h"
#include "testservices.h"
#include "tform_czestotliwosc.h"
#include "tform_sprawdzanie.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>

#include <memory>

namespace {

// The verification window with the amplitude page attached, shown and
// active so that focus moves as it does for the user.
struct Fixture
{
    TestServices t;
    TForm_Sprawdzanie window{t.services};
    AmplitudePage page{t.services, window};
    QTemporaryDir dir;

    Fixture()
    {
        window.resize(639, 530);
        window.show();
        window.activateWindow();
    }

    DocumentSession &session() { return window.session(); }
    TDaneSprawdzania &record() { return window.record(); }

    bool active() { return QTest::qWaitForWindowActive(&window); }

    void newDocument(const QString &typ)
    {
        session().meterDialog = [this, typ](bool) {
            record().setNazwa(QStringLiteral("V-640"));
            record().setTyp(typ);
            return true;
        };
        session().newDocument();
    }

    QString write(const TDaneSprawdzania &record)
    {
        const QString name = dir.filePath(QStringLiteral("full.cal"));
        DocumentFile::write(record, name);
        return name;
    }

    void open(const QString &name)
    {
        t.prompts.openNames.push_back(name);
        session().openDocument();
    }

    // Types into the focused cell and presses a key.
    void type(const QString &text, Qt::Key key = Qt::Key_Return)
    {
        QWidget *focused = QApplication::focusWidget();
        QVERIFY(focused);
        if (!text.isEmpty())
            QTest::keyClicks(focused, text);
        QTest::keyClick(focused, key);
    }

    QStringList messages() const { return t.prompts.texts(); }
};

QColor background(QWidget *cell)
{
    return cell->palette().color(QPalette::Base);
}

} // namespace

class AmplitudePageTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typingARangeAndThreePointsWritesTheRecord();
    void invalidCellsInARowShowOneBoxEach();
    void closingTheWindowDuringAnEditWritesNothing();
    void openedDocumentSavedAgainIsByteIdentical();
    void pointRemovalFollowsTheEscRules();
    void thirtyFivePointsOpenNoFurtherRow();
    void currentRangeAndVerdictColours();
    void scrollBarsFollowTheCounts();
    void userFrequencyComesFromTheFrequencyDialog();
};

void AmplitudePageTest::typingARangeAndThreePointsWritesTheRecord()
{
    Fixture f;
    QVERIFY(f.active());
    f.newDocument(QStringLiteral("Analogowy"));
    QVERIFY(f.page.Zak[1]->isVisible());
    QVERIFY(!f.page.Zak[2]->isVisible());
    QVERIFY(f.session().isSaved());

    f.page.Zak[1]->setFocus();
    f.type("100mV");
    QCOMPARE(QApplication::focusWidget(), f.page.Cz[1]);
    f.type(QString());
    QCOMPARE(QApplication::focusWidget(), f.page.Kmm[1]);
    f.type("0,5");
    QCOMPARE(QApplication::focusWidget(), f.page.Kmz[1]);
    f.type("0,2+2mV");
    // Enter in the class of the last range opens the next row.
    QVERIFY(f.page.Zak[2]->isVisible());
    QCOMPARE(QApplication::focusWidget(), f.page.Zak[2]);
    QCOMPARE(f.page.currentRange(), 2);
    // Esc takes the empty new row away again.
    f.type(QString(), Qt::Key_Escape);
    QVERIFY(!f.page.Zak[2]->isVisible());
    QCOMPARE(QApplication::focusWidget(), f.page.Zak[1]);
    QCOMPARE(f.page.currentRange(), 1);

    f.page.Wm[1]->setFocus();
    f.type("20");
    f.type("50");
    f.type("100");
    QCOMPARE(QApplication::focusWidget(), f.page.Wm[4]);
    QVERIFY(f.messages().isEmpty());

    const TZakresAmpl range = f.record().ZakresyAmpl(1);
    QCOMPARE(range.Zak(), 100.0L);
    QCOMPARE(range.Jm(), QStringLiteral("mV"));
    QCOMPARE(range.Cz(), 0);
    QCOMPARE(double(range.Kmm()), 0.5);
    QCOMPARE(double(range.Kmz()), 0.2);
    QCOMPARE(range.KmzDod(), QStringLiteral("2mV"));
    QCOMPARE(range.pointCount(), 3);
    QCOMPARE(range.Punkty(1).Wm(), 20.0L);
    QCOMPARE(range.Punkty(2).Wm(), 50.0L);
    QCOMPARE(range.Punkty(3).Wm(), 100.0L);
    QCOMPARE(f.page.Wm[2]->text(), QStringLiteral("50,00000"));
    QVERIFY(f.record().ZakresyAmpl(2).isEmpty());
    QVERIFY(!f.session().isSaved());
    QVERIFY(f.window.Menu_Pomiary->isEnabled());
    QCOMPARE(f.window.Label_Zakres->text(), QStringLiteral("100mV"));
    QCOMPARE(f.window.Label_Kmz->text(), QStringLiteral("0,2% zakresu+2mV"));
    QCOMPARE(f.window.Label_CzestNastWska->text(), QStringLiteral("Częstotliwość: DC"));
    // The column typed into is green for an analogue meter.
    QCOMPARE(f.page.Label_Wm->palette().color(QPalette::Window), QColor(0, 128, 0));
    QCOMPARE(f.page.Label_Nk->palette().color(QPalette::Window), QColor(128, 128, 0));
    QCOMPARE(f.page.Label_Wm->objectName(), QStringLiteral("Label_Wm"));
}

void AmplitudePageTest::invalidCellsInARowShowOneBoxEach()
{
    Fixture f;
    QVERIFY(f.active());
    f.newDocument(QStringLiteral("Analogowy"));

    // A range without a unit, left for an empty class cell: one box, the
    // focus back in the range cell, and the class cell says nothing.
    f.page.Zak[1]->setFocus();
    QTest::keyClicks(f.page.Zak[1], "250");
    f.page.Kmm[1]->setFocus(Qt::TabFocusReason);
    QCOMPARE(f.messages(), QStringList{"Źle podana jednostka!"});
    QCOMPARE(QApplication::focusWidget(), f.page.Zak[1]);
    QVERIFY(f.record().ZakresyAmpl(1).isEmpty());

    QTest::keyClicks(f.page.Zak[1], "V");
    f.page.Kmm[1]->setFocus(Qt::TabFocusReason);
    QCOMPARE(f.messages().size(), 1);
    QCOMPARE(f.record().ZakresyAmpl(1).Zak(), 250.0L);

    // Two empty class cells, one after the other.
    f.page.Kmz[1]->setFocus(Qt::TabFocusReason);
    QCOMPARE(f.messages().size(), 2);
    QCOMPARE(f.messages().last(),
             QStringLiteral("Nie wpisano wartości klasy miernika wzg. wartosci mierzonej"));
    QCOMPARE(QApplication::focusWidget(), f.page.Kmm[1]);
    QTest::keyClicks(f.page.Kmm[1], "pol");
    f.page.Kmz[1]->setFocus(Qt::TabFocusReason);
    QCOMPARE(f.messages().size(), 3);
    QCOMPARE(QApplication::focusWidget(), f.page.Kmm[1]);
    QCOMPARE(f.record().ZakresyAmpl(1).Kmm(), 0.0L);
}

void AmplitudePageTest::closingTheWindowDuringAnEditWritesNothing()
{
    Fixture f;
    QVERIFY(f.active());
    f.newDocument(QStringLiteral("Cyfrowy"));
    f.page.Zak[1]->setFocus();
    f.type("10V");
    f.page.Nk[1]->setFocus();
    f.type("5");
    QCOMPARE(f.record().ZakresyAmpl(1).Punkty(1).Nk(), 5.0L);
    // A save takes the edit under way with it.
    QTest::keyClicks(f.page.Nk[2], "3");
    f.t.prompts.saveNames.push_back(f.dir.filePath("v.cal"));
    f.session().save();
    QCOMPARE(f.record().ZakresyAmpl(1).Punkty(2).Nk(), 3.0L);
    QCOMPARE(DocumentFile::read(f.dir.filePath("v.cal")).ZakresyAmpl(1).Punkty(2).Nk(), 3.0L);
    QVERIFY(f.messages().isEmpty());

    // A refused value is still in the cell when the window is closed.
    f.type(QString());
    f.type("4");
    QVERIFY(!f.session().isSaved());
    QTest::keyClicks(f.page.Nk[4], "-3");
    f.t.prompts.answers.push_back(PromptButton::No);
    f.window.close();
    QCOMPARE(f.messages(), QStringList{"Zapisać zmiany w pliku ?"});
    QVERIFY(f.record().ZakresyAmpl(1).isEmpty());
    QCOMPARE(f.record().toBytes(), TDaneSprawdzania().toBytes());
}

void AmplitudePageTest::openedDocumentSavedAgainIsByteIdentical()
{
    Fixture f;
    QVERIFY(f.active());
    const TDaneSprawdzania full = fullDocument();
    const QString name = f.write(full);
    QFile file(name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray original = file.readAll();
    file.close();

    f.open(name);
    QCOMPARE(f.page.Kmm[1]->text(), QStringLiteral("0,3333"));
    QVERIFY(f.page.Zak[35]->isVisible());
    QCOMPARE(f.page.Cz[4]->currentText(), QStringLiteral("55,50Hz"));
    // Walk through cells of several ranges without typing.
    for (int k : {1, 2, 3, 2}) {
        f.page.Zak[k]->setFocus(Qt::TabFocusReason);
        f.page.Kmm[k]->setFocus(Qt::TabFocusReason);
        f.page.Kmz[k]->setFocus(Qt::TabFocusReason);
        f.page.Wm[1]->setFocus(Qt::TabFocusReason);
        f.page.Wm[2]->setFocus(Qt::TabFocusReason);
    }
    f.page.BtnON->setFocus(Qt::TabFocusReason);
    QCOMPARE(f.page.currentRange(), 2);
    QVERIFY(f.messages().isEmpty());
    QVERIFY(f.session().isSaved());

    f.session().save();
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), original);
}

void AmplitudePageTest::pointRemovalFollowsTheEscRules()
{
    Fixture f;
    QVERIFY(f.active());
    f.newDocument(QStringLiteral("Analogowy"));
    f.page.Zak[1]->setFocus();
    f.type("10V");
    f.page.Wm[1]->setFocus();
    for (const char *value : {"1", "2", "3", "4", "5"})
        f.type(value);
    const TZakresAmpl range = f.record().ZakresyAmpl(1);
    QCOMPARE(range.pointCount(), 5);
    // The new sixth row cannot be left empty; Esc closes it.
    QCOMPARE(QApplication::focusWidget(), f.page.Wm[6]);
    f.page.Wm[3]->setFocus(Qt::TabFocusReason);
    QCOMPARE(f.messages(), QStringList{"Źle wpisana liczba"});
    QCOMPARE(QApplication::focusWidget(), f.page.Wm[6]);
    f.type(QString(), Qt::Key_Escape);
    QCOMPARE(QApplication::focusWidget(), f.page.Wm[5]);
    QVERIFY(!f.page.Wm[6]->isVisible());
    QCOMPARE(range.pointCount(), 5);

    // Esc on point 3 of 5 and on point 1 does nothing.
    f.page.Wm[3]->setFocus();
    f.type(QString(), Qt::Key_Escape);
    f.page.Wm[1]->setFocus();
    f.type(QString(), Qt::Key_Escape);
    QCOMPARE(range.pointCount(), 5);
    QVERIFY(f.page.Wm[1]->isVisible());

    // Esc on the last point removes it.
    f.page.Wm[5]->setFocus();
    f.type(QString(), Qt::Key_Escape);
    QCOMPARE(range.pointCount(), 4);
    QVERIFY(!range.Punkty(5).Wpisany());
    QVERIFY(!f.page.P[5]->isVisible());
    QCOMPARE(QApplication::focusWidget(), f.page.Wm[4]);

    // "-1" typed into a point in the middle removes that point.
    f.page.Wm[2]->setFocus();
    f.page.Wm[2]->selectAll();
    f.type("-1", Qt::Key_Tab);
    QCOMPARE(range.pointCount(), 3);
    QVERIFY(!range.Punkty(2).Wpisany());
    QCOMPARE(range.Punkty(2).Wm(), 0.0L);
    QVERIFY(range.Punkty(3).Wpisany());
    QCOMPARE(f.messages().size(), 1);
}

void AmplitudePageTest::thirtyFivePointsOpenNoFurtherRow()
{
    Fixture f;
    QVERIFY(f.active());
    TDaneSprawdzania record = fullDocument();
    f.open(f.write(record));
    QCOMPARE(f.page.iloscpunktow(1), 35);
    f.page.Wm[20]->setFocus();
    f.type(QString());
    QCOMPARE(QApplication::focusWidget(), f.page.Wm[20]);
    f.page.Wm[35]->setFocus();
    f.type(QString());
    QCOMPARE(QApplication::focusWidget(), f.page.Wm[35]);
    QVERIFY(f.session().isSaved());

    // With 34 points, Enter in the last row goes on to ON, as the grid
    // holds more points than fit.
    f.page.Wm[35]->selectAll();
    f.type("-1", Qt::Key_Tab);
    QCOMPARE(f.page.iloscpunktow(1), 34);
    f.page.Wm[35]->setFocus();
    f.type("7");
    QCOMPARE(QApplication::focusWidget(), f.page.BtnON);
    QCOMPARE(f.page.iloscpunktow(1), 35);
}

void AmplitudePageTest::currentRangeAndVerdictColours()
{
    Fixture f;
    QVERIFY(f.active());
    TDaneSprawdzania record = fullDocument();
    TPunktAmpl out = record.ZakresyAmpl(3).Punkty(2);
    out.setBmr(-0.31L);
    out.setBmd(0.3L);
    TPunktAmpl edge = record.ZakresyAmpl(3).Punkty(3);
    edge.setBmr(-0.3L);
    edge.setBmd(0.3L);
    f.open(f.write(record));

    const QColor yellow(255, 255, 0), silver(192, 192, 192);
    QCOMPARE(background(f.page.Zak[1]), yellow);
    QCOMPARE(background(f.page.Kmz[1]), yellow);
    QCOMPARE(background(f.page.Zak[3]), silver);
    f.page.Zak[3]->setFocus(Qt::TabFocusReason);
    QCOMPARE(background(f.page.Zak[1]), silver);
    QCOMPARE(background(f.page.Cz[3]), yellow);
    QCOMPARE(f.page.Bmr[2]->palette().color(QPalette::Text), QColor(255, 0, 0));
    QCOMPARE(f.page.Bmr[3]->palette().color(QPalette::Text), QColor(Qt::black));
    QVERIFY(f.page.Bmr[35]->isVisible());

    // OFF clears the ticks of the range, ON sets them.
    f.page.BtnOFF->click();
    QVERIFY(!f.page.T[1]->isChecked());
    QVERIFY(!f.record().ZakresyAmpl(3).Punkty(1).Wl());
    f.page.BtnON->click();
    QVERIFY(f.page.T[2]->isChecked());
    QVERIFY(f.record().ZakresyAmpl(3).Punkty(2).Wl());
    QVERIFY(!f.session().isSaved());
}

void AmplitudePageTest::scrollBarsFollowTheCounts()
{
    Fixture f;
    QVERIFY(f.active());
    f.window.resize(639, 620); // the "Zakres" box at 491: 20 rows fit
    f.open(f.write(fullDocument()));
    QCOMPARE(f.window.GroupBox_Zakres->y(), 491);
    QVERIFY(f.page.ZakresySB->isVisible());
    QCOMPARE(f.page.ZakresySB->maximum(), 15);
    QCOMPARE(f.page.PunktySB->maximum(), 15);
    QCOMPARE(f.page.PunktySB->pageStep(), 20);
    f.page.PunktySB->setValue(3);
    QCOMPARE(f.page.Panel_Punkty->y() + 44, 44 - 60);

    // Dragging steps by whole rows within the allowed heights.
    QCOMPARE(f.window.sizeIncrement(), QSize(0, 20));
    QCOMPARE(f.window.baseSize(), QSize(639, 60));
    QCOMPARE(f.window.minimumSize(), QSize(639, 420));
    QCOMPARE(f.window.maximumSize(), QSize(639, 920));

    // A lower window shows fewer rows; the bar is pulled back.
    f.page.PunktySB->setValue(15);
    f.window.resize(639, 500);
    QCOMPARE(f.page.PunktySB->pageStep(), (500 - 129 - 87) / 20);
    QCOMPARE(f.page.PunktySB->maximum(), 35 - 14);
    QCOMPARE(f.page.PunktySB->value(), 21 - 14 + 1);
    QCOMPARE(f.page.Panel_Punkty->y() + 44, 44 - 20 * f.page.PunktySB->value());
}

void AmplitudePageTest::userFrequencyComesFromTheFrequencyDialog()
{
    Fixture f;
    QVERIFY(f.active());
    f.newDocument(QStringLiteral("Analogowy"));
    f.page.Zak[1]->setFocus();
    f.type("10V");
    f.t.prompts.dialogHandlers.push_back({QStringLiteral("Form_Czestotliwosc"), [](QDialog *d) {
                                              auto *dialog = static_cast<TForm_Czestotliwosc *>(d);
                                              dialog->Edit_Czestotliwosc->setText("55,5");
                                              dialog->BitBtn_Czestotliwosc_OKClick();
                                              return int(QDialog::Accepted);
                                          }});
    Q_EMIT f.page.Cz[1]->activated(4);
    const TZakresAmpl range = f.record().ZakresyAmpl(1);
    QCOMPARE(range.Cz(), 4);
    QCOMPARE(double(range.CzHz()), 55.5);
    QCOMPARE(f.page.Cz[1]->currentText(), QStringLiteral("55,50Hz"));
    QCOMPARE(f.window.Label_CzestNastWska->text(), QStringLiteral("Częstotliwość: 55,50Hz"));
    Q_EMIT f.page.Cz[1]->activated(2);
    QCOMPARE(range.Cz(), 2);
    QCOMPARE(range.CzHz(), 60.0L);
}

ORVANE_TEST_MAIN(AmplitudePageTest)
#include "tst_amplitudepage.moc"
