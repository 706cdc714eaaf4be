#include "core/register/registerlocation.h"

#include "core/base/configpaths.h"
#include "core/register/registererror.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>
#include <QUrlQuery>

namespace {

[[noreturn]] void refuse(const QString &url, const QString &reason)
{
    throw ERegisterError(QStringLiteral("Adres rejestru mierników „%1” jest błędny.").arg(url),
                         reason);
}

// A save must not wait for a server that does not answer for as long as
// the system lets a connection attempt run; libpq's own default is forever.
const QString NoPassword =
    QStringLiteral("hasło nie należy do adresu; libpq czyta je z PGPASSWORD albo z ~/.pgpass");

const QString DefaultConnectTimeout = QStringLiteral("connect_timeout=5");

// Long enough for another program's scan to finish the file it writes.
constexpr int SqliteBusyTimeoutMs = 10000;

} // namespace

QString RegisterLocation::driverName() const
{
    return m_driver == Driver::Sqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL");
}

RegisterLocation RegisterLocation::parse(const QString &url)
{
    RegisterLocation location;
    location.m_url = url;
    if (url.startsWith(QLatin1String("sqlite:"))) {
        location.m_database = url.mid(7);
        if (location.m_database.isEmpty())
            refuse(url, QStringLiteral("brak ścieżki pliku po „sqlite:”"));
        return location;
    }
    if (!url.startsWith(QLatin1String("postgresql://")) &&
        !url.startsWith(QLatin1String("postgres://")))
        refuse(url, QStringLiteral("adres zaczyna się od „sqlite:” albo „postgresql://”"));

    const QUrl parsed(url, QUrl::StrictMode);
    if (!parsed.isValid())
        refuse(url, parsed.errorString());
    if (!parsed.password().isEmpty())
        refuse(url, NoPassword);
    location.m_driver = Driver::Postgresql;
    location.m_user = parsed.userName();
    location.m_host = parsed.host();
    location.m_port = parsed.port();
    location.m_database = parsed.path().mid(1);

    QStringList options;
    static const QRegularExpression plainKey(QStringLiteral("^[a-z_]+$"));
    // Option values go into libpq's connection string as they are, so only
    // those that need no quoting pass.
    static const QRegularExpression plainValue(QStringLiteral("^[A-Za-z0-9_.,/+-]*$"));
    const QUrlQuery query(parsed);
    for (const auto &[key, value] : query.queryItems(QUrl::FullyDecoded)) {
        if (key == QLatin1String("host")) {
            location.m_host = value;
        } else if (key == QLatin1String("port")) {
            bool ok = false;
            location.m_port = value.toInt(&ok);
            if (!ok || location.m_port <= 0 || location.m_port > 65535)
                refuse(url, QStringLiteral("port „%1” nie jest numerem portu").arg(value));
        } else if (key == QLatin1String("user")) {
            location.m_user = value;
        } else if (key == QLatin1String("dbname")) {
            location.m_database = value;
        } else if (key == QLatin1String("password")) {
            refuse(url, NoPassword);
        } else if (plainKey.match(key).hasMatch() && plainValue.match(value).hasMatch()) {
            options.append(key + QLatin1Char('=') + value);
        } else {
            refuse(url, QStringLiteral("parametr „%1=%2” nie jest obsługiwany").arg(key, value));
        }
    }
    if (!query.hasQueryItem(QStringLiteral("connect_timeout")))
        options.append(DefaultConnectTimeout);
    location.m_options = options.join(QLatin1Char(';'));
    return location;
}

QSqlDatabase RegisterLocation::addConnection(const QString &connectionName) const
{
    QSqlDatabase database = QSqlDatabase::addDatabase(driverName(), connectionName);
    database.setDatabaseName(m_database);
    if (m_driver == Driver::Sqlite) {
        database.setConnectOptions(
            QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(SqliteBusyTimeoutMs));
    } else {
        database.setUserName(m_user);
        database.setHostName(m_host);
        database.setPort(m_port);
        database.setConnectOptions(m_options);
    }
    return database;
}

QString RegisterLocation::defaultSqlitePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/orvane707/rejestr.sqlite");
}

RegisterLocation RegisterLocation::configured()
{
    // A settings file that is no regular file (a FIFO would block the
    // program) holds no URL: the register is the default one.
    const QString settings = ConfigPaths::file(ConfigPaths::SerialSettingsName);
    QVariant value;
    if (ConfigPaths::isUsable(settings)) {
        const QSettings ini(settings, QSettings::IniFormat);
        // An unquoted comma makes the INI value a list; the URL is its whole
        // text.
        value = ini.value(QStringLiteral("Rejestr/URL"));
    }
    const QString url =
        (value.typeId() == QMetaType::QStringList ? value.toStringList().join(QLatin1Char(','))
                                                  : value.toString())
            .trimmed();
    if (!url.isEmpty())
        return parse(url);
    const QString path = defaultSqlitePath();
    QDir().mkpath(QFileInfo(path).path());
    return parse(QStringLiteral("sqlite:") + path);
}
