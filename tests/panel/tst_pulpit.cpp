#include "core/calibrator/frames.h"
#include "core/panel/frequencyinput.h"
#include "gui/panel/displaycells.h"
#include "gui/panel/tform_czestotliwosc.h"
#include "gui/panel/tform_pulpit.h"
#include "tests/support/core/testmain.h"
#include "tests/support/core/testservices.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

class PulpitTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keyboardSendsOnePointFiveOnTenVolts();
    void clicksReachTheState();
    void controlsFollowTheModel();
    void modelChangeResetsWhenShown();
    void glyphsAreDistinctAndSharp();
    void frequencyTexts_data();
    void frequencyTexts();
    void frequencyDialogTakesOnlyAValidFrequency();
};

// The main window's way of running the panel: open, standby, show modally,
// reset on closing, close.
static void runPanel(TestServices &t, TForm_Pulpit &pulpit,
                     const std::function<void(TForm_Pulpit &)> &operate)
{
    t.prompts.dialogHandlers.push_back({QStringLiteral("Form_Pulpit"), [&](QDialog *dialog) -> int {
                                            dialog->show();
                                            operate(pulpit);
                                            dialog->hide();
                                            return int(QDialog::Rejected);
                                        }});
    t.link.open();
    t.link.send(Frames::standbyFrame());
    pulpit.setStandby(true);
    t.prompts.exec(&pulpit);
    pulpit.Button_CClick();
    t.link.close();
}

void PulpitTest::keyboardSendsOnePointFiveOnTenVolts()
{
    TestServices t;
    TForm_Pulpit pulpit(t.services);
    runPanel(t, pulpit, [](TForm_Pulpit &panel) {
        panel.Z[2]->click();
        // Keys go to the focused radio; the panel takes them first.
        panel.Z[2]->setFocus();
        QTest::keyClicks(panel.Z[2], QStringLiteral("1.5"));
        QTest::keyClick(panel.Z[2], Qt::Key_E);
        QCOMPARE(panel.Cyfra[5]->glyph(), Glyph::Digit1);
        QVERIFY(panel.Kropka[5]->isLit());
        QCOMPARE(panel.Cyfra[0]->glyph(), Glyph::Digit0);
        QCOMPARE(panel.Cyfra[6]->glyph(), Glyph::Clear);
        QVERIFY(panel.Z[2]->isChecked());
    });
    QCOMPARE(t.transcript.lines(), QStringList({"open", "<S>", "<Z2F0N1.50000>", "100ms", "<S>",
                                                "200ms", "<C>", "100ms", "<S>", "close"}));
}

void PulpitTest::clicksReachTheState()
{
    TestServices t;
    TForm_Pulpit pulpit(t.services);
    runPanel(t, pulpit, [&t](TForm_Pulpit &panel) {
        QTest::mouseClick(panel.UBtn, Qt::LeftButton);
        QTest::mouseClick(panel.SButton[1], Qt::LeftButton);
        QTest::mouseClick(panel.EBtn, Qt::LeftButton);
        QTest::mouseClick(panel.UpBtn, Qt::LeftButton);
        QVERIFY(panel.Z[1]->isChecked());
        // S leaves standby; the button and its hint follow.
        QTest::mouseClick(panel.SBtn, Qt::LeftButton);
        QVERIFY(!panel.SBtn->isChecked());
        QCOMPARE(panel.SBtn->toolTip(), QStringLiteral("operate -> standby"));
        // The high-voltage range warns from a click too.
        QTest::mouseClick(panel.Z[3], Qt::LeftButton, {}, QPoint(5, 10));
        QCOMPARE(t.prompts.messages.size(), 1);
        QVERIFY(panel.SBtn->isChecked());
    });
    QCOMPARE(t.transcript.frames(), QStringList({"<S>", "<Z1F0N1.000000>", "<S>", "<Z1N1.000010>",
                                                 "<S>", "<O>", "<S>", "<C>", "<S>"}));
}

void PulpitTest::controlsFollowTheModel()
{
    TestServices t;
    TForm_Pulpit pulpit(t.services);
    runPanel(t, pulpit, [](TForm_Pulpit &panel) {
        QVERIFY(panel.Z[10]->isHidden());
        QVERIFY(panel.F[5]->isHidden());
        QCOMPARE(panel.F[4]->text(), QStringLiteral("fext"));
        QCOMPARE(panel.F[4]->toolTip(), QStringLiteral("częstotliwość zewnętrzna"));
        QCOMPARE(panel.Panel_ModelKalibratora->text(), QStringLiteral("Kalibrator R-707"));
        QCOMPARE(panel.Z[4]->text(), QStringLiteral("1000V"));
        QCOMPARE(panel.Z[1]->toolTip(),
                 QStringLiteral("zakres 1V   maksymalna wartość nastawy 2,05 V"));
        QCOMPARE(panel.Z[8]->toolTip(),
                 QStringLiteral("zakres 1A   maksymalna wartość nastawy 1,1 A"));
        QCOMPARE(panel.Z[4]->toolTip(),
                 QStringLiteral("zakres 1000V   maksymalna wartość nastawy 1100 V"));
    });

    t.services.model.name = QStringLiteral("R-707FC");
    runPanel(t, pulpit, [](TForm_Pulpit &panel) {
        QVERIFY(!panel.Z[10]->isHidden());
        QVERIFY(!panel.F[5]->isHidden());
        QCOMPARE(panel.F[4]->text(), QStringLiteral("ampl"));
        QCOMPARE(panel.Panel_ModelKalibratora->text(), QStringLiteral("Kalibrator R-707FC"));
        QTest::mouseClick(panel.Z[10], Qt::LeftButton, {}, QPoint(5, 10));
        QVERIFY(!panel.F[0]->isEnabled());
        QVERIFY(panel.F[1]->isChecked());
        QTest::mouseClick(panel.F[5], Qt::LeftButton, {}, QPoint(5, 10));
        QVERIFY(!panel.UpBtn->isEnabled());
        QVERIFY(!panel.DeltaBtn->isEnabled());
        QCOMPARE(panel.Cyfra[1]->glyph(), Glyph::H);
    });
}

void PulpitTest::modelChangeResetsWhenShown()
{
    TestServices t;
    TForm_Pulpit pulpit(t.services);
    t.services.model.name = QStringLiteral("R-707FC");
    pulpit.requestResetOnActivation();
    runPanel(t, pulpit, [](TForm_Pulpit &) {});
    QCOMPARE(t.transcript.lines(),
             QStringList({"open", "<S>", "<C>", "100ms", "<S>", "<C>", "100ms", "<S>", "close"}));
    // Once only: the next showing does not reset again.
    t.transcript.clear();
    runPanel(t, pulpit, [](TForm_Pulpit &) {});
    QCOMPARE(t.transcript.frames(), QStringList({"<S>", "<C>", "<S>"}));
}

static int litPixels(const QImage &image)
{
    int lit = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == Glyphs::litColour())
                ++lit;
        }
    }
    return lit;
}

void PulpitTest::glyphsAreDistinctAndSharp()
{
    QList<QImage> seen;
    for (int g = 0; g <= static_cast<int>(Glyph::Delta); ++g) {
        const Glyph glyph = static_cast<Glyph>(g);
        const QImage normal = Glyphs::digitImage(glyph, 1.0);
        const QImage doubled = Glyphs::digitImage(glyph, 2.0);
        QCOMPARE(normal.size(), QSize(27, 50));
        QCOMPARE(doubled.size(), QSize(54, 100));
        for (const QImage &other : seen)
            QVERIFY2(other != normal, qPrintable(glyphName(glyph)));
        seen.append(normal);
        const int lit = litPixels(normal);
        if (glyph == Glyph::Clear) {
            QCOMPARE(lit, 0);
            continue;
        }
        // Segments fill whole pixels: at twice the scale a glyph has about
        // four times the fully lit pixels, not a blurred edge.
        QVERIFY2(lit > 20, qPrintable(glyphName(glyph)));
        const int litDoubled = litPixels(doubled);
        QVERIFY2(litDoubled >= 4 * lit * 9 / 10 && litDoubled <= 4 * lit * 12 / 10,
                 qPrintable(
                     QStringLiteral("%1: %2 / %3").arg(glyphName(glyph)).arg(lit).arg(litDoubled)));
    }
    // The middle of segment g of an 8 is lit, of a 0 dark.
    QCOMPARE(Glyphs::digitImage(Glyph::Digit8, 1.0).pixelColor(13, 25), Glyphs::litColour());
    QCOMPARE(Glyphs::digitImage(Glyph::Digit0, 1.0).pixelColor(13, 25), Glyphs::darkColour());
    QCOMPARE(Glyphs::pointImage(true, 2.0).pixelColor(6, 6), Glyphs::litColour());
    QCOMPARE(Glyphs::pointImage(false, 1.0).pixelColor(3, 3), Glyphs::darkColour());
}

void PulpitTest::frequencyTexts_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown"); // empty when refused
    QTest::newRow("50") << "50"
                        << "50,00";
    QTest::newRow("lower limit") << "45"
                                 << "45,00";
    QTest::newRow("finest below 100") << "99,99"
                                      << "99,99";
    QTest::newRow("100") << "100"
                         << "100,0";
    QTest::newRow("finest below 1000") << "999,9"
                                       << "999,9";
    QTest::newRow("upper limit") << "2000"
                                 << "2000";
    QTest::newRow("too low") << "30"
                             << "";
    QTest::newRow("just below") << "44,99"
                                << "";
    QTest::newRow("too high") << "2500"
                              << "";
    QTest::newRow("not a number") << "abc"
                                  << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("point is not the separator here") << "50.5"
                                                     << "";
}

void PulpitTest::frequencyTexts()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    const FrequencyInput::Check check = FrequencyInput::check(typed);
    QCOMPARE(check.accepted, !shown.isEmpty());
    QCOMPARE(check.text, shown);
}

void PulpitTest::frequencyDialogTakesOnlyAValidFrequency()
{
    TestServices t;
    TForm_Czestotliwosc dialog(t.prompts);
    QCOMPARE(dialog.Edit_Czestotliwosc->maxLength(), 5);
    const auto operate = [&t](TForm_Czestotliwosc &form, bool escape) {
        QVERIFY2(form.Edit_Czestotliwosc->text().isEmpty(), "opens empty");
        QTest::keyClicks(form.Edit_Czestotliwosc, QStringLiteral("2500"));
        QTest::mouseClick(form.BitBtn_Czestotliwosc_OK, Qt::LeftButton);
        QVERIFY(t.prompts.messages.last().text.startsWith(
            QStringLiteral("Wartość częstotliwości może zawierać się")));
        QVERIFY(form.isVisible());
        QVERIFY(form.Edit_Czestotliwosc->text().isEmpty());
        // Escape ends it without a frequency.
        if (escape) {
            QTest::keyClick(form.Edit_Czestotliwosc, Qt::Key_Escape);
            return;
        }
        QTest::keyClicks(form.Edit_Czestotliwosc, QStringLiteral("50"));
        QTest::keyClick(form.Edit_Czestotliwosc, Qt::Key_Return);
    };
    for (const bool escape : {true, false}) {
        t.prompts.dialogHandlers.push_back(
            {QStringLiteral("Form_Czestotliwosc"), [&operate, escape](QDialog *d) -> int {
                 d->show();
                 auto &form = static_cast<TForm_Czestotliwosc &>(*d);
                 operate(form, escape);
                 return form.result();
             }});
    }
    QCOMPARE(dialog.ask(), QString());
    QVERIFY(!dialog.isVisible());
    dialog.Edit_Czestotliwosc->setText(QStringLiteral("123"));
    QCOMPARE(dialog.ask(), QStringLiteral("50,00"));
    QVERIFY(dialog.isAccepted());
    QCOMPARE(dialog.frequency(), 50.0);
    QVERIFY(!dialog.isVisible());
}

ORVANE_TEST_MAIN(PulpitTest)
#include "tst_pulpit.moc"
