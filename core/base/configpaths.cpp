#include "core/base/configpaths.h"

#include "core/base/filenode.h"

#include <QDir>
#include <QStandardPaths>

namespace ConfigPaths {

QString directory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/orvane707");
}

QString file(const QString &name)
{
    const QString dir = directory();
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + name;
}

bool isUsable(const QString &path)
{
    return FileNode::isRegularOrMissing(path);
}

QStringList refusals()
{
    QStringList texts;
    for (const QString &name : {SerialSettingsName, RecentFilesName, ModelName}) {
        const QString path = file(name);
        if (!isUsable(path))
            texts.append(
                QStringLiteral("%1: nie jest zwykłym plikiem").arg(QDir::toNativeSeparators(path)));
    }
    return texts;
}

} // namespace ConfigPaths
