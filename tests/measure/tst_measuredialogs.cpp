#include "core/base/localnumber.h"
#include "core/measure/dialogplacement.h"
#include "core/measure/measurementstate.h"
#include "gui/measure/dialogresult.h"
#include "gui/measure/tform_pomiary.h"
#include "gui/measure/tform_pomiarydn.h"
#include "gui/measure/tform_pomiarydn_cz.h"
#include "tests/support/core/testmain.h"
#include "tests/support/core/testservices.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

ExactSettingPoint point()
{
    return {QStringLiteral("20V"), QStringLiteral("10,00000V"), QStringLiteral("10V"),
            QStringLiteral("DC"), QStringLiteral("V")};
}

// Types into the indication field and presses OK, as an operator would.
std::function<int(QDialog *)> typeAndOk(const QStringList &attempts)
{
    return [attempts](QDialog *shown) {
        auto *d = qobject_cast<TForm_PomiaryDN *>(shown);
        for (const QString &text : attempts) {
            d->clearIndication();
            d->typeIndication(text);
            d->pressOk();
        }
        return d->result();
    };
}

} // namespace

class MeasureDialogsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void indicationMustReadAsANumber_data();
    void indicationMustReadAsANumber();
    void okIsRefusedUntilTheIndicationReads();
    void everyPointIsTypedAnew();
    void abortClosesAtOnceAndWarnsAgain();
    void closeBoxLeavesTheWarningAsItWas();
    void typedIndicationIsAcceptedFromTheKeyboard();
    void frequencyTwinHasItsOwnNames();

    void chooserStartsOnCurrentRangeAndTickedPoints();
    void chooserKeepsTheLastChoice();
    void chooserCancelMeasuresNothing();

    void placement_data();
    void placement();
};

void MeasureDialogsTest::indicationMustReadAsANumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("value");
    QTest::newRow("decimal comma") << "9,98" << true << 9.98;
    QTest::newRow("leading blanks") << "  9,98" << true << 9.98;
    QTest::newRow("no sign check") << "-0,5" << true << -0.5;
    QTest::newRow("whole number") << "10" << true << 10.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("blanks only") << "   " << false << 0.0;
    QTest::newRow("decimal point") << "9.98" << false << 0.0;
    QTest::newRow("letters") << "abc" << false << 0.0;
    QTest::newRow("thousands group") << QStringLiteral("1\u00a0000,5") << false << 0.0;
    QTest::newRow("infinity") << "inf" << false << 0.0;
    QTest::newRow("not a number") << "nan" << false << 0.0;
}

void MeasureDialogsTest::indicationMustReadAsANumber()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(double, value);
    const auto read = readLocalNumber(text);
    QCOMPARE(read.has_value(), valid);
    if (valid)
        QCOMPARE(double(*read), value);
}

void MeasureDialogsTest::okIsRefusedUntilTheIndicationReads()
{
    TestServices t;
    MeasurementState state;
    TForm_PomiaryDN dialog(t.services, state);
    t.prompts.dialogHandlers.push_back({"TForm_PomiaryDN", typeAndOk({"", "9.98", "9,98"})});
    dialog.setup(point());
    QCOMPARE(dialog.execModal(), DialogResult::Ok);
    QCOMPARE(double(dialog.readIndication()), 9.98);
    QCOMPARE(t.prompts.texts(), QStringList(2, ExactSettingDialog::invalidIndicationText));
    QCOMPARE(t.prompts.messages.first().caption, QStringLiteral("Błąd"));
    QCOMPARE(t.prompts.messages.first().buttons, PromptButtons(PromptButton::Ok));
    // The dialog sends nothing; the run has set the calibrator.
    QVERIFY(t.transcript.lines().isEmpty());
}

void MeasureDialogsTest::everyPointIsTypedAnew()
{
    TestServices t;
    MeasurementState state;
    TForm_PomiaryDN dialog(t.services, state);
    t.prompts.dialogHandlers.push_back({"TForm_PomiaryDN", typeAndOk({"9,98"})});
    dialog.setup(point());
    QCOMPARE(dialog.execModal(), DialogResult::Ok);

    // The next point starts empty: OK alone is refused.
    t.prompts.dialogHandlers.push_back({"TForm_PomiaryDN", [](QDialog *shown) {
                                            auto *d = qobject_cast<TForm_PomiaryDN *>(shown);
                                            d->pressOk();
                                            return d->result();
                                        }});
    dialog.setup(point());
    QCOMPARE(dialog.execModal(), int(QDialog::Rejected));
    QCOMPARE(dialog.indicationText(), QString());
    QCOMPARE(t.prompts.texts(), QStringList{ExactSettingDialog::invalidIndicationText});
}

void MeasureDialogsTest::abortClosesAtOnceAndWarnsAgain()
{
    TestServices t;
    MeasurementState state;
    state.OstrzezenieWN = true;
    TForm_PomiaryDN dialog(t.services, state);
    dialog.setup(point());
    dialog.BitBtn_PomDN_PrzerwijClick();
    QCOMPARE(dialog.result(), DialogResult::Przerwij);
    QVERIFY(!state.OstrzezenieWN);
    QVERIFY(t.prompts.messages.isEmpty());
    QVERIFY(dialog.isPlaced());
}

void MeasureDialogsTest::closeBoxLeavesTheWarningAsItWas()
{
    TestServices t;
    MeasurementState state;
    state.OstrzezenieWN = true;
    TForm_PomiaryDN dialog(t.services, state);
    dialog.setup(point());
    dialog.typeIndication(QStringLiteral("x"));
    dialog.pressCloseBox();
    QCOMPARE(dialog.result(), DialogResult::Closed);
    QVERIFY(state.OstrzezenieWN);
    QVERIFY(t.prompts.messages.isEmpty());
}

void MeasureDialogsTest::typedIndicationIsAcceptedFromTheKeyboard()
{
    TestServices t;
    MeasurementState state;
    TForm_PomiaryDN dialog(t.services, state);
    dialog.setup(point());
    dialog.Edit_PomDN_WskazanieMiernika->setText(QStringLiteral("left from the last point"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.indicationText(), QString());
    QCOMPARE(dialog.Edit_PomDN_NastawaKalibratora->text(), QStringLiteral("10,00000V"));

    QTest::keyClicks(dialog.Edit_PomDN_WskazanieMiernika, QStringLiteral("10.01"));
    QTest::keyClick(dialog.Edit_PomDN_WskazanieMiernika, Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    QCOMPARE(t.prompts.texts(), QStringList{ExactSettingDialog::invalidIndicationText});

    dialog.Edit_PomDN_WskazanieMiernika->clear();
    QTest::keyClicks(dialog.Edit_PomDN_WskazanieMiernika, QStringLiteral("10,01"));
    QTest::keyClick(dialog.Edit_PomDN_WskazanieMiernika, Qt::Key_Return);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), DialogResult::Ok);
    QCOMPARE(double(dialog.readIndication()), 10.01);
}

void MeasureDialogsTest::frequencyTwinHasItsOwnNames()
{
    TestServices t;
    MeasurementState state;
    state.OstrzezenieWN = true;
    TForm_PomiaryDN_Cz twin(t.services, state);
    QCOMPARE(twin.objectName(), QStringLiteral("TForm_PomiaryDN_Cz"));
    QVERIFY(twin.findChild<QLineEdit *>(QStringLiteral("Edit_PomDN_Cz_WskazanieMiernika")));
    twin.setup(point());
    QTest::mouseClick(twin.findChild<QPushButton *>(QStringLiteral("BitBtn_PomDN_Cz_Przerwij")),
                      Qt::LeftButton);
    QCOMPARE(twin.result(), DialogResult::Przerwij);
    QVERIFY(!state.OstrzezenieWN);
}

void MeasureDialogsTest::chooserStartsOnCurrentRangeAndTickedPoints()
{
    TestServices t;
    TForm_Pomiary chooser(t.services);
    QCOMPARE(chooser.zakresy(), int(TForm_Pomiary::BiezacyZakres));
    QCOMPARE(chooser.punkty(), int(TForm_Pomiary::Zaznaczone));
    QCOMPARE(chooser.windowTitle(), QStringLiteral("Procedura pomiarowa"));
    QCOMPARE(chooser.RadioGroup_Zakresy->toolTip(),
             QStringLiteral("wykonuj pomiary dla bieżącego lub wszystkich wpisanych zakresów"));
}

void MeasureDialogsTest::chooserKeepsTheLastChoice()
{
    TestServices t;
    TForm_Pomiary chooser(t.services);
    t.prompts.dialogHandlers.push_back(
        {"TForm_Pomiary", [](QDialog *shown) {
             auto *d = qobject_cast<TForm_Pomiary *>(shown);
             d->findChild<QRadioButton *>("RadioGroup_Zakresy_1")->click();
             d->setPunkty(TForm_Pomiary::Wszystkie);
             d->PPOKClick();
             return d->result();
         }});
    QCOMPARE(chooser.execModal(), DialogResult::Ok);
    t.prompts.dialogHandlers.push_back({"TForm_Pomiary", [](QDialog *shown) {
                                            auto *d = qobject_cast<TForm_Pomiary *>(shown);
                                            d->PPOKClick();
                                            return d->result();
                                        }});
    QCOMPARE(chooser.execModal(), DialogResult::Ok);
    QCOMPARE(chooser.zakresy(), int(TForm_Pomiary::WszystkieZakresy));
    QCOMPARE(chooser.punkty(), int(TForm_Pomiary::Wszystkie));
}

void MeasureDialogsTest::chooserCancelMeasuresNothing()
{
    TestServices t;
    TForm_Pomiary chooser(t.services);
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    QTest::mouseClick(chooser.PPAn, Qt::LeftButton);
    QCOMPARE(chooser.result(), DialogResult::Closed);
    QVERIFY(t.transcript.lines().isEmpty());
}

void MeasureDialogsTest::placement_data()
{
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<bool>("placed");
    QTest::addColumn<QPoint>("window");
    QTest::addColumn<QPoint>("dialog");
    const QRect wide(0, 0, 1280, 1024);
    const QRect narrow(0, 0, 800, 600);
    const QPoint none(-1, -1);
    // The window is 600 wide at (300, 40); the dialog 200 by 100.
    QTest::newRow("wide, first time") << wide << false << QPoint(2, 40) << QPoint(602, 40);
    QTest::newRow("wide, placed before") << wide << true << QPoint(2, 40) << none;
    QTest::newRow("narrow, first time") << narrow << false << none << QPoint(300, 250);
    QTest::newRow("narrow, placed before") << narrow << true << none << none;
}

void MeasureDialogsTest::placement()
{
    QFETCH(QRect, screen);
    QFETCH(bool, placed);
    QFETCH(QPoint, window);
    QFETCH(QPoint, dialog);
    const DialogPlacement result =
        DialogPlacement::compute(screen, QRect(300, 40, 600, 400), QSize(200, 100), placed);
    QCOMPARE(result.windowPosition.value_or(QPoint(-1, -1)), window);
    QCOMPARE(result.dialogPosition.value_or(QPoint(-1, -1)), dialog);
}

ORVANE_TEST_MAIN(MeasureDialogsTest)
#include "tst_measuredialogs.moc"
