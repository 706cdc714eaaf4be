#include "core/measure/measurementstate.h"
#include "gui/characteristic/amplitude/amplitudepage.h"
#include "gui/characteristic/tform_niepewnosc.h"
#include "gui/characteristic/uncertaintypage.h"
#include "gui/measure/tform_pomiarydn.h"
#include "gui/measure/tform_pomiarydn_cz.h"
#include "tests/amplitude/fulldocument.h"
#include "tests/support/core/testmain.h"
#include "tests/support/gui/verificationwindowfixture.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTableWidget>

namespace {

constexpr GridArea Ranges = GridArea::Ranges;
constexpr GridArea Points = GridArea::Points;

// The verification window with the amplitude page attached.
struct Fixture : VerificationWindowFixture
{
    AmplitudePage page{t.services, window.session(), window.frame(), frequencyDialog};

    Fixture() { show(); }

    CharacteristicGrid &grid() override { return page.grid(); }
    CharacteristicGridView &view() override { return page.view(); }

    void newDocument(const QString &typ)
    {
        VerificationWindowFixture::newDocument(typ, QStringLiteral("V-640"));
    }

    GridCell cell(GridArea area, int column, int row) { return grid().cell(area, column, row); }
    QString text(GridArea area, int column, int row) { return cell(area, column, row).text; }
    bool shown(GridArea area, int column, int row) { return cell(area, column, row).visible; }

    // The colour the view paints a cell in, just inside its border.
    QColor painted(GridArea area, int column, int row)
    {
        const QRect rect = view().cellRect({area, column, row});
        return view().grab().toImage().pixelColor(rect.topLeft() + QPoint(2, 2));
    }
};

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
    void decisionsFollowTheRuleAndTheResolution();
    void scrollBarsFollowTheCounts();
    void userFrequencyComesFromTheFrequencyDialog();

    void headersAreWhiteOnTheirTone_data();
    void headersAreWhiteOnTheirTone();
    void valueTypedOverAMeasuredPointClearsItsResults();
    void emptyNewRangeRowLetsTheUserGo();
    void keypadDecimalKeyTypesAComma_data();
    void keypadDecimalKeyTypesAComma();
};

void AmplitudePageTest::typingARangeAndThreePointsWritesTheRecord()
{
    Fixture f;
    QVERIFY(f.active());
    f.newDocument(QStringLiteral("Analogowy"));
    QVERIFY(f.shown(Ranges, 1, 1));
    QVERIFY(!f.shown(Ranges, 1, 2));
    QVERIFY(f.session().isSaved());

    f.click(Ranges, 1, 1);
    f.type("100mV");
    QVERIFY(f.editing(Ranges, 2, 1));
    f.type(QString());
    QVERIFY(f.editing(Ranges, 3, 1));
    f.type("0,5");
    QVERIFY(f.editing(Ranges, 4, 1));
    f.type("0,2+2mV");
    // Enter in the class of the last range opens the next row.
    QVERIFY(f.shown(Ranges, 1, 2));
    QVERIFY(f.editing(Ranges, 1, 2));
    QCOMPARE(f.page.currentRange(), 2);
    // Esc takes the empty new row away again.
    f.type(QString(), Qt::Key_Escape);
    QVERIFY(!f.shown(Ranges, 1, 2));
    QVERIFY(f.editing(Ranges, 1, 1));
    QCOMPARE(f.page.currentRange(), 1);

    f.click(Points, 1, 1);
    f.type("20");
    f.type("50");
    f.type("100");
    QVERIFY(f.editing(Points, 1, 4));
    QVERIFY(f.messages().isEmpty());

    const ConstZakresAmpl range = f.record().ZakresyAmpl(1);
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
    QCOMPARE(f.text(Points, 1, 2), QStringLiteral("50,00000"));
    QVERIFY(f.record().ZakresyAmpl(2).isEmpty());
    QVERIFY(!f.session().isSaved());
    QVERIFY(f.window.Menu_Pomiary->isEnabled());
    QCOMPARE(f.window.Label_Zakres->text(), QStringLiteral("100mV"));
    QCOMPARE(f.window.Label_Kmz->text(), QStringLiteral("0,2% zakresu+2mV"));
    QCOMPARE(f.window.Label_CzestNastWska->text(), QStringLiteral("Częstotliwość: DC"));
}

void AmplitudePageTest::invalidCellsInARowShowOneBoxEach()
{
    Fixture f;
    QVERIFY(f.active());
    f.newDocument(QStringLiteral("Analogowy"));

    // A range without a unit, left for an empty class cell: one box, the
    // focus back in the range cell, and the class cell says nothing.
    f.click(Ranges, 1, 1);
    QTest::keyClicks(f.view().editor(), "250");
    f.click(Ranges, 3, 1);
    QCOMPARE(f.messages(), QStringList{"Źle podana jednostka!"});
    QVERIFY(f.editing(Ranges, 1, 1));
    QVERIFY(f.record().ZakresyAmpl(1).isEmpty());

    QTest::keyClicks(f.view().editor(), "V");
    f.click(Ranges, 3, 1);
    QCOMPARE(f.messages().size(), 1);
    QCOMPARE(f.record().ZakresyAmpl(1).Zak(), 250.0L);

    // Two empty class cells, one after the other.
    f.click(Ranges, 4, 1);
    QCOMPARE(f.messages().size(), 2);
    QCOMPARE(f.messages().last(),
             QStringLiteral("Nie wpisano wartości klasy miernika wzg. wartosci mierzonej"));
    QVERIFY(f.editing(Ranges, 3, 1));
    QTest::keyClicks(f.view().editor(), "pol");
    f.click(Ranges, 4, 1);
    QCOMPARE(f.messages().size(), 3);
    QVERIFY(f.editing(Ranges, 3, 1));
    QCOMPARE(f.record().ZakresyAmpl(1).Kmm(), 0.0L);
}

void AmplitudePageTest::closingTheWindowDuringAnEditWritesNothing()
{
    Fixture f;
    QVERIFY(f.active());
    f.newDocument(QStringLiteral("Cyfrowy"));
    f.click(Ranges, 1, 1);
    f.type("10V");
    f.click(Points, 2, 1);
    f.type("5");
    QCOMPARE(f.record().ZakresyAmpl(1).Punkty(1).Nk(), 5.0L);
    // A save takes the edit under way with it.
    QTest::keyClicks(f.view().editor(), "3");
    f.t.prompts.saveNames.push_back(f.dir.filePath("v.cal"));
    f.session().save();
    QCOMPARE(f.record().ZakresyAmpl(1).Punkty(2).Nk(), 3.0L);
    QCOMPARE(DocumentFile::read(f.dir.filePath("v.cal")).ZakresyAmpl(1).Punkty(2).Nk(), 3.0L);
    QVERIFY(f.messages().isEmpty());

    // A refused value is still in the cell when the window is closed.
    f.type(QString());
    f.type("4");
    QVERIFY(!f.session().isSaved());
    QTest::keyClicks(f.view().editor(), "-3");
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
    QCOMPARE(f.text(Ranges, 3, 1), QStringLiteral("0,3333"));
    QVERIFY(f.shown(Ranges, 1, 35));
    QCOMPARE(f.text(Ranges, 2, 4), QStringLiteral("55,50Hz"));
    // Walk through cells of several ranges without typing.
    for (int k : {1, 2, 3, 2}) {
        f.click(Ranges, 1, k);
        f.click(Ranges, 3, k);
        f.click(Ranges, 4, k);
        f.click(Points, 1, 1);
        f.click(Points, 1, 2);
    }
    f.view().BtnON->setFocus(Qt::TabFocusReason);
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
    f.click(Ranges, 1, 1);
    f.type("10V");
    f.click(Points, 1, 1);
    for (const char *value : {"1", "2", "3", "4", "5"})
        f.type(value);
    const ConstZakresAmpl range = f.record().ZakresyAmpl(1);
    QCOMPARE(range.pointCount(), 5);
    // The new sixth row, left empty, closes without a word; so does Esc.
    QVERIFY(f.editing(Points, 1, 6));
    f.click(Points, 1, 3);
    QVERIFY(f.messages().isEmpty());
    QVERIFY(f.editing(Points, 1, 3));
    QVERIFY(!f.shown(Points, 1, 6));
    f.click(Points, 1, 5);
    f.type(QString());
    QVERIFY(f.editing(Points, 1, 6));
    f.type(QString(), Qt::Key_Escape);
    QVERIFY(f.editing(Points, 1, 5));
    QVERIFY(!f.shown(Points, 1, 6));
    QCOMPARE(range.pointCount(), 5);

    // Esc on point 3 of 5 and on point 1 does nothing.
    f.click(Points, 1, 3);
    f.type(QString(), Qt::Key_Escape);
    f.click(Points, 1, 1);
    f.type(QString(), Qt::Key_Escape);
    QCOMPARE(range.pointCount(), 5);
    QVERIFY(f.shown(Points, 1, 1));

    // Esc on the last point removes it.
    f.click(Points, 1, 5);
    f.type(QString(), Qt::Key_Escape);
    QCOMPARE(range.pointCount(), 4);
    QVERIFY(!range.Punkty(5).Wpisany());
    QVERIFY(!f.shown(Points, 8, 5));
    QVERIFY(f.editing(Points, 1, 4));

    // "-1" typed into a point in the middle removes that point.
    f.click(Points, 1, 2);
    static_cast<QLineEdit *>(f.view().editor())->selectAll();
    f.type("-1", Qt::Key_Tab);
    QCOMPARE(range.pointCount(), 3);
    QVERIFY(!range.Punkty(2).Wpisany());
    QCOMPARE(range.Punkty(2).Wm(), 0.0L);
    QVERIFY(range.Punkty(3).Wpisany());
    QVERIFY(f.messages().isEmpty());
}

void AmplitudePageTest::thirtyFivePointsOpenNoFurtherRow()
{
    Fixture f;
    QVERIFY(f.active());
    TDaneSprawdzania record = fullDocument();
    f.open(f.write(record));
    QCOMPARE(f.record().ZakresyAmpl(1).pointCount(), 35);
    f.click(Points, 1, 20);
    f.type(QString());
    QVERIFY(f.editing(Points, 1, 20));
    f.click(Points, 1, 35);
    f.type(QString());
    QVERIFY(f.editing(Points, 1, 35));
    QVERIFY(f.session().isSaved());

    // With 34 points, Enter in the last row goes on to ON, as the grid
    // holds more points than fit.
    static_cast<QLineEdit *>(f.view().editor())->selectAll();
    f.type("-1", Qt::Key_Tab);
    QCOMPARE(f.record().ZakresyAmpl(1).pointCount(), 34);
    f.click(Points, 1, 35);
    f.type("7");
    QCOMPARE(QApplication::focusWidget(), f.view().BtnON);
    QCOMPARE(f.record().ZakresyAmpl(1).pointCount(), 35);
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
    QCOMPARE(f.painted(Ranges, 1, 1), yellow);
    QCOMPARE(f.painted(Ranges, 4, 1), yellow);
    QCOMPARE(f.painted(Ranges, 1, 3), silver);
    f.click(Ranges, 1, 3);
    QCOMPARE(f.painted(Ranges, 1, 1), silver);
    QCOMPARE(f.painted(Ranges, 3, 3), yellow);
    QVERIFY(f.cell(Points, 3, 2).alarm);
    QVERIFY(!f.cell(Points, 3, 3).alarm);
    QVERIFY(f.shown(Points, 3, 35));

    // OFF clears the ticks of the range, ON sets them.
    f.view().BtnOFF->click();
    QVERIFY(!f.cell(Points, 8, 1).checked);
    QVERIFY(!f.record().ZakresyAmpl(3).Punkty(1).Wl());
    f.view().BtnON->click();
    QVERIFY(f.cell(Points, 8, 2).checked);
    QVERIFY(f.record().ZakresyAmpl(3).Punkty(2).Wl());
    QVERIFY(!f.session().isSaved());
}

void AmplitudePageTest::decisionsFollowTheRuleAndTheResolution()
{
    Fixture f;
    QVERIFY(f.active());
    TForm_Niepewnosc dialog(f.t.services, f.session(), f.window, *f.window.Menu_Niepewnosc);
    UncertaintyPage &tab = f.page.uncertainty();
    // T 0.01 V and, with a resolution of 3.3775 mV, U 0.0020 V: the errors
    // fall into the four zones in turn.
    TDaneSprawdzania record;
    record.setNazwa(QStringLiteral("V-640"));
    record.setTyp(QStringLiteral("Cyfrowy"));
    TZakresAmpl range = record.ZakresyAmpl(1);
    range.setZak(1);
    range.setJm(QStringLiteral("V"));
    range.setKmzDod(QStringLiteral("0"));
    range.setZmierzony(true);
    const long double errors[] = {0.005L, 0.009L, 0.011L, 0.02L};
    for (int j = 1; j <= 4; ++j) {
        TPunktAmpl point = range.Punkty(j);
        point.setNk(1);
        point.setWm(1 + errors[j - 1]);
        point.setBmr(errors[j - 1]);
        point.setBmd(0.01L);
        point.setJmBk(QStringLiteral("V"));
        point.setDokl(6);
        point.setWpisany(true);
        point.setZmierzony(true);
    }
    f.open(f.write(record));
    f.window.Notebook_Charakterystyka->setCurrentWidget(&tab);

    auto colours = [&] {
        QString shown;
        for (int j = 1; j <= 4; ++j)
            shown += f.cell(Points, 3, j).alarm ? 'r' : f.cell(Points, 3, j).caution ? 'o' : 'b';
        return shown;
    };
    auto decisions = [&] {
        QStringList words;
        for (int row = 0; row < tab.Table_Niepewnosc->rowCount(); ++row)
            words.append(tab.Table_Niepewnosc->item(row, 7)->text());
        return words;
    };
    QCOMPARE(colours(), QStringLiteral("bbrr"));
    QCOMPARE(tab.Label_BezRozdzielczosci->text(), QStringLiteral("bez składowej rozdzielczości"));
    QCOMPARE(tab.Label_Regula->text(), QStringLiteral("Reguła: Prosta akceptacja (ILAC-G8 4.2.1)"));

    // The document's rule from the dialog; the lab's stays as it was.
    f.t.prompts.dialogHandlers.push_back({QStringLiteral("Form_Niepewnosc"), [&](QDialog *) {
                                              dialog.ComboBox_Regula->setCurrentIndex(2);
                                              dialog.Button_OK->click();
                                              return dialog.result();
                                          }});
    f.window.Menu_Niepewnosc->trigger();
    QCOMPARE(f.session().extension().decisionRule(), DecisionRule::FourZone);
    QCOMPARE(UncertaintySettings::load(), UncertaintySettings());
    QVERIFY(!f.session().isSaved());
    // Without an uncertainty the four zones are simple acceptance.
    QCOMPARE(colours(), QStringLiteral("bbrr"));

    QTest::keyClicks(tab.Edit_Rozdzielczosc, QStringLiteral("0,0033775"));
    QTest::keyClick(tab.Edit_Rozdzielczosc, Qt::Key_Return);
    QCOMPARE(double(f.session().extension().resolution(Characteristic::Amplitude, 1)), 0.0033775);
    QCOMPARE(colours(), QStringLiteral("boor"));
    QCOMPARE(decisions(),
             (QStringList{"zgodny", "warunkowo zgodny", "warunkowo niezgodny", "niezgodny"}));
    QCOMPARE(tab.Table_Niepewnosc->item(0, 5)->text(), QStringLiteral("0,0020"));
    QCOMPARE(tab.Table_Niepewnosc->item(0, 6)->text(), QStringLiteral("5,0:1"));
    QCOMPARE(tab.Label_Regula->text(), QStringLiteral("Reguła: Cztery strefy (ILAC-G8 4.2.3)"));
    QCOMPARE(
        tab.Label_Oceny->text(),
        QStringLiteral("zgodny: 1, warunkowo zgodny: 1, warunkowo niezgodny: 1, niezgodny: 1"));
    QCOMPARE(tab.Label_NajnizszyTUR->text(), QStringLiteral("Najniższy TUR: 5,0:1"));
    QVERIFY(tab.Label_BezRozdzielczosci->text().isEmpty());
}

void AmplitudePageTest::scrollBarsFollowTheCounts()
{
    Fixture f;
    QVERIFY(f.active());
    f.window.resize(639, 620); // the "Zakres" box at 491: 20 rows fit
    f.open(f.write(fullDocument()));
    QCOMPARE(f.window.GroupBox_Zakres->y(), 491);
    QScrollBar *ranges = f.view().ZakresySB;
    QScrollBar *points = f.view().PunktySB;
    QVERIFY(ranges->isVisible());
    QCOMPARE(ranges->maximum(), 15);
    QCOMPARE(points->maximum(), 15);
    QCOMPARE(points->pageStep(), 20);
    points->setValue(3);
    QCOMPARE(f.grid().scroller(Points).areaTop(), 44 - 60);
    QCOMPARE(f.view().cellRect({Points, 1, 4}).top(), 44);

    // Dragging steps by whole rows within the allowed heights.
    QCOMPARE(f.window.sizeIncrement(), QSize(1, 20));
    QCOMPARE(f.window.baseSize(), QSize(639, 60));
    QCOMPARE(f.window.minimumSize(), QSize(639, 420));
    QCOMPARE(f.window.maximumSize(), QSize(639, 920));

    // A lower window shows fewer rows; the bar is pulled back.
    points->setValue(15);
    f.window.resize(639, 500);
    QCOMPARE(points->pageStep(), (500 - 129 - 87) / 20);
    QCOMPARE(points->maximum(), 35 - 14);
    QCOMPARE(points->value(), 21 - 14 + 1);
    QCOMPARE(f.grid().scroller(Points).areaTop(), 44 - 20 * points->value());
}

void AmplitudePageTest::userFrequencyComesFromTheFrequencyDialog()
{
    Fixture f;
    QVERIFY(f.active());
    f.newDocument(QStringLiteral("Analogowy"));
    f.click(Ranges, 1, 1);
    f.type("10V");
    QVERIFY(f.editing(Ranges, 2, 1));
    auto *list = qobject_cast<QComboBox *>(f.view().editor());
    QVERIFY(list);
    f.t.prompts.dialogHandlers.push_back({QStringLiteral("Form_Czestotliwosc"), [](QDialog *d) {
                                              auto *dialog = static_cast<TForm_Czestotliwosc *>(d);
                                              dialog->Edit_Czestotliwosc->setText("55,5");
                                              dialog->BitBtn_Czestotliwosc_OKClick();
                                              return int(QDialog::Accepted);
                                          }});
    Q_EMIT list->activated(4);
    const ConstZakresAmpl range = f.record().ZakresyAmpl(1);
    QCOMPARE(range.Cz(), 4);
    QCOMPARE(double(range.CzHz()), 55.5);
    QCOMPARE(list->currentText(), QStringLiteral("55,50Hz"));
    QCOMPARE(f.text(Ranges, 2, 1), QStringLiteral("55,50Hz"));
    QCOMPARE(f.window.Label_CzestNastWska->text(), QStringLiteral("Częstotliwość: 55,50Hz"));
    Q_EMIT list->activated(2);
    QCOMPARE(range.Cz(), 2);
    QCOMPARE(range.CzHz(), 60.0L);
}

void AmplitudePageTest::headersAreWhiteOnTheirTone_data()
{
    QTest::addColumn<QString>("typ");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("other");
    QTest::newRow("Analogowy") << "Analogowy"
                               << "Label_Wm"
                               << "Label_Nk";
    QTest::newRow("Cyfrowy") << "Cyfrowy"
                             << "Label_Nk"
                             << "Label_Wm";
}

void AmplitudePageTest::headersAreWhiteOnTheirTone()
{
    QFETCH(QString, typ);
    QFETCH(QString, entry);
    QFETCH(QString, other);
    Fixture f;
    f.newDocument(typ);
    const QImage image = f.view().grab().toImage();
    const QColor olive(128, 128, 0), green(0, 128, 0), teal(0, 128, 128);
    const QStringList results = {"Label_Blad", "Label_Bmr", "Label_Bmd", "Label_Bk1",
                                 "Label_Bk2",  "Label_Jm1", "Label_Jm2"};
    int captions = 0;
    for (const GridHeader &header : f.grid().rules().headers()) {
        // Green marks the column points are typed into; the other value
        // column is olive like the range's inputs.
        const QColor tone = header.name == entry            ? green
                            : results.contains(header.name) ? teal
                                                            : olive;
        QVERIFY(header.name != other || tone == olive);
        const QRect rect = f.view().headerRect(header);
        QVERIFY2(image.pixelColor(rect.topLeft() + QPoint(2, 2)) == tone, qPrintable(header.name));
        // The caption is there to be read: white among the tone.
        int white = 0;
        for (int y = rect.top() + 1; y < rect.bottom(); ++y)
            for (int x = rect.left() + 1; x < rect.right(); ++x)
                white += qGray(image.pixel(x, y)) > 200;
        QVERIFY2(header.caption.isEmpty() || white > 10, qPrintable(header.name));
        captions += !header.caption.isEmpty();
    }
    QCOMPARE(captions, 13);
}

void AmplitudePageTest::valueTypedOverAMeasuredPointClearsItsResults()
{
    Fixture f;
    QVERIFY(f.active());
    f.open(f.write(fullDocument()));
    QVERIFY(f.shown(Points, 3, 2) && f.shown(Points, 2, 2));
    f.click(Points, 1, 2);
    static_cast<QLineEdit *>(f.view().editor())->selectAll();
    f.type("0,5", Qt::Key_Tab);
    // The old indication, setting and errors belonged to the old value.
    for (int column : {2, 3, 4, 5, 6})
        QVERIFY2(!f.shown(Points, column, 2), qPrintable(QString::number(column)));
    QCOMPARE(f.text(Points, 1, 2), QStringLiteral("0,500000"));
    QVERIFY(f.shown(Points, 3, 3));
}

void AmplitudePageTest::emptyNewRangeRowLetsTheUserGo()
{
    Fixture f;
    QVERIFY(f.active());
    f.newDocument(QStringLiteral("Analogowy"));
    f.click(Ranges, 1, 1);
    f.type("10V");
    f.type(QString());
    f.type("0,5");
    f.type("0,2");
    QVERIFY(f.editing(Ranges, 1, 2));
    // Leaving the empty new row, and its empty class cells, says nothing:
    // there is nothing to store.
    f.click(Ranges, 3, 2);
    f.click(Ranges, 1, 1);
    QVERIFY(f.messages().isEmpty());
    QVERIFY(f.editing(Ranges, 1, 1));
    QCOMPARE(f.record().amplRangeCount(), 1);
    // A range that holds one is still checked when its value is emptied.
    static_cast<QLineEdit *>(f.view().editor())->clear();
    QTest::keyClick(f.view().editor(), Qt::Key_Backspace);
    f.click(Ranges, 3, 1);
    QCOMPARE(f.messages(), QStringList{"Źle podana jednostka!"});
}

void AmplitudePageTest::keypadDecimalKeyTypesAComma_data()
{
    QTest::addColumn<QString>("field");
    QTest::newRow("grid cell") << "grid";
    QTest::newRow("exact setting") << "Edit_PomDN_WskazanieMiernika";
    QTest::newRow("exact setting, frequency") << "Edit_PomDN_Cz_WskazanieMiernika";
    QTest::newRow("frequency entry") << "Edit_Czestotliwosc";
}

void AmplitudePageTest::keypadDecimalKeyTypesAComma()
{
    QFETCH(QString, field);
    Fixture f;
    MeasurementState state;
    TForm_PomiaryDN setting(f.t.services, state);
    TForm_PomiaryDN_Cz frequencySetting(f.t.services, state);
    TForm_Czestotliwosc frequency(f.t.prompts);
    QLineEdit *edit = nullptr;
    if (field == QLatin1String("grid")) {
        QVERIFY(f.active());
        f.newDocument(QStringLiteral("Cyfrowy"));
        f.click(Ranges, 1, 1);
        edit = qobject_cast<QLineEdit *>(f.view().editor());
    } else {
        for (QWidget *window :
             {static_cast<QWidget *>(&setting), static_cast<QWidget *>(&frequencySetting),
              static_cast<QWidget *>(&frequency)})
            edit = edit ? edit : window->findChild<QLineEdit *>(field);
    }
    QVERIFY(edit);
    edit->clear();
    QTest::keyClicks(edit, "1");
    QTest::keyClick(edit, Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClicks(edit, "5");
    QTest::keyClick(edit, Qt::Key_Period);
    QCOMPARE(edit->text(), QStringLiteral("1,5."));
}

ORVANE_TEST_MAIN(AmplitudePageTest)
#include "tst_amplitudepage.moc"
