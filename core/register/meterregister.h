#pragma once

#include "core/register/registerlocation.h"
#include "core/register/verification.h"

#include <QList>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <functional>

// The register of meters: every verification the lab saved, in a database
// of its own. One schema and one set of queries serve both back ends: a
// SQLite file on one workstation, or a PostgreSQL server a lab's
// workstations share.
//
// Opening brings an older schema up to this program's version in one
// transaction and refuses a newer one. Every write is one transaction, and a
// verification is keyed by its meter and its date, so that workstations and
// scans writing at once add each row exactly once. Every failure throws
// ERegisterError with the driver's reason as its detail.
class MeterRegister
{
public:
    // The schema this program writes: version 1 held the verifications,
    // version 2 added the summary of their decisions.
    static constexpr int SchemaVersion = 2;

    explicit MeterRegister(const RegisterLocation &location);
    ~MeterRegister();
    MeterRegister(const MeterRegister &) = delete;
    MeterRegister &operator=(const MeterRegister &) = delete;

    const RegisterLocation &location() const { return m_location; }

    // Adds the verification, or updates the one of the same meter and date
    // (its path, SHA-256, due date and summary).
    void record(const Verification &verification);

    // Whether this file, with these very bytes, is recorded with its summary.
    bool holds(const QString &path, const QByteArray &sha256);

    // The latest verification of every meter whose name or number contains
    // the text (any case), by name and number.
    QList<Verification> search(const QString &text);
    // The meter's verifications, newest first.
    QList<Verification> history(const QString &name, const QString &number);
    // The latest verification of every meter that is due within the days
    // after today (its due date on or before today + days) or overdue, by
    // due date. A meter whose latest verification has no interval is never
    // due.
    QList<Verification> due(QDate today, int days);
    // Overdue: due before today.
    static bool isOverdue(const Verification &verification, QDate today)
    {
        return verification.dueOn.isValid() && verification.dueOn < today;
    }
    // The verifications made with a standard between two days, both
    // included, oldest first.
    QList<Verification> trace(const QString &standardSerial, QDate from, QDate to);

private:
    void configureSqlite();
    // Runs body in one transaction: committed when it returns, rolled back
    // when it throws.
    void write(const std::function<void()> &body);
    void bringSchemaUpToDate();
    int storedVersion();
    QList<Verification> select(const QString &where, const QVariantList &values,
                               const QString &orderBy, bool latestOnly = false);
    enum class Access { Read, Write };
    // Runs a statement with its values bound in order; throws naming the
    // kind of access that failed.
    QSqlQuery run(const QString &sql, const QVariantList &values = {},
                  Access access = Access::Read);
    [[noreturn]] void fail(Access access, const QSqlError &error) const;

    RegisterLocation m_location;
    QString m_connection;
    QSqlDatabase m_database;
};
