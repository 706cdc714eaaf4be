#include "tests/support/core/postgrescluster.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QVersionNumber>

#include <pwd.h>
#include <unistd.h>

namespace {

// The folder of initdb and pg_ctl: on the PATH, or where Debian puts them,
// the newest version first.
QString serverBinaries()
{
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("initdb"));
    if (!onPath.isEmpty() && !QStandardPaths::findExecutable(QStringLiteral("pg_ctl")).isEmpty())
        return QFileInfo(QFileInfo(onPath).canonicalFilePath()).path();
    QStringList versions =
        QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(versions.begin(), versions.end(), [](const QString &a, const QString &b) {
        return QVersionNumber::fromString(a) > QVersionNumber::fromString(b);
    });
    for (const QString &version : versions) {
        const QString bin = QStringLiteral("/usr/lib/postgresql/%1/bin").arg(version);
        if (QFileInfo(bin + "/initdb").isExecutable() && QFileInfo(bin + "/pg_ctl").isExecutable())
            return bin;
    }
    return {};
}

} // namespace

QString PostgresCluster::missingReason()
{
    return serverBinaries().isEmpty()
               ? QStringLiteral("PostgreSQL's initdb and pg_ctl are not "
                                "installed (PATH, /usr/lib/postgresql/*/bin)")
               : QString();
}

PostgresCluster::PostgresCluster() : m_bin(serverBinaries())
{
    m_error = missingReason();
    if (!m_error.isEmpty())
        return;
    const passwd *nobody = ::getpwnam("nobody");
    if (::geteuid() == 0 && (!nobody || ::chown(QFile::encodeName(m_folder.path()).constData(),
                                                nobody->pw_uid, nobody->pw_gid) != 0)) {
        m_error = QStringLiteral("the cluster's folder cannot be given to nobody");
        return;
    }
    const QString data = m_folder.filePath(QStringLiteral("data"));
    // The socket only, no TCP, and no waiting for the disk: nothing here
    // outlives the test.
    const QString options =
        QStringLiteral("-k '%1' -c listen_addresses='' -F").arg(m_folder.path());
    m_running = run("initdb", {"-D", data, "-U", "orvane", "-A", "trust", "-E", "UTF8",
                               "--locale=C", "--no-sync"}) &&
                run("pg_ctl", {"-D", data, "-l", m_folder.filePath("server.log"), "-o", options,
                               "-w", "-s", "start"});
}

PostgresCluster::~PostgresCluster()
{
    if (m_running)
        run("pg_ctl", {"-D", m_folder.filePath("data"), "-m", "immediate", "-w", "-s", "stop"});
}

bool PostgresCluster::run(const QString &tool, const QStringList &arguments, bool asServerUser)
{
    QProcess process;
    process.setWorkingDirectory(m_folder.path());
    process.setProcessChannelMode(QProcess::MergedChannels);
    const QString program = m_bin + QLatin1Char('/') + tool;
    if (asServerUser && ::geteuid() == 0)
        process.start("setpriv",
                      QStringList{"--reuid=nobody", "--regid=nogroup", "--clear-groups", program} +
                          arguments);
    else
        process.start(program, arguments);
    if (process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit &&
        process.exitCode() == 0)
        return true;
    m_error = tool + QStringLiteral(" failed: ") + process.errorString() + QLatin1Char(' ') +
              QString::fromLocal8Bit(process.readAll());
    return false;
}

QString PostgresCluster::createDatabase(const QString &name)
{
    if (!m_running || !run("createdb", {"-h", m_folder.path(), "-U", "orvane", name}, false))
        return {};
    return QStringLiteral("postgresql://orvane@/%1?host=%2").arg(name, m_folder.path());
}
