#include "core/calibrator/calibratorranges.h"
#include "core/calibrator/frames.h"
#include "core/document/real48.h"
#include "tests/support/core/testmain.h"
#include "tests/support/core/testservices.h"

#include <clocale>

// Frames are compared as text with STX and ETX shown as < and >.
static QString shown(const QByteArray &frame)
{
    return Transcript::frameText(frame);
}

class FramesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rangeCommands_data();
    void rangeCommands();
    void valueTextsFollowTheRangeDecimals_data();
    void valueTextsFollowTheRangeDecimals();
    void exactCountsGiveTheSameTexts_data();
    void exactCountsGiveTheSameTexts();
    void frequencyTexts_data();
    void frequencyTexts();
    void panelSettingFrames_data();
    void panelSettingFrames();
    void measurementFramesPutTheFunctionInOrder_data();
    void measurementFramesPutTheFunctionInOrder();
    void commaLocaleStillSendsPoints();
    void singleCommandFrames();
    void oneRangeTableForEveryUse_data();
    void oneRangeTableForEveryUse();
};

void FramesTest::rangeCommands_data()
{
    QTest::addColumn<int>("range");
    QTest::addColumn<QByteArray>("command");
    QTest::newRow("100 mV") << 0 << QByteArray("Z0");
    QTest::newRow("1000 V") << 4 << QByteArray("Z4");
    QTest::newRow("10 A") << 9 << QByteArray("Z9");
    // The range after 9 is written with the character after '9'.
    QTest::newRow("100 A") << 10 << QByteArray("\x5A\x3A");
}

void FramesTest::rangeCommands()
{
    QFETCH(int, range);
    QFETCH(QByteArray, command);
    QCOMPARE(Frames::rangeCommand(range), command);
}

void FramesTest::valueTextsFollowTheRangeDecimals_data()
{
    QTest::addColumn<int>("range");
    QTest::addColumn<double>("value");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("1.5 V on 10 V") << 2 << 1.5 << QByteArray("1.50000");
    QTest::newRow("150 mV on 100 mV") << 0 << 150.0 << QByteArray("150.0000");
    QTest::newRow("0.5 mA on 1 mA") << 5 << 0.5 << QByteArray("0.500000");
    QTest::newRow("1100 V on 1000 V") << 4 << 1100.0 << QByteArray("1100.000");
    QTest::newRow("100 A") << 10 << 20.0 << QByteArray("20.0000");
    QTest::newRow("rounds half up") << 4 << 0.0005 << QByteArray("0.001");
    QTest::newRow("no sign for a rounded zero") << 4 << -0.0001 << QByteArray("0.000");
}

void FramesTest::valueTextsFollowTheRangeDecimals()
{
    QFETCH(int, range);
    QFETCH(double, value);
    QFETCH(QByteArray, text);
    QCOMPARE(Frames::valueText(static_cast<long double>(value), Frames::rangeDecimals(range)),
             text);
}

void FramesTest::exactCountsGiveTheSameTexts_data()
{
    QTest::addColumn<qint64>("count");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("1.5 with 5 decimals") << qint64(150000) << 5 << QByteArray("1.50000");
    QTest::newRow("below one") << qint64(5) << 6 << QByteArray("0.000005");
    QTest::newRow("zero") << qint64(0) << 3 << QByteArray("0.000");
    QTest::newRow("no decimals") << qint64(2000) << 0 << QByteArray("2000");
}

void FramesTest::exactCountsGiveTheSameTexts()
{
    QFETCH(qint64, count);
    QFETCH(int, decimals);
    QFETCH(QByteArray, text);
    QCOMPARE(Frames::valueText(count, decimals), text);
}

void FramesTest::frequencyTexts_data()
{
    QTest::addColumn<double>("hertz");
    QTest::addColumn<QByteArray>("vText");
    QTest::addColumn<QByteArray>("f4vText");
    QTest::newRow("45") << 45.0 << QByteArray("45.00") << QByteArray("45");
    QTest::newRow("50") << 50.0 << QByteArray("50.00") << QByteArray("50");
    QTest::newRow("99.99") << 99.99 << QByteArray("99.99") << QByteArray("99.99");
    QTest::newRow("100") << 100.0 << QByteArray("100.0") << QByteArray("100");
    QTest::newRow("400") << 400.0 << QByteArray("400.0") << QByteArray("400");
    QTest::newRow("999.9") << 999.9 << QByteArray("999.9") << QByteArray("999.9");
    QTest::newRow("1000") << 1000.0 << QByteArray("1000") << QByteArray("1000");
    QTest::newRow("2000") << 2000.0 << QByteArray("2000") << QByteArray("2000");
    QTest::newRow("45.5") << 45.5 << QByteArray("45.50") << QByteArray("45.5");
    // Frequencies as a document holds them, which no six-byte real holds
    // exactly: "F4V" sends them as typed.
    const auto stored = [](double hertz) {
        return double(Real48::toLongDouble(Real48::fromLongDouble(hertz)));
    };
    QTest::newRow("45.3 stored") << stored(45.3) << QByteArray("45.30") << QByteArray("45.3");
    QTest::newRow("99.99 stored") << stored(99.99) << QByteArray("99.99") << QByteArray("99.99");
    QTest::newRow("999.9 stored") << stored(999.9) << QByteArray("999.9") << QByteArray("999.9");
}

void FramesTest::frequencyTexts()
{
    QFETCH(double, hertz);
    QFETCH(QByteArray, vText);
    QFETCH(QByteArray, f4vText);
    QCOMPARE(Frames::frequencyFrame(hertz), Frames::wrap("V" + vText));
    QCOMPARE(Frames::variableFrequencyCommand(hertz), "F4V" + f4vText);
}

void FramesTest::panelSettingFrames_data()
{
    QTest::addColumn<int>("range");
    QTest::addColumn<int>("function");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("frequencyMode");
    QTest::addColumn<bool>("functionChanged");
    QTest::addColumn<QString>("frame");
    QTest::newRow("DC, function changed")
        << 5 << 0 << QByteArray("0.500000") << false << true << "<Z5F0N0.500000>";
    QTest::newRow("DC, function unchanged")
        << 5 << 0 << QByteArray("0.500000") << false << false << "<Z5N0.500000>";
    QTest::newRow("AC puts the function first")
        << 1 << 1 << QByteArray("1.000000") << false << true << "<F1Z1N1.000000>";
    QTest::newRow("10 V DC") << 2 << 0 << QByteArray("1.50000") << false << true
                             << "<Z2F0N1.50000>";
    QTest::newRow("frequency mode sends the range alone")
        << 1 << 4 << QByteArray("1.000000") << true << true << "<Z1N1.000000>";
    QTest::newRow("100 A") << 10 << 1 << QByteArray("20.0000") << false << true << "<F1Z:N20.0000>";
}

void FramesTest::panelSettingFrames()
{
    QFETCH(int, range);
    QFETCH(int, function);
    QFETCH(QByteArray, value);
    QFETCH(bool, frequencyMode);
    QFETCH(bool, functionChanged);
    QFETCH(QString, frame);
    QCOMPARE(
        shown(Frames::panelSettingFrame(range, function, value, frequencyMode, functionChanged)),
        frame);
}

void FramesTest::measurementFramesPutTheFunctionInOrder_data()
{
    QTest::addColumn<int>("range");
    QTest::addColumn<QByteArray>("function");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QString>("frame");
    QTest::newRow("AC") << 2 << QByteArray("F1") << QByteArray("1.50000") << "<F1Z2N1.50000O>";
    QTest::newRow("DC") << 2 << QByteArray("F0") << QByteArray("1.50000") << "<Z2F0N1.50000O>";
    QTest::newRow("no function") << 2 << QByteArray() << QByteArray("1.500000") << "<Z2N1.500000O>";
    QTest::newRow("variable frequency") << 1 << Frames::variableFrequencyCommand(1000)
                                        << QByteArray("0.500000") << "<F4V1000Z1N0.500000O>";
}

void FramesTest::measurementFramesPutTheFunctionInOrder()
{
    QFETCH(int, range);
    QFETCH(QByteArray, function);
    QFETCH(QByteArray, value);
    QFETCH(QString, frame);
    QCOMPARE(shown(Frames::measurementSettingFrame(range, function, value)), frame);
}

void FramesTest::commaLocaleStillSendsPoints()
{
    // The program pins a Polish locale for what it shows; try to set the C
    // library's too, as a Polish desktop would.
    std::setlocale(LC_ALL, "pl_PL.UTF-8");
    QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
    QCOMPARE(Frames::valueText(1.5L, 5), QByteArray("1.50000"));
    QCOMPARE(Frames::frequencyFrame(45.5), Frames::wrap("V45.50"));
    QCOMPARE(Frames::variableFrequencyCommand(45.5), QByteArray("F4V45.5"));
    std::setlocale(LC_ALL, "C");
}

void FramesTest::singleCommandFrames()
{
    QCOMPARE(Frames::standbyFrame(), QByteArray("\x02S\x03"));
    QCOMPARE(Frames::operateFrame(), QByteArray("\x02O\x03"));
    QCOMPARE(Frames::resetFrame(), QByteArray("\x02"
                                              "C\x03"));
    QCOMPARE(Frames::frequencyFunctionFrame(), QByteArray("\x02"
                                                          "F4\x03"));
}

void FramesTest::oneRangeTableForEveryUse_data()
{
    // The calibrator's command set: each range's command, its text, the unit
    // and decimals of its value command, and its highest setting; then the
    // lowest AC setting and the panel's small step, in the range's unit.
    QTest::addColumn<int>("range");
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QByteArray>("maximum");
    QTest::addColumn<QByteArray>("acMinimum");
    QTest::addColumn<QByteArray>("smallStep");
    QTest::newRow("100 mV") << 0 << QByteArray("Z0") << "100mV"
                            << "mV" << QByteArray("205.0000") << QByteArray("1.0000")
                            << QByteArray("0.0010");
    QTest::newRow("1 V") << 1 << QByteArray("Z1") << "1V"
                         << "V" << QByteArray("2.050000") << QByteArray("0.010000")
                         << QByteArray("0.000010");
    QTest::newRow("10 V") << 2 << QByteArray("Z2") << "10V"
                          << "V" << QByteArray("20.50000") << QByteArray("0.10000")
                          << QByteArray("0.00010");
    QTest::newRow("100 V") << 3 << QByteArray("Z3") << "100V"
                           << "V" << QByteArray("205.0000") << QByteArray("1.0000")
                           << QByteArray("0.0010");
    QTest::newRow("1000 V") << 4 << QByteArray("Z4") << "1000V"
                            << "V" << QByteArray("1100.000") << QByteArray("10.000")
                            << QByteArray("0.010");
    QTest::newRow("1 mA") << 5 << QByteArray("Z5") << "1mA"
                          << "mA" << QByteArray("2.050000") << QByteArray("0.010000")
                          << QByteArray("0.000010");
    QTest::newRow("10 mA") << 6 << QByteArray("Z6") << "10mA"
                           << "mA" << QByteArray("20.50000") << QByteArray("0.10000")
                           << QByteArray("0.00010");
    QTest::newRow("100 mA") << 7 << QByteArray("Z7") << "100mA"
                            << "mA" << QByteArray("205.0000") << QByteArray("1.0000")
                            << QByteArray("0.0010");
    QTest::newRow("1 A") << 8 << QByteArray("Z8") << "1A"
                         << "A" << QByteArray("1.100000") << QByteArray("0.010000")
                         << QByteArray("0.000010");
    QTest::newRow("10 A") << 9 << QByteArray("Z9") << "10A"
                          << "A" << QByteArray("20.50000") << QByteArray("0.10000")
                          << QByteArray("0.00010");
    QTest::newRow("100 A") << 10 << QByteArray("Z:") << "100A"
                           << "A" << QByteArray("100.0000") << QByteArray("1.0000")
                           << QByteArray("0.0010");
}

void FramesTest::oneRangeTableForEveryUse()
{
    QFETCH(int, range);
    QFETCH(QByteArray, command);
    QFETCH(QString, text);
    QFETCH(QString, unit);
    QFETCH(QByteArray, maximum);
    QFETCH(QByteArray, acMinimum);
    QFETCH(QByteArray, smallStep);

    QCOMPARE(Frames::rangeCommand(range), command);
    QCOMPARE(CalibratorRanges::indexOfCommand(QString::fromLatin1(command)).value_or(-1), range);
    QCOMPARE(CalibratorRanges::indexOfText(text).value_or(-1), range);
    QCOMPARE(QString::fromLatin1(CalibratorRanges::range(range).unit), unit);
    QCOMPARE(Units::unitOfRangeText(text), unit);
    const int decimals = Frames::rangeDecimals(range);
    QCOMPARE(CalibratorRanges::decimalsOfCommand(QString::fromLatin1(command)), decimals);
    QCOMPARE(Frames::valueText(CalibratorRanges::settingLimit(range), decimals), maximum);
    QCOMPARE(Frames::valueText(CalibratorRanges::acMinimum(range), decimals), acMinimum);
    const long double step =
        static_cast<long double>(CalibratorRanges::smallStep(range)) / CalibratorRanges::PerUnit;
    QCOMPARE(Frames::valueText(step, decimals), smallStep);
    QCOMPARE(CalibratorRanges::largeStep(range), 100 * CalibratorRanges::smallStep(range));
}

ORVANE_TEST_MAIN(FramesTest)
#include "tst_frames.moc"
