#include "core/document/labsettings.h"

#include "core/base/configpaths.h"
#include "core/base/localdate.h"

#include <QSettings>

namespace {

const QString Section = QStringLiteral("Laboratorium/");

struct Key
{
    const char *name;
    QString LabSettings::*field;
};

// The texts, in the order the file lists them.
const Key Texts[] = {
    {"Nazwa", &LabSettings::name},
    {"Adres", &LabSettings::address},
    {"Akredytacja", &LabSettings::accreditation},
    {"Tytul", &LabSettings::title},
    {"WzorzecNumer", &LabSettings::standardSerial},
    {"WzorzecSwiadectwo", &LabSettings::standardCertificate},
    {"Wykonal", &LabSettings::performedBy},
    {"Zatwierdzil", &LabSettings::approvedBy},
};
const QString ValidUntilKey = Section + QStringLiteral("WzorzecWaznyDo");

QString key(const Key &entry)
{
    return Section + QLatin1String(entry.name);
}

// A value typed by hand with a comma in it reads as a list.
QString textOf(const QSettings &ini, const QString &key)
{
    const QVariant value = ini.value(key);
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", ")).trimmed();
    return value.toString().trimmed();
}

} // namespace

QString LabSettings::filePath()
{
    return ConfigPaths::file(ConfigPaths::SerialSettingsName);
}

LabSettings LabSettings::load()
{
    LabSettings settings;
    if (!ConfigPaths::isUsable(filePath()))
        return settings;
    const QSettings ini(filePath(), QSettings::IniFormat);
    for (const Key &entry : Texts)
        if (ini.contains(key(entry)))
            settings.*entry.field = textOf(ini, key(entry));
    // A title cleared by hand is the default one: a certificate has a title.
    if (settings.title.isEmpty())
        settings.title = defaultTitle();
    const QString validUntil = textOf(ini, ValidUntilKey);
    settings.standardValidUntil = LocalDate::fromIso(validUntil);
    if (!settings.standardValidUntil.isValid())
        settings.standardValidUntil = LocalDate::read(validUntil).value_or(QDate());
    return settings;
}

void LabSettings::save() const
{
    if (!ConfigPaths::isUsable(filePath()))
        return;
    QSettings ini(filePath(), QSettings::IniFormat);
    for (const Key &entry : Texts)
        ini.setValue(key(entry), (this->*entry.field).trimmed());
    ini.setValue(ValidUntilKey, LocalDate::isoText(standardValidUntil));
    ini.sync();
}

StandardInUse LabSettings::standard(const QString &model) const
{
    return {model, standardSerial, standardCertificate, standardValidUntil};
}
