#include "core/register/meterregister.h"

#include "core/register/registererror.h"

#include <QSqlError>
#include <QSqlQuery>

#include <functional>

namespace {

// The columns of a verification beyond its meter and date, in the order
// rows are written and read.
const QStringList DetailColumns = {
    QStringLiteral("due_on"),
    QStringLiteral("interval_months"),
    QStringLiteral("path"),
    QStringLiteral("sha256"),
    QStringLiteral("certificate"),
    QStringLiteral("standard"),
    QStringLiteral("decision_rule"),
    QStringLiteral("amplitude_pass"),
    QStringLiteral("amplitude_conditional_pass"),
    QStringLiteral("amplitude_conditional_fail"),
    QStringLiteral("amplitude_fail"),
    QStringLiteral("frequency_pass"),
    QStringLiteral("frequency_conditional_pass"),
    QStringLiteral("frequency_conditional_fail"),
    QStringLiteral("frequency_fail"),
};
constexpr int SummaryColumn = 7; // amplitude_pass

// Each step brings the schema from the version before it to its own. Both
// back ends read the same statements: dates are ISO texts in DATE columns,
// and keys are the meter and the date, so nothing depends on how a back
// end numbers rows.
const QList<QStringList> SchemaSteps = {
    {
        QStringLiteral("CREATE TABLE schema_version (version INTEGER NOT NULL)"),
        QStringLiteral("INSERT INTO schema_version (version) VALUES (0)"),
        QStringLiteral("CREATE TABLE meters (name TEXT NOT NULL, number TEXT NOT NULL, "
                       "kind TEXT NOT NULL, PRIMARY KEY (name, number))"),
        QStringLiteral("CREATE TABLE verifications (name TEXT NOT NULL, number TEXT NOT NULL, "
                       "verified_on DATE NOT NULL, due_on DATE, interval_months INTEGER, "
                       "path TEXT NOT NULL, sha256 TEXT NOT NULL, certificate TEXT, "
                       "standard TEXT, PRIMARY KEY (name, number, verified_on), "
                       "FOREIGN KEY (name, number) REFERENCES meters (name, number))"),
        QStringLiteral("CREATE INDEX verifications_path ON verifications (path)"),
        QStringLiteral("CREATE INDEX verifications_standard ON verifications "
                       "(standard, verified_on)"),
    },
    {
        QStringLiteral("ALTER TABLE verifications ADD COLUMN decision_rule TEXT"),
        QStringLiteral("ALTER TABLE verifications ADD COLUMN amplitude_pass INTEGER"),
        QStringLiteral("ALTER TABLE verifications ADD COLUMN amplitude_conditional_pass INTEGER"),
        QStringLiteral("ALTER TABLE verifications ADD COLUMN amplitude_conditional_fail INTEGER"),
        QStringLiteral("ALTER TABLE verifications ADD COLUMN amplitude_fail INTEGER"),
        QStringLiteral("ALTER TABLE verifications ADD COLUMN frequency_pass INTEGER"),
        QStringLiteral("ALTER TABLE verifications ADD COLUMN frequency_conditional_pass INTEGER"),
        QStringLiteral("ALTER TABLE verifications ADD COLUMN frequency_conditional_fail INTEGER"),
        QStringLiteral("ALTER TABLE verifications ADD COLUMN frequency_fail INTEGER"),
    },
};
static_assert(MeterRegister::SchemaVersion == 2, "one step per version");

QVariant nullableText(const QString &text)
{
    return text.isNull() ? QVariant(QMetaType::fromType<QString>()) : QVariant(text);
}

QVariant nullableDate(QDate date)
{
    return date.isValid() ? QVariant(date.toString(Qt::ISODate))
                          : QVariant(QMetaType::fromType<QString>());
}

// The summary's eight counts, or eight nulls for a summary not known.
QVariantList summaryValues(const std::optional<VerificationSummary> &summary)
{
    if (!summary)
        return QVariantList(8, QVariant(QMetaType::fromType<int>()));
    QVariantList values;
    for (const DecisionCounts &counts : {summary->amplitude, summary->frequency})
        values += {counts.pass, counts.conditionalPass, counts.conditionalFail, counts.fail};
    return values;
}

DecisionCounts countsAt(const QSqlQuery &query, int column)
{
    return {query.value(column).toInt(), query.value(column + 1).toInt(),
            query.value(column + 2).toInt(), query.value(column + 3).toInt()};
}

QString textAt(const QSqlQuery &query, int column)
{
    const QVariant value = query.value(column);
    return value.isNull() ? QString() : value.toString();
}

} // namespace

MeterRegister::MeterRegister(const RegisterLocation &location) : m_location(location)
{
    static int connections = 0;
    m_connection = QStringLiteral("orvane-register-%1").arg(++connections);
    const QString openFailed =
        QStringLiteral("Nie można otworzyć rejestru mierników %1.").arg(location.url());
    if (!QSqlDatabase::isDriverAvailable(location.driverName()))
        throw ERegisterError(
            openFailed,
            QStringLiteral("brak sterownika %1 biblioteki Qt SQL (pakiet %2)")
                .arg(location.driverName(), location.driver() == RegisterLocation::Driver::Sqlite
                                                ? QStringLiteral("libqt6sql6-sqlite")
                                                : QStringLiteral("libqt6sql6-psql")));
    m_database = location.addConnection(m_connection);
    try {
        if (!m_database.open())
            throw ERegisterError(openFailed, m_database.lastError().text().simplified());
        if (location.driver() == RegisterLocation::Driver::Sqlite)
            configureSqlite();
        bringSchemaUpToDate();
    } catch (...) {
        m_database.close();
        m_database = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connection);
        throw;
    }
}

MeterRegister::~MeterRegister()
{
    m_database.close();
    m_database = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connection);
}

QSqlQuery MeterRegister::run(const QString &sql, const QVariantList &values, Access access)
{
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    // Statements without values are not prepared: a PostgreSQL server
    // prepares queries only, and the schema's statements are not.
    bool ok = false;
    if (values.isEmpty()) {
        ok = query.exec(sql);
    } else if (query.prepare(sql)) {
        for (const QVariant &value : values)
            query.addBindValue(value);
        ok = query.exec();
    }
    if (!ok)
        fail(access, query.lastError());
    return query;
}

void MeterRegister::fail(Access access, const QSqlError &error) const
{
    throw ERegisterError((access == Access::Read
                              ? QStringLiteral("Nie można odczytać rejestru mierników %1.")
                              : QStringLiteral("Nie można zapisać rejestru mierników %1."))
                             .arg(m_location.url()),
                         error.text().simplified());
}

void MeterRegister::configureSqlite()
{
    // Readers and one writer at a time, never in each other's way, and
    // a program killed mid-write leaves the file whole: the write-ahead log.
    // The switch is made once, for good, and fails at once, without waiting
    // its turn, while another program writes or switches; the register then
    // works as it is (a killed write still leaves it whole), and a later
    // opening makes the switch.
    QSqlQuery(m_database).exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    run(QStringLiteral("PRAGMA synchronous=NORMAL"), {}, Access::Write);
    run(QStringLiteral("PRAGMA foreign_keys=ON"), {}, Access::Write);
}

int MeterRegister::storedVersion()
{
    if (!m_database.tables().contains(QStringLiteral("schema_version")))
        return 0;
    QSqlQuery query = run(QStringLiteral("SELECT MAX(version) FROM schema_version"));
    return query.next() ? query.value(0).toInt() : 0;
}

void MeterRegister::bringSchemaUpToDate()
{
    auto refuseNewer = [this](int version) {
        throw ERegisterError(
            QStringLiteral("Rejestr mierników %1 ma schemat w wersji %2, a ten program zna "
                           "schemat najwyżej w wersji %3. Potrzebny jest nowszy program.")
                .arg(m_location.url())
                .arg(version)
                .arg(SchemaVersion));
    };
    // Programs meeting a new or older register at once: one of them brings
    // it up to date, and a PostgreSQL server fails the others' statements,
    // which then find the work done on their next look.
    constexpr int Attempts = 3;
    for (int attempt = 1;; ++attempt) {
        const int version = storedVersion();
        if (version > SchemaVersion)
            refuseNewer(version);
        if (version == SchemaVersion)
            return;
        try {
            write([this] {
                for (int step = storedVersion() + 1; step <= SchemaVersion; ++step) {
                    for (const QString &sql : SchemaSteps.at(step - 1))
                        run(sql, {}, Access::Write);
                    run(QStringLiteral("UPDATE schema_version SET version = %1").arg(step), {},
                        Access::Write);
                }
            });
            return;
        } catch (const ERegisterError &) {
            if (attempt == Attempts)
                throw;
        }
    }
}

void MeterRegister::write(const std::function<void()> &body)
{
    // A SQLite writer takes the write lock at the start, waiting its turn
    // behind another program's write; taken later, it could only fail.
    run(m_location.driver() == RegisterLocation::Driver::Sqlite ? QStringLiteral("BEGIN IMMEDIATE")
                                                                : QStringLiteral("BEGIN"),
        {}, Access::Write);
    try {
        body();
        run(QStringLiteral("COMMIT"), {}, Access::Write);
    } catch (...) {
        QSqlQuery(m_database).exec(QStringLiteral("ROLLBACK"));
        throw;
    }
}

void MeterRegister::record(const Verification &verification)
{
    QVariantList values = {verification.name,
                           verification.number,
                           verification.verifiedOn.toString(Qt::ISODate),
                           nullableDate(verification.dueOn),
                           verification.intervalMonths ? QVariant(*verification.intervalMonths)
                                                       : QVariant(QMetaType::fromType<int>()),
                           verification.path,
                           QString::fromLatin1(verification.sha256),
                           nullableText(verification.certificate),
                           nullableText(verification.standard),
                           verification.decisionRule};
    values += summaryValues(verification.summary);

    QStringList updates;
    for (const QString &column : DetailColumns)
        updates.append(column + QStringLiteral(" = excluded.") + column);
    const QString upsertVerification =
        QStringLiteral(
            "INSERT INTO verifications (name, number, verified_on, %1) VALUES (?, ?, ?%2) "
            "ON CONFLICT (name, number, verified_on) DO UPDATE SET %3")
            .arg(DetailColumns.join(QStringLiteral(", ")),
                 QStringLiteral(", ?").repeated(DetailColumns.size()),
                 updates.join(QStringLiteral(", ")));
    write([&] {
        run(QStringLiteral("INSERT INTO meters (name, number, kind) VALUES (?, ?, ?) "
                           "ON CONFLICT (name, number) DO UPDATE SET kind = excluded.kind"),
            {verification.name, verification.number, verification.kind}, Access::Write);
        run(upsertVerification, values, Access::Write);
    });
}

bool MeterRegister::holds(const QString &path, const QByteArray &sha256)
{
    return run(QStringLiteral("SELECT 1 FROM verifications WHERE path = ? AND sha256 = ? "
                              "AND amplitude_pass IS NOT NULL"),
               {path, QString::fromLatin1(sha256)})
        .next();
}

QList<Verification> MeterRegister::select(const QString &where, const QVariantList &values,
                                          const QString &orderBy, bool latestOnly)
{
    QString sql = QStringLiteral("SELECT m.name, m.number, m.kind, v.verified_on, v.") +
                  DetailColumns.join(QStringLiteral(", v.")) +
                  QStringLiteral(" FROM verifications v JOIN meters m "
                                 "ON m.name = v.name AND m.number = v.number");
    if (latestOnly)
        sql += QStringLiteral(" JOIN (SELECT name, number, MAX(verified_on) AS latest "
                              "FROM verifications GROUP BY name, number) l "
                              "ON l.name = v.name AND l.number = v.number "
                              "AND l.latest = v.verified_on");
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where;
    sql += QStringLiteral(" ORDER BY ") + orderBy;

    QSqlQuery query = run(sql, values);
    QList<Verification> rows;
    constexpr int Details = 4;
    while (query.next()) {
        Verification row;
        row.name = query.value(0).toString();
        row.number = query.value(1).toString();
        row.kind = query.value(2).toString();
        // A PostgreSQL server hands dates over as dates, SQLite as their
        // ISO text; both read as a date.
        row.verifiedOn = query.value(3).toDate();
        row.dueOn = query.value(Details + 0).toDate();
        if (!query.value(Details + 1).isNull())
            row.intervalMonths = query.value(Details + 1).toInt();
        row.path = query.value(Details + 2).toString();
        row.sha256 = query.value(Details + 3).toString().toLatin1();
        row.certificate = textAt(query, Details + 4);
        row.standard = textAt(query, Details + 5);
        row.decisionRule = query.value(Details + 6).toString();
        if (!query.value(Details + SummaryColumn).isNull())
            row.summary = VerificationSummary{countsAt(query, Details + SummaryColumn),
                                              countsAt(query, Details + SummaryColumn + 4)};
        rows.append(row);
    }
    if (query.lastError().isValid())
        fail(Access::Read, query.lastError());
    return rows;
}

QList<Verification> MeterRegister::search(const QString &text)
{
    // Filtered here rather than by the database: neither back end folds
    // the case of Polish letters the same way without a collation set up
    // for it.
    QList<Verification> meters = select({}, {}, QStringLiteral("m.name, m.number"), true);
    const QString wanted = text.trimmed();
    meters.removeIf([&wanted](const Verification &meter) {
        return !meter.name.contains(wanted, Qt::CaseInsensitive) &&
               !meter.number.contains(wanted, Qt::CaseInsensitive);
    });
    return meters;
}

QList<Verification> MeterRegister::history(const QString &name, const QString &number)
{
    return select(QStringLiteral("v.name = ? AND v.number = ?"), {name, number},
                  QStringLiteral("v.verified_on DESC"));
}

QList<Verification> MeterRegister::due(QDate today, int days)
{
    return select(QStringLiteral("v.due_on IS NOT NULL AND v.due_on <= ?"),
                  {today.addDays(days).toString(Qt::ISODate)},
                  QStringLiteral("v.due_on, m.name, m.number"), true);
}

QList<Verification> MeterRegister::trace(const QString &standardSerial, QDate from, QDate to)
{
    return select(QStringLiteral("v.standard = ? AND v.verified_on >= ? AND v.verified_on <= ?"),
                  {standardSerial, from.toString(Qt::ISODate), to.toString(Qt::ISODate)},
                  QStringLiteral("v.verified_on, m.name, m.number"));
}
