#include "configpaths.h"

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

} // namespace ConfigPaths
