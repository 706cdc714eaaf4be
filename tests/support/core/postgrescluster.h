#pragma once

#include <QString>
#include <QTemporaryDir>

// A throwaway PostgreSQL server for the register's tests and benchmarks: a
// new cluster in a temporary folder, reached only through a Unix socket in
// that folder, and stopped at the end. The server refuses to run as root,
// so under root it runs as nobody, in a folder nobody owns.
class PostgresCluster
{
public:
    // Why no cluster can be made here (initdb or pg_ctl is missing), or
    // empty when one can.
    static QString missingReason();

    // Makes and starts the cluster; error() says why when it did not start.
    PostgresCluster();
    ~PostgresCluster();

    bool isRunning() const { return m_running; }
    QString error() const { return m_error; }
    // A new, empty database as a register URL; empty (with error() set) when
    // it could not be made.
    QString createDatabase(const QString &name);

private:
    bool run(const QString &tool, const QStringList &arguments, bool asServerUser = true);

    QTemporaryDir m_folder;
    QString m_bin;
    bool m_running = false;
    QString m_error;
};
