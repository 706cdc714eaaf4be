#include "core/base/errors.h"
#include "core/calibrator/frames.h"
#include "core/link/seriallink.h"
#include "tests/support/core/pseudoterminal.h"
#include "tests/support/core/testmain.h"

class SerialLinkTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void bytesArriveInOrder();
    void openWhileOpenIsRefused();
    void failedOpenCanBeRetried();
    void closingTwiceIsHarmless();
    void vanishedDeviceRaisesAWriteError();
    void comPortsMapToSerialDevices_data();
    void comPortsMapToSerialDevices();
};

void SerialLinkTest::bytesArriveInOrder()
{
    PseudoTerminal pty;
    if (!pty.isValid())
        QSKIP("no pseudo-terminals here");
    SerialLink link;
    link.setPortName(pty.path());
    QVERIFY(link.open());

    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    const QList<QByteArray> frames = {Frames::standbyFrame(),
                                      Frames::panelSettingFrame(2, 0, "1.50000", false, true), all};
    QByteArray expected;
    for (const QByteArray &frame : frames) {
        link.send(frame);
        expected += frame;
    }
    link.close();
    QCOMPARE(pty.read(expected.size()), expected);
}

void SerialLinkTest::openWhileOpenIsRefused()
{
    PseudoTerminal pty;
    if (!pty.isValid())
        QSKIP("no pseudo-terminals here");
    SerialLink link;
    link.setPortName(pty.path());
    link.open();
    try {
        link.open();
        QFAIL("a second open must be refused");
    } catch (const ECommsError &error) {
        QCOMPARE(error.message(), QStringLiteral("Already have a comm file open"));
    }
    QVERIFY(link.isOpen());
    link.send(Frames::standbyFrame());
    QCOMPARE(pty.read(3), Frames::standbyFrame());
}

void SerialLinkTest::failedOpenCanBeRetried()
{
    PseudoTerminal pty;
    if (!pty.isValid())
        QSKIP("no pseudo-terminals here");
    SerialLink link;
    link.setPortName(QStringLiteral("/dev/orvane-no-such-port"));
    try {
        link.open();
        QFAIL("a missing device must not open");
    } catch (const ECommsError &error) {
        QCOMPARE(error.message(), QStringLiteral("Error opening com port"));
        QVERIFY2(error.detail().contains(QLatin1String("/dev/orvane-no-such-port")),
                 qPrintable(error.detail()));
    }
    QVERIFY(!link.isOpen());

    link.setPortName(pty.path());
    QVERIFY(link.open());
    link.send(Frames::resetFrame());
    QCOMPARE(pty.read(3), Frames::resetFrame());
}

void SerialLinkTest::closingTwiceIsHarmless()
{
    SerialLink link;
    link.close();
    QVERIFY(!link.isOpen());
    QVERIFY_THROWS_EXCEPTION(ECommsError, link.send(Frames::standbyFrame()));
}

void SerialLinkTest::vanishedDeviceRaisesAWriteError()
{
    PseudoTerminal pty;
    if (!pty.isValid())
        QSKIP("no pseudo-terminals here");
    SerialLink link;
    link.setPortName(pty.path());
    link.open();
    // With the other end gone, the system refuses every write, as it does
    // for an unplugged USB adapter.
    pty.closeMaster();
    try {
        for (int i = 0; i < 100; ++i)
            link.send(Frames::standbyFrame());
        QFAIL("a refused write must not pass silently");
    } catch (const ECommsError &error) {
        QCOMPARE(error.message(), QStringLiteral("Błąd zapisu do portu komunikacyjnego."));
    }
    link.close();
}

void SerialLinkTest::comPortsMapToSerialDevices_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("device");
    QTest::newRow("COM1") << "COM1"
                          << "/dev/ttyS0";
    QTest::newRow("COM4") << "COM4"
                          << "/dev/ttyS3";
    QTest::newRow("USB adapter") << "/dev/ttyUSB0"
                                 << "/dev/ttyUSB0";
    QTest::newRow("none") << ""
                          << "";
}

void SerialLinkTest::comPortsMapToSerialDevices()
{
    QFETCH(QString, port);
    QFETCH(QString, device);
    QCOMPARE(SerialLink::devicePath(port), device);
}

ORVANE_TEST_MAIN(SerialLinkTest)
#include "tst_seriallink.moc"
