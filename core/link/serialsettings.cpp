#include "core/link/serialsettings.h"

#include "core/base/configpaths.h"

#include <QSettings>

namespace {

int readIndex(const QSettings &ini, const char *key, int fallback, int count)
{
    bool ok = false;
    const int index = ini.value(QLatin1String(key)).toString().trimmed().toInt(&ok);
    return ok && index >= 0 && index < count ? index : fallback;
}

} // namespace

QStringList SerialSettings::fixedPorts()
{
    return {QStringLiteral("[none]"), QStringLiteral("COM1"), QStringLiteral("COM2"),
            QStringLiteral("COM3"), QStringLiteral("COM4")};
}

QStringList SerialSettings::speeds()
{
    return {QStringLiteral("600"),  QStringLiteral("900"),  QStringLiteral("1200"),
            QStringLiteral("2400"), QStringLiteral("4800"), QStringLiteral("9600"),
            QStringLiteral("19200")};
}

QStringList SerialSettings::dataBitsList()
{
    return {QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8")};
}

QStringList SerialSettings::stopBitsList()
{
    return {QStringLiteral("1"), QStringLiteral("2")};
}

QStringList SerialSettings::parities()
{
    return {QStringLiteral("Brak kontroli"), QStringLiteral("Parzysta"),
            QStringLiteral("Nieparzysta")};
}

QString SerialSettings::filePath()
{
    return ConfigPaths::file(ConfigPaths::SerialSettingsName);
}

SerialSettings SerialSettings::load()
{
    SerialSettings settings;
    if (!ConfigPaths::isUsable(filePath()))
        return settings;
    const QSettings ini(filePath(), QSettings::IniFormat);
    const QString device = ini.value(QStringLiteral("COMM/DEVICE")).toString().trimmed();
    settings.device = device;
    // An entry beyond COM4 has no fixed index: the device path stands for it.
    settings.port = readIndex(ini, "COMM/PORT", 2, device.isEmpty() ? FixedPortCount : 1000);
    settings.speed = readIndex(ini, "COMM/SPEED", 4, int(speeds().size()));
    settings.dataBits = readIndex(ini, "COMM/DANE", 3, int(dataBitsList().size()));
    settings.stopBits = readIndex(ini, "COMM/BSTOP", 0, int(stopBitsList().size()));
    settings.parity = readIndex(ini, "COMM/KONTROLA", 0, int(parities().size()));
    return settings;
}

void SerialSettings::save() const
{
    if (!ConfigPaths::isUsable(filePath()))
        return;
    QSettings ini(filePath(), QSettings::IniFormat);
    ini.setValue(QStringLiteral("COMM/PORT"), port);
    ini.setValue(QStringLiteral("COMM/SPEED"), speed);
    ini.setValue(QStringLiteral("COMM/DANE"), dataBits);
    ini.setValue(QStringLiteral("COMM/BSTOP"), stopBits);
    ini.setValue(QStringLiteral("COMM/KONTROLA"), parity);
    if (device.isEmpty())
        ini.remove(QStringLiteral("COMM/DEVICE"));
    else
        ini.setValue(QStringLiteral("COMM/DEVICE"), device);
    ini.sync();
}

QString SerialSettings::commPort() const
{
    if (!device.isEmpty())
        return device;
    if (port > PortNone && port < FixedPortCount)
        return fixedPorts().at(port);
    return {};
}
