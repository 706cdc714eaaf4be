#include "core/panel/panelstate.h"
#include "tests/support/core/testmain.h"
#include "tests/support/core/testservices.h"

// A panel just opened by the main window: link open, standby sent, standby
// button down, then shown and activated. The transcript starts empty.
struct OpenPanel
{
    explicit OpenPanel(const QString &model = QStringLiteral("R-707"))
    {
        t.services.model.name = model;
        t.link.open();
        state.setStandby(true);
        state.FormShow();
        state.FormActivate();
        t.transcript.clear();
    }

    // Keys as typed on the keyboard: digits, '.', the letters of the keyboard
    // table, and '+' '-' for the grey plus and minus, '*' '/' for the same
    // with Alt, '^' 'v' for Page Up and Page Down, 'x' for Backspace.
    void type(const QString &keys)
    {
        for (QChar c : keys) {
            const char k = c.toLatin1();
            if (k >= '0' && k <= '9')
                state.keyDown(Qt::Key_0 + (k - '0'), Qt::NoModifier);
            else if (k == '.')
                state.keyDown(Qt::Key_Period, Qt::NoModifier);
            else if (k == ',')
                state.keyDown(Qt::Key_Comma, Qt::NoModifier);
            else if (k == '+')
                state.keyDown(Qt::Key_Plus, Qt::KeypadModifier);
            else if (k == '-')
                state.keyDown(Qt::Key_Minus, Qt::KeypadModifier);
            else if (k == '*')
                state.keyDown(Qt::Key_Plus, Qt::KeypadModifier | Qt::AltModifier);
            else if (k == '/')
                state.keyDown(Qt::Key_Minus, Qt::KeypadModifier | Qt::AltModifier);
            else if (k == '^')
                state.keyDown(Qt::Key_PageUp, Qt::NoModifier);
            else if (k == 'v')
                state.keyDown(Qt::Key_PageDown, Qt::NoModifier);
            else if (k == 'x')
                state.keyDown(Qt::Key_Backspace, Qt::NoModifier);
            else if (k != ' ')
                state.keyDown(Qt::Key_A + (k - 'A'), Qt::NoModifier);
        }
    }

    QStringList lines() const { return t.transcript.lines(); }
    QString display() const { return state.display().text(); }

    TestServices t;
    PanelState state{t.services};
};

// A setting frame as the panel sends it: the frame, 100 ms, the standby or
// operate frame, 200 ms.
static QStringList sent(const QString &frame, const QString &after = QStringLiteral("<S>"))
{
    return {frame, QStringLiteral("100ms"), after, QStringLiteral("200ms")};
}

class PanelStateTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typingShowsTheEntry_data();
    void typingShowsTheEntry();
    void eSendsTheSettingWithItsPauses_data();
    void eSendsTheSettingWithItsPauses();
    void functionTravelsOnlyWhenChanged();
    void eWithNothingNewSendsNothing();
    void outOfRangeValuesAreRefused_data();
    void outOfRangeValuesAreRefused();
    void steppingIsExact();
    void steppingStopsAtTheLimits_data();
    void steppingStopsAtTheLimits();
    void deltaStepsByTheTypedAmount();
    void highVoltageWarningOncePerStay();
    void resetSendsResetThenStandbyOrOperate();
    void standbyKeyTogglesFromTheButtonState();
    void frequencyEntryAndClamping_data();
    void frequencyEntryAndClamping();
    void frequencyModeShowsHertz();
    void frequencyModeBlocksTheSteppingKeys();
    void leavingFrequencyMode();
    void hundredAmpsHasNoDc();
    void currentRangesFollowTheModel_data();
    void currentRangesFollowTheModel();
    void functionsFollowTheModel();
    void modelChangeResetsOnNextActivation();
    void refusedValueIsNotTheSentSetting();
    void functionChangeDropsTheTypedPoint();
};

void PanelStateTest::typingShowsTheEntry_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("display");
    QTest::newRow("nothing typed") << ""
                                   << "       0";
    QTest::newRow("leading zero replaced") << "05"
                                           << "       5";
    QTest::newRow("eighth digit ignored") << "12345678"
                                          << " 1234567";
    QTest::newRow("point first") << "."
                                 << "       0.";
    QTest::newRow("point then digit") << ".5"
                                      << "      0.5";
    QTest::newRow("second point ignored") << "1..5"
                                          << "      1.5";
    QTest::newRow("zero after point kept") << "0.05"
                                           << "     0.05";
    QTest::newRow("comma is a point") << "1,5"
                                      << "      1.5";
    QTest::newRow("backspace clears") << "12x"
                                      << "       0";
    QTest::newRow("sent on 10 V") << "UU1.5E"
                                  << "  1.50000";
    QTest::newRow("sent on 1000 V") << "UUUU1000E"
                                    << " 1000.000";
    QTest::newRow("delta sign") << "5D"
                                << "d      5";
}

void PanelStateTest::typingShowsTheEntry()
{
    QFETCH(QString, keys);
    QFETCH(QString, display);
    OpenPanel panel;
    panel.type(keys);
    QCOMPARE(panel.display(), display);
}

void PanelStateTest::eSendsTheSettingWithItsPauses_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("frame");
    QTest::newRow("1.5 V on 10 V") << "UU1.5E"
                                   << "<Z2F0N1.50000>";
    QTest::newRow("0.5 mA on 1 mA") << "I0.5E"
                                    << "<Z5F0N0.500000>";
    QTest::newRow("AC puts the function first") << "UF1E"
                                                << "<F1Z1N1.000000>";
    QTest::newRow("0.0005 V on DC") << "U0.0005E"
                                    << "<Z1F0N0.000500>";
    QTest::newRow("maximum accepted") << "UU20.5E"
                                      << "<Z2F0N20.50000>";
    QTest::newRow("100 mV range") << "150E"
                                  << "<Z0F0N150.0000>";
    QTest::newRow("numeric keypad digits") << "K"
                                           << "<Z0F0N7.0000>";
    // After CE the display reads 0, and that is what E sends.
    QTest::newRow("CE then E") << "U12xE"
                               << "<Z1F0N0.000000>";
}

void PanelStateTest::eSendsTheSettingWithItsPauses()
{
    QFETCH(QString, keys);
    QFETCH(QString, frame);
    OpenPanel panel;
    if (keys == QLatin1String("K")) {
        panel.state.keyDown(Qt::Key_7, Qt::KeypadModifier);
        panel.type(QStringLiteral("E"));
    } else {
        panel.type(keys);
    }
    QCOMPARE(panel.lines(), sent(frame));
    QVERIFY(panel.t.prompts.messages.isEmpty());
}

void PanelStateTest::functionTravelsOnlyWhenChanged()
{
    OpenPanel panel;
    panel.type(QStringLiteral("I0.5E"));
    panel.t.transcript.clear();
    panel.type(QStringLiteral("0.7E"));
    QCOMPARE(panel.lines(), sent(QStringLiteral("<Z5N0.700000>")));

    // A function change brings it back, and E alone sends it.
    panel.t.transcript.clear();
    panel.type(QStringLiteral("FE"));
    QCOMPARE(panel.t.transcript.frames().first(), QStringLiteral("<F1Z5N0.700000>"));
}

void PanelStateTest::eWithNothingNewSendsNothing()
{
    OpenPanel panel;
    panel.type(QStringLiteral("U1E"));
    panel.t.transcript.clear();
    panel.type(QStringLiteral("E"));
    QVERIFY(panel.lines().isEmpty());
    QCOMPARE(panel.display(), QStringLiteral(" 1.000000"));
}

void PanelStateTest::outOfRangeValuesAreRefused_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::newRow("250 on 100 mV")
        << "250E"
        << "Na zakresie 100mV nastawa może zawierać się w przedziale  1.00 - 205.00 mV";
    QTest::newRow("just above 20.5 V")
        << "UU20.50001E"
        << "Na zakresie 10V nastawa może zawierać się w przedziale  0.10 - 20.50 V";
    QTest::newRow("0.0005 V at 50 Hz")
        << "UF0.0005E"
        << "Na zakresie 1V nastawa może zawierać się w przedziale  0.01 - 2.05 V";
    QTest::newRow("1.2 A")
        << "IIII1.2E"
        << "Na zakresie 1A nastawa może zawierać się w przedziale  0.01 - 1.10 A";
}

void PanelStateTest::outOfRangeValuesAreRefused()
{
    QFETCH(QString, keys);
    QFETCH(QString, text);
    OpenPanel panel;
    panel.type(keys);
    QVERIFY(panel.lines().isEmpty());
    QCOMPARE(panel.t.prompts.messages.size(), 1);
    QCOMPARE(panel.t.prompts.messages.first().caption, QStringLiteral("Przekroczenie zakresu"));
    QCOMPARE(panel.t.prompts.messages.first().text, text);
    QCOMPARE(panel.display(), QStringLiteral("       0"));
}

void PanelStateTest::steppingIsExact()
{
    OpenPanel panel;
    panel.type(QStringLiteral("U1E"));
    panel.t.transcript.clear();
    panel.type(QStringLiteral("+"));
    QCOMPARE(panel.lines(), sent(QStringLiteral("<Z1N1.000010>")));
    panel.type(QStringLiteral("-"));
    panel.t.transcript.clear();
    panel.type(QStringLiteral("*"));
    QCOMPARE(panel.lines(), sent(QStringLiteral("<Z1N1.001000>")));
    panel.type(QStringLiteral("/"));

    for (int i = 0; i < 1000; ++i)
        panel.type(QStringLiteral("+"));
    QCOMPARE(panel.t.transcript.frames().at(panel.t.transcript.frames().size() - 2),
             QStringLiteral("<Z1N1.010000>"));
    QCOMPARE(panel.display(), QStringLiteral(" 1.010000"));
    for (int i = 0; i < 1000; ++i)
        panel.type(QStringLiteral("-"));
    QCOMPARE(panel.t.transcript.frames().at(panel.t.transcript.frames().size() - 2),
             QStringLiteral("<Z1N1.000000>"));
    QCOMPARE(panel.state.sentValue(), 1'000'000);
}

void PanelStateTest::steppingStopsAtTheLimits_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("frame"); // empty when the step is refused
    QTest::newRow("up onto the maximum") << "U2.04999E"
                                         << "+"
                                         << "<Z1N2.050000>";
    QTest::newRow("up past the maximum") << "U2.05E"
                                         << "+"
                                         << "";
    QTest::newRow("large step past the maximum") << "U2.0495E"
                                                 << "*"
                                                 << "";
    QTest::newRow("DC down to zero") << "U0.00001E"
                                     << "-"
                                     << "<Z1N0.000000>";
    QTest::newRow("DC below zero") << "U0E"
                                   << "-"
                                   << "";
    QTest::newRow("AC onto the minimum") << "UF0.01001E"
                                         << "-"
                                         << "<Z1N0.010000>";
    QTest::newRow("AC below the minimum") << "UF0.01E"
                                          << "-"
                                          << "";
    QTest::newRow("1000 V small step") << "UUUU1000E"
                                       << "+"
                                       << "<Z4N1000.010>";
    QTest::newRow("100 mV large step down") << "150E"
                                            << "/"
                                            << "<Z0N149.9000>";
}

void PanelStateTest::steppingStopsAtTheLimits()
{
    QFETCH(QString, setting);
    QFETCH(QString, step);
    QFETCH(QString, frame);
    OpenPanel panel;
    panel.type(setting);
    panel.t.transcript.clear();
    panel.type(step);
    if (frame.isEmpty())
        QVERIFY(panel.lines().isEmpty());
    else
        QCOMPARE(panel.lines(), sent(frame));
    QVERIFY(panel.t.prompts.messages.size() <= 1); // only the high-voltage box
}

void PanelStateTest::deltaStepsByTheTypedAmount()
{
    OpenPanel panel;
    panel.type(QStringLiteral("U1E"));
    panel.t.transcript.clear();
    panel.type(QStringLiteral("^v"));
    QVERIFY2(panel.lines().isEmpty(), "no delta yet");

    panel.type(QStringLiteral("0.25D"));
    QCOMPARE(panel.state.delta(), 250'000);
    QCOMPARE(panel.state.display().cyfra(8), Glyph::Delta);
    QVERIFY(panel.lines().isEmpty());
    panel.type(QStringLiteral("^"));
    QCOMPARE(panel.lines(), sent(QStringLiteral("<Z1N1.250000>")));
    panel.t.transcript.clear();
    panel.type(QStringLiteral("vvvv"));
    QCOMPARE(panel.t.transcript.frames(),
             QStringList({QStringLiteral("<Z1N1.000000>"), QStringLiteral("<S>"),
                          QStringLiteral("<Z1N0.750000>"), QStringLiteral("<S>"),
                          QStringLiteral("<Z1N0.500000>"), QStringLiteral("<S>"),
                          QStringLiteral("<Z1N0.250000>"), QStringLiteral("<S>")}));

    // A range change forgets the delta.
    panel.type(QStringLiteral("U"));
    QCOMPARE(panel.state.delta(), 0);
}

void PanelStateTest::highVoltageWarningOncePerStay()
{
    OpenPanel panel;
    panel.state.setStandby(false);
    panel.type(QStringLiteral("UU"));
    QVERIFY(panel.lines().isEmpty());
    panel.type(QStringLiteral("U"));
    QCOMPARE(panel.t.prompts.messages.size(), 1);
    QCOMPARE(panel.t.prompts.messages.first().caption, QStringLiteral("Uwaga"));
    QCOMPARE(panel.t.prompts.messages.first().text,
             QStringLiteral("Zaciski wysokonapięciowe  -  HIGH VOLTAGE"));
    QCOMPARE(panel.t.prompts.messages.first().icon, PromptIcon::Warning);
    QCOMPARE(panel.lines(), QStringList{QStringLiteral("<S>")});
    QVERIFY(panel.state.standbyDown());

    panel.t.transcript.clear();
    panel.type(QStringLiteral("U")); // 1000 V: still the same stay
    QCOMPARE(panel.t.prompts.messages.size(), 1);
    QVERIFY(panel.lines().isEmpty());

    panel.state.checkRange(2);
    panel.state.checkRange(3);
    QCOMPARE(panel.t.prompts.messages.size(), 2);
    QCOMPARE(panel.lines(), QStringList{QStringLiteral("<S>")});
}

void PanelStateTest::resetSendsResetThenStandbyOrOperate()
{
    OpenPanel panel;
    panel.type(QStringLiteral("UU1.5E"));
    panel.t.transcript.clear();
    panel.type(QStringLiteral("C"));
    QCOMPARE(panel.lines(),
             QStringList({QStringLiteral("<C>"), QStringLiteral("100ms"), QStringLiteral("<S>")}));
    QCOMPARE(panel.state.checkedRange(), 0);
    QCOMPARE(panel.state.checkedFunction(), 0);
    QCOMPARE(panel.state.frequency(), 2'000'000);
    QCOMPARE(panel.display(), QStringLiteral("       0"));

    panel.state.setStandby(false);
    panel.t.transcript.clear();
    panel.state.CBtnClick();
    QCOMPARE(panel.lines(),
             QStringList({QStringLiteral("<C>"), QStringLiteral("100ms"), QStringLiteral("<O>")}));
}

void PanelStateTest::standbyKeyTogglesFromTheButtonState()
{
    // Opening the panel puts the button down; the first S must switch the
    // output on, not send standby again.
    OpenPanel panel;
    QCOMPARE(panel.state.standbyHint(), QStringLiteral("standby -> operate"));
    panel.type(QStringLiteral("S"));
    QCOMPARE(panel.lines(), QStringList{QStringLiteral("<O>")});
    QVERIFY(!panel.state.standbyDown());
    QCOMPARE(panel.state.standbyHint(), QStringLiteral("operate -> standby"));
    panel.type(QStringLiteral("1E"));
    QCOMPARE(panel.t.transcript.frames().last(), QStringLiteral("<O>"));
    panel.t.transcript.clear();
    panel.type(QStringLiteral("S"));
    QCOMPARE(panel.lines(), QStringList{QStringLiteral("<S>")});
}

void PanelStateTest::frequencyEntryAndClamping_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("toAmpl"); // keys that reach "ampl" on the range
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<bool>("clamped");
    QTest::newRow("45 Hz") << "R-707F"
                           << "FFFF"
                           << "45"
                           << "<V45.00>" << false;
    QTest::newRow("400.5 Hz") << "R-707F"
                              << "FFFF"
                              << "400.5"
                              << "<V400.5>" << false;
    QTest::newRow("1500 Hz") << "R-707F"
                             << "FFFF"
                             << "1500"
                             << "<V1500>" << false;
    QTest::newRow("30 Hz clamps to 45") << "R-707F"
                                        << "FFFF"
                                        << "30"
                                        << "<V45.00>" << true;
    QTest::newRow("2500 Hz clamps to 2000") << "R-707F"
                                            << "FFFF"
                                            << "2500"
                                            << "<V2000>" << true;
    QTest::newRow("100 A up to 400 Hz") << "R-707FC"
                                        << "IIIIIIFFF"
                                        << "500"
                                        << "<V400.0>" << true;
}

void PanelStateTest::frequencyEntryAndClamping()
{
    QFETCH(QString, model);
    QFETCH(QString, toAmpl);
    QFETCH(QString, frequency);
    QFETCH(QString, frame);
    QFETCH(bool, clamped);
    OpenPanel panel(model);
    // An amplitude on "ampl" first: the frequency frames carry it.
    panel.type(toAmpl + QStringLiteral("50E"));
    QCOMPARE(panel.state.checkedFunction(), 4);
    QVERIFY(panel.t.prompts.messages.isEmpty());
    panel.type(QStringLiteral("F"));
    QVERIFY(panel.state.frequencyMode());
    panel.t.transcript.clear();
    panel.type(frequency + QStringLiteral("E"));
    const bool highCurrent = toAmpl.startsWith(QLatin1Char('I'));
    const QString setting =
        highCurrent ? QStringLiteral("<Z:N50.0000>") : QStringLiteral("<Z0N50.0000>");
    QCOMPARE(panel.lines(), QStringList({QStringLiteral("<F4>"), QStringLiteral("100ms"), frame,
                                         QStringLiteral("2000ms")}) +
                                sent(setting));
    QCOMPARE(panel.t.prompts.messages.size(), clamped ? 1 : 0);
    if (clamped) {
        QCOMPARE(panel.t.prompts.messages.first().caption,
                 QStringLiteral("Błędna wartość częstotliwości"));
        QCOMPARE(panel.t.prompts.messages.first().text.contains(QStringLiteral("400,0 Hz")),
                 highCurrent);
    }
}

void PanelStateTest::frequencyModeShowsHertz()
{
    OpenPanel panel(QStringLiteral("R-707F"));
    panel.type(QStringLiteral("FFFF50EF"));
    QCOMPARE(panel.display(), QStringLiteral(" 2000 H2"));
    panel.type(QStringLiteral("45"));
    QCOMPARE(panel.display(), QStringLiteral("   45 H2"));
    panel.type(QStringLiteral("E"));
    QCOMPARE(panel.display(), QStringLiteral(" 45.00 H2"));
    QCOMPARE(panel.state.display().cyfra(7), Glyph::Digit4);
    QVERIFY(panel.state.display().kropka(6));

    // With nothing new, E sends nothing; the same frequency again needs no F4.
    panel.t.transcript.clear();
    panel.type(QStringLiteral("E"));
    QVERIFY(panel.lines().isEmpty());
    panel.type(QStringLiteral("x"));
    QCOMPARE(panel.display(), QStringLiteral("    0 H2"));
}

void PanelStateTest::frequencyModeBlocksTheSteppingKeys()
{
    OpenPanel panel(QStringLiteral("R-707F"));
    panel.type(QStringLiteral("FFFF50EF"));
    QVERIFY(!panel.state.stepKeysEnabled());
    panel.t.transcript.clear();
    panel.type(QStringLiteral("+-*/^vD"));
    QVERIFY(panel.lines().isEmpty());
    QCOMPARE(panel.state.sentValue(), 50 * 1'000'000);
}

void PanelStateTest::leavingFrequencyMode()
{
    OpenPanel panel(QStringLiteral("R-707F"));
    panel.type(QStringLiteral("UFFFF1E"));
    panel.type(QStringLiteral("F"));
    QVERIFY(panel.state.frequencyMode());
    panel.type(QStringLiteral("U"));
    QCOMPARE(panel.state.checkedFunction(), 4);
    QCOMPARE(panel.state.checkedRange(), 1);
    QVERIFY(panel.state.stepKeysEnabled());

    // A range chosen in frequency mode leaves it and releases the standby
    // button without a frame.
    panel.type(QStringLiteral("F"));
    QVERIFY(panel.state.frequencyMode());
    panel.t.transcript.clear();
    panel.state.checkRange(2);
    QCOMPARE(panel.state.checkedFunction(), 4);
    QVERIFY(!panel.state.standbyDown());
    QVERIFY(panel.lines().isEmpty());
}

void PanelStateTest::hundredAmpsHasNoDc()
{
    OpenPanel panel(QStringLiteral("R-707C"));
    panel.type(QStringLiteral("IIIIII"));
    QCOMPARE(panel.state.checkedRange(), 10);
    QCOMPARE(panel.state.checkedFunction(), 1);
    QVERIFY(!panel.state.dcEnabled());
    panel.state.checkFunction(0);
    QCOMPARE(panel.state.checkedFunction(), 1);
    panel.type(QStringLiteral("50E"));
    QCOMPARE(panel.lines(), sent(QStringLiteral("<F1Z:N50.0000>")));
    panel.type(QStringLiteral("I"));
    QVERIFY(panel.state.dcEnabled());
}

void PanelStateTest::currentRangesFollowTheModel_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QList<int>>("ranges");
    QTest::newRow("R-707") << "R-707" << QList<int>{5, 6, 7, 8, 9, 5};
    QTest::newRow("R-707F") << "R-707F" << QList<int>{5, 6, 7, 8, 9, 5};
    QTest::newRow("R-707C") << "R-707C" << QList<int>{5, 6, 7, 8, 9, 10, 5};
    QTest::newRow("R-707FC") << "R-707FC" << QList<int>{5, 6, 7, 8, 9, 10, 5};
}

void PanelStateTest::currentRangesFollowTheModel()
{
    QFETCH(QString, model);
    QFETCH(QList<int>, ranges);
    OpenPanel panel(model);
    for (int expected : ranges) {
        panel.type(QStringLiteral("I"));
        QCOMPARE(panel.state.checkedRange(), expected);
    }
    panel.type(QStringLiteral("U"));
    QCOMPARE(panel.state.checkedRange(), 0);
    for (int expected : {1, 2}) {
        panel.type(QStringLiteral("U"));
        QCOMPARE(panel.state.checkedRange(), expected);
    }
}

void PanelStateTest::functionsFollowTheModel()
{
    OpenPanel plain(QStringLiteral("R-707"));
    QVERIFY(!plain.state.frequencyFunctionVisible());
    QVERIFY(!plain.state.highCurrentRangeVisible());
    QCOMPARE(PanelState::functionCaption(4, false), QStringLiteral("fext"));
    QCOMPARE(plain.state.modelCaption(), QStringLiteral("Kalibrator R-707"));
    QList<int> functions;
    for (int i = 0; i < 6; ++i) {
        plain.type(QStringLiteral("F"));
        functions.append(plain.state.checkedFunction());
    }
    QCOMPARE(functions, QList<int>({1, 2, 3, 4, 0, 1}));
    plain.state.checkFunction(5);
    QCOMPARE(plain.state.checkedFunction(), 1);

    OpenPanel full(QStringLiteral("R-707FC"));
    QVERIFY(full.state.frequencyFunctionVisible());
    QVERIFY(full.state.highCurrentRangeVisible());
    QCOMPARE(PanelState::functionCaption(4, true), QStringLiteral("ampl"));
    QCOMPARE(PanelState::functionHint(4, true), QStringLiteral("nastawa amplitudy"));
    functions.clear();
    for (int i = 0; i < 6; ++i) {
        full.type(QStringLiteral("F"));
        functions.append(full.state.checkedFunction());
    }
    QCOMPARE(functions, QList<int>({1, 2, 3, 4, 5, 0}));
}

void PanelStateTest::modelChangeResetsOnNextActivation()
{
    TestServices t;
    t.link.open();
    t.transcript.clear();
    PanelState state(t.services);
    t.services.model.name = QStringLiteral("R-707FC");
    state.requestResetOnActivation();
    state.setStandby(true);
    state.FormShow();
    QVERIFY(state.FormActivate());
    QCOMPARE(t.transcript.lines(),
             QStringList({QStringLiteral("<C>"), QStringLiteral("100ms"), QStringLiteral("<S>")}));
    state.FormClose();
    t.transcript.clear();
    state.FormShow();
    QVERIFY(!state.FormActivate());
    QVERIFY(t.transcript.lines().isEmpty());
}

void PanelStateTest::refusedValueIsNotTheSentSetting()
{
    OpenPanel panel;
    panel.type(QStringLiteral("U1E3E"));
    QCOMPARE(panel.t.prompts.messages.size(), 1);
    QCOMPARE(panel.state.sentValue(), 1'000'000);
    panel.t.transcript.clear();
    panel.type(QStringLiteral("+"));
    QCOMPARE(panel.lines(), sent(QStringLiteral("<Z1N1.000010>")));
}

void PanelStateTest::functionChangeDropsTheTypedPoint()
{
    OpenPanel panel;
    panel.type(QStringLiteral("UU1E1.5F"));
    QCOMPARE(panel.display(), QStringLiteral("  1.00000"));
    panel.type(QStringLiteral("7"));
    QCOMPARE(panel.display(), QStringLiteral("       7"));
    panel.t.transcript.clear();
    panel.type(QStringLiteral("E"));
    QCOMPARE(panel.lines(), sent(QStringLiteral("<F1Z2N7.00000>")));
}

ORVANE_TEST_MAIN(PanelStateTest)
#include "tst_panelstate.moc"
