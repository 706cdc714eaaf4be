// The register of meters against the work it stands on, in one run: a scan
// of 1,000 documents against reading the same files, and the due list of
// 10,000 meters with 10 verifications each against a plain SELECT of the
// whole table. On SQLite, and on a throwaway PostgreSQL server where one can
// run here.
//
//   cmake --build build -j2 --target bench_register && build/bench/register/bench_register

#include "bench/benchmain.h"
#include "bench/timedrun.h"
#include "core/document/documentfile.h"
#include "core/register/meterregister.h"
#include "core/register/registerscan.h"
#include "tests/support/core/postgrescluster.h"

#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

constexpr int Documents = 1000;
constexpr int Meters = 10000;
constexpr int VerificationsPerMeter = 10;

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

QString archive()
{
    return folder().filePath(QStringLiteral("archive"));
}

// An archive of documents as a lab's would be: each its own meter, with a
// range of 35 measured points.
void writeArchive()
{
    QDir().mkpath(archive());
    TDaneSprawdzania record;
    record.setTyp(QStringLiteral("Cyfrowy"));
    TZakresAmpl range = record.ZakresyAmpl(1);
    range.setZak(10);
    range.setJm(QStringLiteral("V"));
    range.setZmierzony(true);
    for (int j = 1; j <= TDaneSprawdzania::Slots; ++j) {
        TPunktAmpl point = range.Punkty(j);
        point.setJmBk(QStringLiteral("V"));
        point.setBmd(0.05L);
        point.setBmr(j % 7 ? 0.01L : 0.1L);
        point.setWpisany(true);
        point.setZmierzony(true);
    }
    for (int i = 0; i < Documents; ++i) {
        record.setNazwa(QStringLiteral("Woltomierz V%1").arg(i));
        record.setNumer(QString::number(10000 + i));
        DocumentFile::write(record, archive() + QStringLiteral("/d%1.cal").arg(i));
    }
}

void BM_ReadDocuments(benchmark::State &state)
{
    const QStringList files = QDir(archive()).entryList({QStringLiteral("*.cal")});
    timed(state, "read 1000 documents", [&] {
        for (const QString &file : files)
            benchmark::DoNotOptimize(DocumentFile::read(archive() + QLatin1Char('/') + file));
    });
}

// The register of one back end: a new one for every scan into an empty
// register, one filled once for the rest.
class Backend
{
public:
    Backend(std::string name, std::function<QString()> fresh)
        : m_name(std::move(name)), m_fresh(std::move(fresh))
    {}

    void scanNew(benchmark::State &state)
    {
        std::optional<RegisterLocation> empty;
        timed(
            state, "scan 1000 new/" + m_name,
            [&] {
                MeterRegister meterRegister(*empty);
                RegisterScan::scan(meterRegister, {archive()}, {});
            },
            [&] { empty = RegisterLocation::parse(m_fresh()); });
    }

    void scanUnchanged(benchmark::State &state)
    {
        const RegisterLocation filled = RegisterLocation::parse(m_fresh());
        RegisterScan::scan(*std::make_unique<MeterRegister>(filled), {archive()}, {});
        timed(state, "scan 1000 unchanged/" + m_name, [&] {
            MeterRegister meterRegister(filled);
            RegisterScan::scan(meterRegister, {archive()}, {});
        });
    }

    void due(benchmark::State &state)
    {
        MeterRegister meterRegister(manyMeters());
        timed(state, "due of 10000 meters/" + m_name,
              [&] { benchmark::DoNotOptimize(meterRegister.due(QDate(2025, 3, 1), 30)); });
    }

    void selectAll(benchmark::State &state)
    {
        QSqlDatabase database = manyMeters().addConnection(QStringLiteral("select"));
        database.open();
        timed(state, "select of 100000 rows/" + m_name, [&] {
            QSqlQuery query(database);
            query.setForwardOnly(true);
            query.exec(QStringLiteral("SELECT * FROM verifications"));
            while (query.next()) {
                for (int column = 0; column < 18; ++column)
                    benchmark::DoNotOptimize(query.value(column));
            }
        });
        database.close();
        database = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("select"));
    }

private:
    // 10,000 meters verified once a year for ten years, written in one
    // transaction of the benchmark's own: a million saves would take hours.
    RegisterLocation manyMeters()
    {
        if (m_manyMeters)
            return *m_manyMeters;
        m_manyMeters = RegisterLocation::parse(m_fresh());
        std::make_unique<MeterRegister>(*m_manyMeters); // the schema
        QSqlDatabase database = m_manyMeters->addConnection(QStringLiteral("fill"));
        database.open();
        {
            QSqlQuery query(database);
            query.exec(QStringLiteral("BEGIN"));
            QSqlQuery meter(database);
            meter.prepare(QStringLiteral("INSERT INTO meters VALUES (?, ?, 'Cyfrowy')"));
            QSqlQuery verification(database);
            verification.prepare(QStringLiteral(
                "INSERT INTO verifications VALUES (?, ?, ?, ?, 12, ?, 'ab', 'S/1', 'K-1', "
                "'simple', 30, 0, 0, 5, 10, 0, 0, 0)"));
            for (int i = 0; i < Meters; ++i) {
                const QString name = QStringLiteral("Miernik %1").arg(i);
                meter.addBindValue(name);
                meter.addBindValue(QString::number(i));
                meter.exec();
                for (int k = 0; k < VerificationsPerMeter; ++k) {
                    const QDate verified = QDate(2015, 1, 1).addDays(i % 365).addYears(k);
                    verification.addBindValue(name);
                    verification.addBindValue(QString::number(i));
                    verification.addBindValue(verified.toString(Qt::ISODate));
                    verification.addBindValue(dueDate(verified, 12).toString(Qt::ISODate));
                    verification.addBindValue(QStringLiteral("/archiwum/%1-%2.cal").arg(i).arg(k));
                    verification.exec();
                }
            }
            query.exec(QStringLiteral("COMMIT"));
            query.exec(QStringLiteral("ANALYZE"));
        }
        database.close();
        database = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("fill"));
        return *m_manyMeters;
    }

    std::string m_name;
    std::function<QString()> m_fresh;
    std::optional<RegisterLocation> m_manyMeters;
};

void summarise()
{
    std::printf("\nWall time per iteration, and the ratios:\n");
    for (const auto &[name, ms] : perIteration())
        std::printf("  %-36s %10.2f ms\n", name.c_str(), ms);
    const double read = perIteration()["read 1000 documents"];
    for (const char *backend : {"sqlite", "postgresql"}) {
        const std::string b = backend;
        if (!perIteration().count("due of 10000 meters/" + b))
            continue;
        std::printf("  %s: scan new / read %.2fx, scan unchanged / read %.2fx, "
                    "due / select %.2fx\n",
                    backend, perIteration()["scan 1000 new/" + b] / read,
                    perIteration()["scan 1000 unchanged/" + b] / read,
                    perIteration()["due of 10000 meters/" + b] /
                        perIteration()["select of 100000 rows/" + b]);
    }
}

} // namespace

int main(int argc, char **argv)
{
    int files = 0;
    std::vector<std::unique_ptr<Backend>> backends;
    std::unique_ptr<PostgresCluster> cluster;
    BenchmarkProgram program;
    program.beforeRun = [&] {
        writeArchive();
        backends.push_back(std::make_unique<Backend>("sqlite", [&files] {
            return QStringLiteral("sqlite:") +
                   folder().filePath(QStringLiteral("r%1.sqlite").arg(++files));
        }));
        if (PostgresCluster::missingReason().isEmpty()) {
            cluster = std::make_unique<PostgresCluster>();
            if (cluster->isRunning())
                backends.push_back(std::make_unique<Backend>("postgresql", [&cluster, &files] {
                    return cluster->createDatabase(QStringLiteral("r%1").arg(++files));
                }));
            else
                std::fprintf(stderr, "PostgreSQL: %s\n", qPrintable(cluster->error()));
        } else {
            std::fprintf(stderr, "PostgreSQL: %s\n", qPrintable(PostgresCluster::missingReason()));
        }

        benchmark::RegisterBenchmark("read 1000 documents", BM_ReadDocuments)
            ->Unit(benchmark::kMillisecond);
        for (const auto &backend : backends) {
            Backend *b = backend.get();
            const std::string suffix = b == backends.front().get() ? "/sqlite" : "/postgresql";
            benchmark::RegisterBenchmark(("scan 1000 new" + suffix).c_str(),
                                         [b](benchmark::State &state) { b->scanNew(state); })
                ->Unit(benchmark::kMillisecond)
                ->Iterations(3);
            benchmark::RegisterBenchmark(("scan 1000 unchanged" + suffix).c_str(),
                                         [b](benchmark::State &state) { b->scanUnchanged(state); })
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(("due of 10000 meters" + suffix).c_str(),
                                         [b](benchmark::State &state) { b->due(state); })
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(("select of 100000 rows" + suffix).c_str(),
                                         [b](benchmark::State &state) { b->selectAll(state); })
                ->Unit(benchmark::kMillisecond);
        }
    };
    // The backends and the server go while the application still exists.
    program.afterRun = [&] {
        summarise();
        backends.clear();
        cluster.reset();
    };
    return benchmarkMain(argc, argv, program);
}
