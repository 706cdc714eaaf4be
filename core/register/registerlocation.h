#pragma once

#include <QSqlDatabase>
#include <QString>

// Where the register of meters lives, as a URL:
//
//     sqlite:PATH
//     postgresql://[user@][host][:port]/dbname[?host=/socket/folder&port=N]
//
// The PostgreSQL form is read as libpq reads it (postgres:// too; ?host= and
// ?port= take the place of the host and port before the path, and a host
// starting with '/' is a folder holding the server's socket). The password
// is never part of it: libpq finds it in PGPASSWORD or ~/.pgpass, so the
// program never stores one.
class RegisterLocation
{
public:
    enum class Driver { Sqlite, Postgresql };

    // Throws ERegisterError for a URL that is neither form, or one carrying a
    // password.
    static RegisterLocation parse(const QString &url);

    // [Rejestr] URL in orvane.ini, and without it the SQLite file
    // $XDG_DATA_HOME/orvane707/rejestr.sqlite, whose folder is made here.
    static RegisterLocation configured();
    static QString defaultSqlitePath();

    Driver driver() const { return m_driver; }
    // The Qt SQL driver: "QSQLITE" or "QPSQL".
    QString driverName() const;
    // The SQLite file, or the PostgreSQL database.
    QString databaseName() const { return m_database; }
    QString userName() const { return m_user; }
    // A host name, an address, or a socket folder; empty for libpq's default.
    QString hostName() const { return m_host; }
    // -1 for the driver's default.
    int port() const { return m_port; }
    // The libpq options beyond these, as QSqlDatabase::setConnectOptions()
    // takes them.
    QString connectOptions() const { return m_options; }
    // The URL as given, to name the register in messages.
    QString url() const { return m_url; }

    // A new Qt SQL connection of that name to the register, set up but not
    // opened. A SQLite connection waits its turn behind another program's
    // write rather than failing at once.
    QSqlDatabase addConnection(const QString &connectionName) const;

private:
    Driver m_driver = Driver::Sqlite;
    QString m_database;
    QString m_user;
    QString m_host;
    int m_port = -1;
    QString m_options;
    QString m_url;
};
