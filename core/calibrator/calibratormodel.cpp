#include "core/calibrator/calibratormodel.h"

#include "core/base/configpaths.h"

#include <QSettings>

namespace {
constexpr int maxNameLength = 7;
constexpr int maxStatusLength = 30;
} // namespace

QStringList CalibratorModel::names()
{
    return {QStringLiteral("R-707"), QStringLiteral("R-707C"), QStringLiteral("R-707F"),
            QStringLiteral("R-707FC")};
}

bool CalibratorModel::hasHighCurrentRange() const
{
    return name == QLatin1String("R-707C") || name == QLatin1String("R-707FC");
}

bool CalibratorModel::hasFrequencySetting() const
{
    return name == QLatin1String("R-707F") || name == QLatin1String("R-707FC");
}

QString CalibratorModel::storePath()
{
    return ConfigPaths::file(ConfigPaths::ModelName);
}

CalibratorModel CalibratorModel::load()
{
    CalibratorModel model;
    if (!ConfigPaths::isUsable(storePath()))
        return model;
    const QSettings store(storePath(), QSettings::NativeFormat);
    const QString name = store.value(QStringLiteral("Model")).toString().left(maxNameLength);
    if (name.isEmpty())
        return model;
    model.name = name;
    bool ok = false;
    const int index = store.value(QStringLiteral("Index")).toString().trimmed().toInt(&ok);
    model.index = ok ? index : 0;
    return model;
}

void CalibratorModel::save() const
{
    if (!ConfigPaths::isUsable(storePath()))
        return;
    QSettings store(storePath(), QSettings::NativeFormat);
    store.setValue(QStringLiteral("Index"), index);
    store.setValue(QStringLiteral("Model"), name);
    store.sync();
}

QString CalibratorModel::statusText() const
{
    return (QStringLiteral("Wykonanie kalibratora: ") + name).left(maxStatusLength);
}
