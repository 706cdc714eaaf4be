#include "core/base/errors.h"
#include "core/frequency/frequencygrid.h"
#include "gui/characteristic/amplitude/amplitudepage.h"
#include "gui/characteristic/characteristictabs.h"
#include "gui/characteristic/frequency/frequencypage.h"
#include "gui/output/chartpages.h"
#include "tests/amplitude/fulldocument.h"
#include "tests/support/core/testmain.h"
#include "tests/support/gui/verificationwindowfixture.h"

#include <QComboBox>
#include <QFile>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>

namespace {

constexpr GridArea Ranges = GridArea::Ranges;
constexpr GridArea Points = GridArea::Points;
const QString Analogowy = QStringLiteral("Analogowy");
const QString Cyfrowy = QStringLiteral("Cyfrowy");

bool isBlank(ConstZakresCz range)
{
    for (int i = 0; i < TZakresCz::Size; ++i) {
        if (range.bytes()[i] != 0)
            return false;
    }
    return true;
}

// The verification window with both table pages, the tab bars and the
// chart pages.
struct Fixture : VerificationWindowFixture
{
    AmplitudePage amplitude{t.services, window.session(), window.frame(), frequencyDialog};
    FrequencyPage frequency{t.services, window.session(), window.frame(), frequencyDialog};
    CharacteristicTabs tabs{t.services, window.session(), window.frame(), amplitude, frequency};
    ChartPages charts{t.prompts, window.session(), window.frame()};

    explicit Fixture(int height = 530)
    {
        tabs.viewSwitch().buildChart = [this](Characteristic characteristic, ChartKind kind) {
            return charts.build(characteristic, kind);
        };
        show(height);
    }

    CharacteristicGrid &grid() override { return frequency.grid(); }
    CharacteristicGridView &view() override { return frequency.view(); }

    // The frequency entry dialog, answered with a frequency, or without
    // one ended with Esc.
    void answerFrequency(const QString &text)
    {
        t.prompts.dialogHandlers.push_back(
            {QStringLiteral("Form_Czestotliwosc"), [text](QDialog *d) {
                 auto *dialog = static_cast<TForm_Czestotliwosc *>(d);
                 dialog->show();
                 dialog->Edit_Czestotliwosc->setText(text);
                 if (text.isEmpty())
                     QTest::keyClick(dialog, Qt::Key_Escape);
                 else
                     dialog->BitBtn_Czestotliwosc_OKClick();
                 return dialog->result();
             }});
    }

    int frequencyDialogs() const
    {
        return int(t.prompts.dialogsShown.count(QStringLiteral("Form_Czestotliwosc")));
    }

    // A click on a tab, as the user makes it: on a characteristic's caption,
    // under its own bar.
    void clickTab(QTabBar *bar, int index)
    {
        const QRect tab = bar->tabRect(index);
        const QPoint at = bar == tabs.TabSet_Ampli_Czest
                              ? QPoint(tab.center().x(), tab.bottom() - 4)
                              : tab.center();
        QTest::mouseClick(bar, Qt::LeftButton, {}, at);
    }

    int page() const { return window.Notebook_Charakterystyka->currentIndex(); }
};

// A frequency range of the table in use with n points, measured and ticked
// as asked.
void fillRange(TZakresCz range, long double zak, int points, bool measured, bool ticked)
{
    range.setZak(zak);
    range.setJm(QStringLiteral("V"));
    range.setNkDN_WmDO(zak / 2);
    range.setKmm(0.5L);
    range.setKmzDod(QStringLiteral("0"));
    range.setZmierzony(measured);
    for (int j = 1; j <= points; ++j) {
        TPunktCz point = range.Punkty(j);
        point.setCzHz(50);
        point.setWmDN_NkDO(zak / 2);
        point.setJmBk(QStringLiteral("V"));
        point.setDokl(5);
        point.setWpisany(true);
        point.setZmierzony(measured);
        point.setWl(ticked);
    }
}

} // namespace

class FrequencyPageTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typingARangeAndItsPointsWritesTheTableInUse_data();
    void typingARangeAndItsPointsWritesTheTableInUse();
    void cellsRefuseWhatDoesNotRead_data();
    void cellsRefuseWhatDoesNotRead();
    void showingIsNotEditing();
    void viewSwitchingAndChartTabs_data();
    void viewSwitchingAndChartTabs();
    void barsFollowTheTableInUse();
};

void FrequencyPageTest::typingARangeAndItsPointsWritesTheTableInUse_data()
{
    QTest::addColumn<QString>("typ");
    QTest::addColumn<QString>("amplitudeHeader");
    QTest::addColumn<QString>("secondLine");
    QTest::newRow("exact setting") << Cyfrowy << "Label_Nk_DN_Cz"
                                   << "Nast. amplit. kalibr.: 0,15 V";
    QTest::newRow("exact reading") << Analogowy << "Label_Wm_DO_Cz"
                                   << "Wskaz. mier. bad.: 0,15 V";
}

void FrequencyPageTest::typingARangeAndItsPointsWritesTheTableInUse()
{
    QFETCH(QString, typ);
    QFETCH(QString, amplitudeHeader);
    QFETCH(QString, secondLine);

    Fixture f;
    QVERIFY(f.active());
    f.newDocument(typ);
    f.tabs.TabSet_Ampli_Czest->setCurrentIndex(1);
    QCOMPARE(f.page(), 3);
    QCOMPARE(f.grid().rules().headers().at(1).name, amplitudeHeader);

    // The keyboard comes into the grid at the first range.
    f.view().setFocus(Qt::TabFocusReason);
    QVERIFY(f.editing(Ranges, 1, 1));
    f.type("1V");
    f.type("0,15");
    f.type("0,5");
    QVERIFY(f.editing(Ranges, 4, 1));
    QTest::keyClicks(QApplication::focusWidget(), "0,5+2mV");

    // Tab goes on from the ranges to the points. Each new point row asks
    // for its frequency once, as its list is entered; Enter defines the
    // point and opens the next row.
    f.answerFrequency("55,5");
    f.type({}, Qt::Key_Tab);
    QVERIFY(f.editing(Points, 2, 1));
    QCOMPARE(f.grid().cell(Points, 2, 1).text, QStringLiteral("55,50Hz"));
    f.answerFrequency("1500");
    f.type({});
    f.answerFrequency("60");
    f.type({});
    QVERIFY(f.editing(Points, 2, 3));
    // Up from the user's frequency chooses 400 Hz.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QCOMPARE(f.grid().cell(Points, 2, 3).text, QStringLiteral("400Hz"));
    f.answerFrequency("100");
    f.type({});
    QVERIFY(f.editing(Points, 2, 4));
    QCOMPARE(f.frequencyDialogs(), 4);
    // Esc takes the new row away again.
    f.type({}, Qt::Key_Escape);
    QVERIFY(f.editing(Points, 2, 3));
    QVERIFY(!f.grid().rowOpen(Points, 4));
    QCOMPARE(f.frequencyDialogs(), 4);
    // A new row whose dialog is ended with Esc shows "f" and, left so, goes
    // without a word; its list still offers the fixed frequencies.
    f.answerFrequency({});
    f.type({});
    QCOMPARE(f.grid().cell(Points, 2, 4).text, QStringLiteral("f"));
    f.type({}, Qt::Key_Backtab);
    QVERIFY(f.editing(Points, 2, 3));
    QVERIFY(!f.grid().rowOpen(Points, 4));
    f.answerFrequency({});
    f.type({});
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
    QCOMPARE(f.grid().cell(Points, 2, 4).text, QStringLiteral("50Hz"));
    f.type({}, Qt::Key_Escape);
    QCOMPARE(f.frequencyDialogs(), 6);

    const ConstZakresCz range = f.record().ZakresyCz(1);
    QCOMPARE(range.Zak(), 1.0L);
    QCOMPARE(range.Jm(), QStringLiteral("V"));
    QCOMPARE(double(range.NkDN_WmDO()), 0.15);
    QCOMPARE(double(range.Kmz()), 0.5);
    QCOMPARE(range.KmzDod(), QStringLiteral("2mV"));
    const int expectedCz[] = {3, 3, 2};
    const double expectedHz[] = {55.5, 1500, 400};
    for (int j = 1; j <= 3; ++j) {
        const ConstPunktCz point = range.Punkty(j);
        QVERIFY(point.Wpisany());
        QVERIFY(!point.Wl());
        QCOMPARE(point.Cz(), expectedCz[j - 1]);
        QCOMPARE(double(point.CzHz()), expectedHz[j - 1]);
    }
    QVERIFY(!range.Punkty(4).Wpisany());
    // Leaving a list at a frequency of the user's own keeps that point's
    // frequency, not whatever the dialog was last given.
    f.click(Points, 2, 1);
    f.click(Points, 2, 2);
    qobject_cast<QComboBox *>(f.view().editor())->hidePopup();
    QCOMPARE(double(range.Punkty(1).CzHz()), 55.5);
    QCOMPARE(f.frequencyDialogs(), 6);
    // Tab from the last point leaves the grid.
    f.type({}, Qt::Key_Tab);
    f.type({}, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f.view().BtnON));

    // The other method's table stays empty.
    QVERIFY(isBlank(typ == Cyfrowy ? f.record().ZakresyCzDO(1) : f.record().ZakresyCzDN(1)));
    QCOMPARE(f.window.Label_Zakres->text(), QStringLiteral("1V"));
    QCOMPARE(f.window.Label_CzestNastWska->text(), secondLine);
    QCOMPARE(f.window.Label_Kmm->text(), QStringLiteral("0,5% w. mierz."));
    QCOMPARE(f.window.Label_Kmz->text(), QStringLiteral("0,5% zakresu+2mV"));
    QVERIFY(f.session().display().menuEnabled(DocumentDisplay::MenuItem::Pomiary));
    QVERIFY(!f.session().isSaved());
    QVERIFY(f.messages().isEmpty());
}

void FrequencyPageTest::cellsRefuseWhatDoesNotRead_data()
{
    QTest::addColumn<QString>("typ");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("caption");

    const QString error = QStringLiteral("Error");
    const QString blad = QStringLiteral("Błąd");
    QTest::newRow("range without a unit") << Cyfrowy << 1 << "200"
                                          << "Źle podana jednostka!"
                                          << "Orvane 707";
    QTest::newRow("range number") << Cyfrowy << 1 << "2mA5"
                                  << "Źle wprowadzona dana"
                                  << "";
    QTest::newRow("setting empty") << Cyfrowy << 2 << ""
                                   << "You did not enter calibrator's setting." << error;
    QTest::newRow("readout empty") << Analogowy << 2 << ""
                                   << "You did not enter meter readout!" << error;
    QTest::newRow("setting not a number")
        << Cyfrowy << 2 << "1,5V"
        << "Źle wprowadzona nastawa amplitudy kalibratora." << blad;
    QTest::newRow("readout not a number") << Analogowy << 2 << "x"
                                          << "Źle wprowadzone wskazanie miernika." << blad;
    QTest::newRow("class not a number")
        << Analogowy << 3 << "0,5%"
        << "Nie wpisano wartości klasy miernika wzg. wartości mierzonej" << blad;
    QTest::newRow("class of the range empty")
        << Cyfrowy << 4 << ""
        << "Nie wpisano wartości klasy miernika wzg. zakresu" << blad;
    QTest::newRow("term not a number")
        << Cyfrowy << 4 << "0,5+2xmV"
        << "Nie wpisano wartości klasy miernika wzg. zakresu" << blad;
    // The frequency dialog is read back: a text that is not a number stores
    // nothing.
    QTest::newRow("frequency dialog's text") << Cyfrowy << 0 << "4,5,0"
                                             << ""
                                             << "";
}

void FrequencyPageTest::cellsRefuseWhatDoesNotRead()
{
    QFETCH(QString, typ);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(QString, caption);

    TestServices t;
    DocumentSession session(t.prompts);
    session.record().setTyp(typ);
    fillRange(session.record().ZakresyCz(1), 10, 1, false, false);
    const TDaneSprawdzania before = session.record();
    FrequencyGridRules rules(session);
    rules.askFrequency = [text] { return text; };

    CellOutcome outcome;
    QString thrown;
    try {
        if (column == 0)
            outcome = rules.choose({Points, FrequencyTags::FrequencyColumn, 2}, 3);
        else
            outcome = rules.leave({Ranges, column, 1}, {text, true});
    } catch (const ProgramError &error) {
        thrown = error.message();
    }
    QCOMPARE(thrown.isEmpty() ? outcome.message : thrown, message);
    QCOMPARE(outcome.caption, caption);
    QCOMPARE(outcome.refused, !caption.isEmpty());
    QVERIFY(!outcome.changed);
    QVERIFY(session.record() == before);
}

void FrequencyPageTest::showingIsNotEditing()
{
    Fixture f(620);
    QVERIFY(f.active());
    TDaneSprawdzania full = fullDocument(Cyfrowy);
    full.setWidokAmpl(false);
    // A frequency of more digits than the frequency dialog takes.
    full.ZakresyCzDN(1).Punkty(3).setCzHz(99.995L);
    const QString name = f.write(full);
    QFile file(name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray original = file.readAll();
    file.close();

    f.open(name);
    // It opens where it was saved: on the frequency table.
    QCOMPARE(f.page(), 3);
    QCOMPARE(f.tabs.TabSet_Ampli_Czest->currentIndex(), 1);
    // A volt range whose amplitude a run left in millivolts shows it in
    // volts; the "Zakres" box says so too.
    QCOMPARE(f.grid().cell(Ranges, 2, 1).text, QStringLiteral("0,1"));
    QCOMPARE(f.window.Label_CzestNastWska->text(), QStringLiteral("Nast. amplit. kalibr.: 0,1 V"));
    // Its list shows it whole once measured.
    const QString measured = f.grid().cell(Points, 2, 3).text;
    QCOMPARE(measured, QStringLiteral("99,995Hz"));
    QVERIFY(QFontMetricsF(f.view().cellFont()).horizontalAdvance(measured) <=
            f.view().textRect({Points, 2, 3}).width());

    // Ranges entered, lists entered and left, scrolled, charts shown, the
    // other characteristic and back.
    for (int k : {3, 2, 1}) {
        f.click(Ranges, 1, k);
        f.click(Ranges, 2, k);
        f.click(Points, 2, 3);
        f.click(Points, 2, 1);
    }
    f.view().PunktySB->setValue(10);
    f.view().ZakresySB->setValue(5);
    f.clickTab(f.tabs.TabSet_Czestotliwosciowe, 1);
    QCOMPARE(f.page(), 4);
    f.clickTab(f.tabs.TabSet_Czestotliwosciowe, 0);
    f.clickTab(f.tabs.TabSet_Ampli_Czest, 0);
    f.clickTab(f.tabs.TabSet_Ampli_Czest, 1);
    QCOMPARE(f.frequencyDialogs(), 0);
    QVERIFY(f.messages().isEmpty());
    QVERIFY(f.session().isSaved());

    f.session().save();
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), original);
}

void FrequencyPageTest::viewSwitchingAndChartTabs_data()
{
    QTest::addColumn<QString>("typ");
    QTest::addColumn<int>("chartPage");
    QTest::newRow("exact setting") << Cyfrowy << 4;
    QTest::newRow("exact reading") << Analogowy << 6;
}

void FrequencyPageTest::viewSwitchingAndChartTabs()
{
    QFETCH(QString, typ);
    QFETCH(int, chartPage);

    Fixture f;
    QVERIFY(f.active());
    TDaneSprawdzania record;
    record.setTyp(typ);
    record.setWidokAmpl(false);
    fillRange(record.ZakresyCz(1), 20, 2, false, true);
    fillRange(record.ZakresyCz(2), 10, 2, true, true);
    fillRange(record.ZakresyCz(3), 5, 2, true, false);
    f.open(f.write(record));

    TabSet *frequencyBar = f.tabs.TabSet_Czestotliwosciowe;
    TabSet *amplitudeBar = f.tabs.TabSet_Amplitudowe;
    QCOMPARE(f.page(), 3);
    QVERIFY(frequencyBar->isEnabled() && !amplitudeBar->isEnabled());
    QCOMPARE(frequencyBar->colours().background, QColor(0, 128, 128));
    QCOMPARE(frequencyBar->colours().selected, QColor(Qt::white));
    QCOMPARE(amplitudeBar->colours().background, QColor(192, 192, 192));
    QCOMPARE(amplitudeBar->colours().selected, QColor(192, 192, 192));
    QCOMPARE(f.session().shownView(), DocumentSession::View::Frequency);

    // A range not measured yet keeps its table.
    f.clickTab(frequencyBar, 1);
    QCOMPARE(f.messages(),
             QStringList{QStringLiteral("Na zakresie 20V nie przeprowadzono jeszcze pomiarów.")});
    QCOMPARE(f.t.prompts.messages.last().caption, QStringLiteral("Brak danych"));
    QCOMPARE(frequencyBar->currentIndex(), 0);
    QCOMPARE(f.page(), 3);

    // A measured range shows its charts, on the pages of the method.
    f.click(Ranges, 1, 2);
    f.clickTab(frequencyBar, 1);
    QCOMPARE(f.page(), chartPage);
    f.clickTab(frequencyBar, 2);
    QCOMPARE(f.page(), chartPage + 1);
    QCOMPARE(frequencyBar->currentIndex(), 2);
    f.clickTab(frequencyBar, 0);
    QCOMPARE(f.page(), 3);

    // Nothing ticked to plot: the chart's own box, and the table again.
    f.click(Ranges, 1, 3);
    f.clickTab(frequencyBar, 2);
    QCOMPARE(f.messages().last(), ChartContent::refusalText());
    QCOMPARE(frequencyBar->currentIndex(), 0);
    QCOMPARE(f.page(), 3);

    // The amplitude characteristic, which has no range: its charts are
    // refused without a word.
    const int said = int(f.messages().size());
    f.clickTab(f.tabs.TabSet_Ampli_Czest, 0);
    QCOMPARE(f.page(), 0);
    QVERIFY(amplitudeBar->isEnabled() && !frequencyBar->isEnabled());
    QCOMPARE(frequencyBar->colours().background, QColor(192, 192, 192));
    QCOMPARE(f.window.Label_CzestNastWska->text().left(14), QStringLiteral("Częstotliwość:"));
    f.clickTab(amplitudeBar, 1);
    QCOMPARE(f.page(), 0);
    QCOMPARE(f.messages().size(), said);

    // The view is recorded with the document: the amplitude table, then the
    // frequency characteristic.
    f.t.prompts.saveNames.push_back(f.dir.filePath(QStringLiteral("b.cal")));
    f.session().saveAs();
    QVERIFY(DocumentFile::read(f.dir.filePath(QStringLiteral("b.cal"))).WidokAmpl());
    f.clickTab(f.tabs.TabSet_Ampli_Czest, 1);
    QCOMPARE(f.window.Label_CzestNastWska->text().left(6),
             typ == Cyfrowy ? QStringLiteral("Nast. ") : QStringLiteral("Wskaz."));
    f.session().save();
    QVERIFY(!DocumentFile::read(f.dir.filePath(QStringLiteral("b.cal"))).WidokAmpl());
}

void FrequencyPageTest::barsFollowTheTableInUse()
{
    // With the "Zakres" box at 491, 20 rows fit.
    Fixture f(620);
    QVERIFY(f.active());
    TDaneSprawdzania record = fullDocument(Analogowy);
    for (int k = 1; k <= TDaneSprawdzania::Slots; ++k)
        record.ZakresyCzDO(k).clear();
    fillRange(record.ZakresyCzDO(1), 10, 20, false, false);
    fillRange(record.ZakresyCzDO(2), 20, 21, false, false);
    record.setWidokAmpl(true);
    f.open(f.write(record));
    QScrollBar *ranges = f.view().ZakresySB;
    QScrollBar *points = f.view().PunktySB;

    // The exact-reading table has two ranges, the other table 35: no bar.
    f.clickTab(f.tabs.TabSet_Ampli_Czest, 1);
    QVERIFY(!ranges->isVisible());
    QVERIFY(!points->isVisible());
    f.click(Ranges, 1, 2);
    QVERIFY(points->isVisible());
    QCOMPARE(points->maximum(), 1);
    f.clickTab(f.tabs.TabSet_Ampli_Czest, 0);
    f.clickTab(f.tabs.TabSet_Ampli_Czest, 1);
    QVERIFY(points->isVisible());
    QCOMPARE(points->maximum(), 1);

    // Enter after the 20th point opens a row that the bar reaches.
    f.click(Ranges, 1, 1);
    QVERIFY(!points->isVisible());
    f.click(Points, 2, 20);
    qobject_cast<QComboBox *>(f.view().editor())->hidePopup();
    f.answerFrequency("70");
    f.type({});
    QVERIFY(f.editing(Points, 2, 21));
    QVERIFY(points->isVisible());
    QCOMPARE(points->maximum(), 1);

    // A lower window fits fewer rows of the 20 points.
    f.window.resize(639, 500);
    QCOMPARE(points->pageStep(), 14);
    QCOMPARE(points->maximum(), 20 - 14);
}

ORVANE_TEST_MAIN(FrequencyPageTest)
#include "tst_frequencypage.moc"
