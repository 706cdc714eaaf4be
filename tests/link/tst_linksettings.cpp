#include "core/base/configpaths.h"
#include "core/calibrator/calibratormodel.h"
#include "core/link/serialsettings.h"
#include "gui/link/tform_rs232.h"
#include "tests/support/core/testmain.h"
#include "tests/support/core/testservices.h"

#include <QComboBox>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

class LinkSettingsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void missingIniGivesCom2And4800();
    void okStoresTheIndexesAndSetsThePort();
    void cancelRestoresWhatIsStored();
    void noneKeepsThePreviousPort();
    void deviceKeyIsThePort();
    void typedDevicePathIsStored();
    void simulatorIsStoredAsADeviceKeepingTheOtherKeys();
    void modelDefaultsToR707();
    void modelRoundTrip();
    void modelWithoutIntegerIndexReadsAsZero();
    void statusTextIsCutToThirtyCharacters();

private:
    QTemporaryDir m_config;
};

void LinkSettingsTest::init()
{
    QVERIFY(m_config.isValid());
    qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
    QFile::remove(ConfigPaths::file(QStringLiteral("orvane.ini")));
    QFile::remove(CalibratorModel::storePath());
}

void LinkSettingsTest::missingIniGivesCom2And4800()
{
    TestServices t;
    TForm_RS232 dialog(t.services);
    QCOMPARE(dialog.PortCB->currentText(), QStringLiteral("COM2"));
    QCOMPARE(dialog.speedCB->currentText(), QStringLiteral("4800"));
    QCOMPARE(dialog.daneCB->currentText(), QStringLiteral("8"));
    QCOMPARE(dialog.bitStopCB->currentText(), QStringLiteral("1"));
    QCOMPARE(dialog.ParaCB->currentText(), QStringLiteral("Brak kontroli"));
    QVERIFY(!dialog.speedCB->isEnabled());
    QCOMPARE(dialog.CommPort(), QStringLiteral("COM2"));
    QCOMPARE(t.link.portName(), QStringLiteral("COM2"));
}

void LinkSettingsTest::okStoresTheIndexesAndSetsThePort()
{
    TestServices t;
    TForm_RS232 dialog(t.services);
    dialog.PortCB->setCurrentIndex(dialog.PortCB->findText(QStringLiteral("COM3")));
    dialog.BitBtn1Click();
    QCOMPARE(t.link.portName(), QStringLiteral("COM3"));

    const QSettings ini(ConfigPaths::file(QStringLiteral("orvane.ini")), QSettings::IniFormat);
    QCOMPARE(ini.value(QStringLiteral("COMM/PORT")).toInt(), 3);
    QCOMPARE(ini.value(QStringLiteral("COMM/SPEED")).toInt(), 4);
    QCOMPARE(ini.value(QStringLiteral("COMM/DANE")).toInt(), 3);
    QCOMPARE(ini.value(QStringLiteral("COMM/BSTOP")).toInt(), 0);
    QCOMPARE(ini.value(QStringLiteral("COMM/KONTROLA")).toInt(), 0);
    QVERIFY(!ini.contains(QStringLiteral("COMM/DEVICE")));

    TestServices later;
    TForm_RS232 again(later.services);
    QCOMPARE(again.CommPort(), QStringLiteral("COM3"));
}

void LinkSettingsTest::cancelRestoresWhatIsStored()
{
    TestServices t;
    TForm_RS232 dialog(t.services);
    dialog.PortCB->setCurrentIndex(dialog.PortCB->findText(QStringLiteral("COM4")));
    dialog.BitBtn2Click();
    QCOMPARE(dialog.PortCB->currentText(), QStringLiteral("COM2"));
    QCOMPARE(t.link.portName(), QStringLiteral("COM2"));
    QVERIFY(!QFile::exists(ConfigPaths::file(QStringLiteral("orvane.ini"))));

    SerialSettings stored;
    stored.port = 1;
    stored.save();
    dialog.PortCB->setCurrentIndex(dialog.PortCB->findText(QStringLiteral("COM4")));
    dialog.BitBtn2Click();
    QCOMPARE(dialog.PortCB->currentText(), QStringLiteral("COM1"));
}

void LinkSettingsTest::noneKeepsThePreviousPort()
{
    TestServices t;
    TForm_RS232 dialog(t.services);
    dialog.PortCB->setCurrentIndex(0);
    dialog.BitBtn1Click();
    QCOMPARE(dialog.CommPort(), QStringLiteral("COM2"));
    QCOMPARE(SerialSettings::load().port, 0);

    TestServices fresh;
    TForm_RS232 afterRestart(fresh.services);
    QCOMPARE(afterRestart.CommPort(), QString());
    QCOMPARE(fresh.link.portName(), QString());
}

void LinkSettingsTest::deviceKeyIsThePort()
{
    {
        QSettings ini(ConfigPaths::file(QStringLiteral("orvane.ini")), QSettings::IniFormat);
        ini.setValue(QStringLiteral("COMM/PORT"), 7);
        ini.setValue(QStringLiteral("COMM/DEVICE"), QStringLiteral("/dev/pts/77"));
    }
    TestServices t;
    TForm_RS232 dialog(t.services);
    QCOMPARE(dialog.PortCB->currentText(), QStringLiteral("/dev/pts/77"));
    QCOMPARE(t.link.portName(), QStringLiteral("/dev/pts/77"));
}

void LinkSettingsTest::typedDevicePathIsStored()
{
    TestServices t;
    TForm_RS232 dialog(t.services);
    dialog.PortCB->setEditText(QStringLiteral("/dev/ttyUSB3"));
    dialog.BitBtn1Click();
    QCOMPARE(t.link.portName(), QStringLiteral("/dev/ttyUSB3"));
    QCOMPARE(SerialSettings::load().device, QStringLiteral("/dev/ttyUSB3"));

    // Going back to a COM port forgets the device.
    dialog.PortCB->setCurrentIndex(1);
    dialog.BitBtn1Click();
    QCOMPARE(SerialSettings::load().device, QString());
    QCOMPARE(t.link.portName(), QStringLiteral("COM1"));
}

void LinkSettingsTest::simulatorIsStoredAsADeviceKeepingTheOtherKeys()
{
    SerialSettings stored;
    stored.port = 3;
    stored.speed = 2;
    stored.save();
    const QString simulator = QStringLiteral("Symulator kalibratora");

    TestServices t;
    TForm_RS232 dialog(t.services);
    dialog.PortCB->setCurrentIndex(dialog.PortCB->findText(simulator));
    dialog.BitBtn1Click();
    QCOMPARE(t.link.portName(), QStringLiteral("simulator"));
    {
        const QSettings ini(ConfigPaths::file(QStringLiteral("orvane.ini")), QSettings::IniFormat);
        QCOMPARE(ini.value(QStringLiteral("COMM/DEVICE")).toString(), QStringLiteral("simulator"));
        // A reader that knows no DEVICE still finds COM3 at 2400.
        QCOMPARE(ini.value(QStringLiteral("COMM/PORT")).toInt(), 3);
        QCOMPARE(ini.value(QStringLiteral("COMM/SPEED")).toInt(), 2);
    }
    TestServices later;
    TForm_RS232 again(later.services);
    QCOMPARE(again.PortCB->currentText(), simulator);
    QCOMPARE(later.link.portName(), QStringLiteral("simulator"));

    // For one session only: shown and used, but OK on it writes nothing.
    QFile::remove(ConfigPaths::file(QStringLiteral("orvane.ini")));
    TestServices demo;
    TForm_RS232 session(demo.services);
    session.useForThisSession(QStringLiteral("simulator"));
    QCOMPARE(session.PortCB->currentText(), simulator);
    session.BitBtn1Click();
    QCOMPARE(demo.link.portName(), QStringLiteral("simulator"));
    QVERIFY(!QFile::exists(ConfigPaths::file(QStringLiteral("orvane.ini"))));
    session.PortCB->setCurrentIndex(session.PortCB->findText(QStringLiteral("COM1")));
    session.BitBtn1Click();
    QCOMPARE(demo.link.portName(), QStringLiteral("COM1"));
    QCOMPARE(SerialSettings::load().port, 1);
}

void LinkSettingsTest::modelDefaultsToR707()
{
    const CalibratorModel model = CalibratorModel::load();
    QCOMPARE(model.name, QStringLiteral("R-707"));
    QCOMPARE(model.index, 0);
    QVERIFY(!model.hasHighCurrentRange());
    QVERIFY(!model.hasFrequencySetting());
    // Loading writes nothing back.
    QVERIFY(!QSettings(CalibratorModel::storePath(), QSettings::NativeFormat)
                 .contains(QStringLiteral("Model")));
}

void LinkSettingsTest::modelRoundTrip()
{
    CalibratorModel chosen;
    chosen.name = QStringLiteral("R-707FC");
    chosen.index = 3;
    chosen.save();
    const QSettings store(CalibratorModel::storePath(), QSettings::NativeFormat);
    QCOMPARE(store.value(QStringLiteral("Model")).toString(), QStringLiteral("R-707FC"));
    QCOMPARE(store.value(QStringLiteral("Index")).toInt(), 3);
    const CalibratorModel loaded = CalibratorModel::load();
    QCOMPARE(loaded.name, QStringLiteral("R-707FC"));
    QCOMPARE(loaded.index, 3);
    QVERIFY(loaded.hasHighCurrentRange());
    QVERIFY(loaded.hasFrequencySetting());
}

void LinkSettingsTest::modelWithoutIntegerIndexReadsAsZero()
{
    {
        QSettings store(CalibratorModel::storePath(), QSettings::NativeFormat);
        store.setValue(QStringLiteral("Model"), QStringLiteral("R-707F-extra"));
        store.setValue(QStringLiteral("Index"), QStringLiteral("two"));
    }
    const CalibratorModel model = CalibratorModel::load();
    QCOMPARE(model.name, QStringLiteral("R-707F-"));
    QCOMPARE(model.index, 0);
    QVERIFY(!model.isKnown());
}

void LinkSettingsTest::statusTextIsCutToThirtyCharacters()
{
    CalibratorModel model;
    model.name = QStringLiteral("R-707FC");
    QCOMPARE(model.statusText(), QStringLiteral("Wykonanie kalibratora: R-707FC"));
    model.name = QStringLiteral("R-707FCX");
    QCOMPARE(model.statusText().size(), 30);
}

ORVANE_TEST_MAIN(LinkSettingsTest)
#include "tst_linksettings.moc"
