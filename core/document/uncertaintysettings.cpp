#include "core/document/uncertaintysettings.h"

#include "core/base/configpaths.h"

#include <QSettings>

#include <cmath>

namespace {

const QString RuleKey = QStringLiteral("Niepewnosc/Regula");
const QString MinTurKey = QStringLiteral("Niepewnosc/MinTUR");

} // namespace

QString UncertaintySettings::filePath()
{
    return ConfigPaths::file(ConfigPaths::SerialSettingsName);
}

UncertaintySettings UncertaintySettings::load()
{
    UncertaintySettings settings;
    if (!ConfigPaths::isUsable(filePath()))
        return settings;
    const QSettings ini(filePath(), QSettings::IniFormat);
    settings.rule = DecisionRules::fromKey(ini.value(RuleKey).toString().trimmed())
                        .value_or(DecisionRule::Simple);
    // Typed by hand it may carry a decimal comma.
    bool ok = false;
    const double minTur = ini.value(MinTurKey)
                              .toString()
                              .trimmed()
                              .replace(QLatin1Char(','), QLatin1Char('.'))
                              .toDouble(&ok);
    if (ok && std::isfinite(minTur) && minTur >= 0)
        settings.minTur = minTur;
    return settings;
}

void UncertaintySettings::save() const
{
    if (!ConfigPaths::isUsable(filePath()))
        return;
    QSettings ini(filePath(), QSettings::IniFormat);
    ini.setValue(RuleKey, DecisionRules::key(rule));
    ini.setValue(MinTurKey, QString::number(static_cast<double>(minTur), 'g', 15));
    ini.sync();
}

DocumentExtension UncertaintySettings::newDocumentExtension() const
{
    DocumentExtension extension;
    extension.setDecisionRule(rule);
    extension.setMinTur(minTur);
    return extension;
}
