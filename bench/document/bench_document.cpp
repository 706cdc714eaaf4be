// Loading and saving a full document against the plain file operations they
// are built on, and dumping documents as JSON, all in one run so the figures
// compare.

#include "bench/benchmain.h"
#include "core/document/documentfile.h"
#include "core/document/documentjson.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <unistd.h>

namespace {

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

// Every range of all three arrays with 35 points, numbers everywhere.
TDaneSprawdzania fullDocument()
{
    TDaneSprawdzania record;
    record.setNazwa(QStringLiteral("Woltomierz V640"));
    record.setNumer(QStringLiteral("12345"));
    record.setTyp(QStringLiteral("Cyfrowy"));
    for (int k = 1; k <= 35; ++k) {
        TZakresAmpl a = record.ZakresyAmpl(k);
        a.setZak(k * 10);
        a.setJm(QStringLiteral("mV"));
        a.setKmm(0.5);
        a.setKmz(0.25);
        a.setKmzDod(QStringLiteral("0"));
        for (int j = 1; j <= 35; ++j) {
            TPunktAmpl p = a.Punkty(j);
            p.setWm(j * 1.1L);
            p.setNk(j * 1.0999L);
            p.setBmr(-0.013L * j);
            p.setBmd(0.05L);
            p.setBk(0.0001L * j);
            p.setJmBk(QStringLiteral("mV"));
            p.setDokl(4);
            p.setWl(true);
            p.setWpisany(true);
            p.setZmierzony(true);
        }
        for (TZakresCz c : {record.ZakresyCzDN(k), record.ZakresyCzDO(k)}) {
            c.setZak(k);
            c.setJm(QStringLiteral("V"));
            c.setNkDN_WmDO(0.9L * k);
            for (int j = 1; j <= 35; ++j) {
                TPunktCz p = c.Punkty(j);
                p.setWmDN_NkDO(0.9001L * k);
                p.setCz(3);
                p.setCzHz(45 + j * 50);
                p.setBmr(0.001L * j);
                p.setBmd(0.02L);
                p.setBk(0.0003L);
                p.setJmBk(QStringLiteral("V"));
                p.setDokl(5);
                p.setWpisany(true);
            }
        }
    }
    return record;
}

const QString &documentPath()
{
    static const QString path = [] {
        const QString p = folder().filePath(QStringLiteral("full.cal"));
        DocumentFile::write(fullDocument(), p);
        return p;
    }();
    return path;
}

void LoadDocument(benchmark::State &state)
{
    const QString path = documentPath();
    for (auto _ : state) {
        TDaneSprawdzania record = DocumentFile::read(path);
        benchmark::DoNotOptimize(record.bytes());
    }
}
BENCHMARK(LoadDocument);

void RawRead(benchmark::State &state)
{
    const QString path = documentPath();
    QByteArray buffer(TDaneSprawdzania::Size, 0);
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(file.read(buffer.data(), buffer.size()));
    }
}
BENCHMARK(RawRead);

void SaveDocument(benchmark::State &state)
{
    const TDaneSprawdzania record = fullDocument();
    const QString path = folder().filePath(QStringLiteral("save.cal"));
    for (auto _ : state)
        DocumentFile::write(record, path);
}
BENCHMARK(SaveDocument);

void RawWriteAndRename(benchmark::State &state)
{
    const QByteArray bytes = fullDocument().toBytes();
    const QByteArray temporary = QFile::encodeName(folder().filePath(QStringLiteral("raw.tmp")));
    const QByteArray target = QFile::encodeName(folder().filePath(QStringLiteral("raw.cal")));
    for (auto _ : state) {
        std::FILE *file = std::fopen(temporary.constData(), "wb");
        std::fwrite(bytes.constData(), 1, bytes.size(), file);
        std::fclose(file);
        std::rename(temporary.constData(), target.constData());
    }
}
BENCHMARK(RawWriteAndRename);

// The same with the data flushed to the disk before the rename, as the
// document save does so that a crash cannot leave an empty document behind.
void RawWriteSyncAndRename(benchmark::State &state)
{
    const QByteArray bytes = fullDocument().toBytes();
    const QByteArray temporary = QFile::encodeName(folder().filePath(QStringLiteral("sync.tmp")));
    const QByteArray target = QFile::encodeName(folder().filePath(QStringLiteral("sync.cal")));
    for (auto _ : state) {
        std::FILE *file = std::fopen(temporary.constData(), "wb");
        std::fwrite(bytes.constData(), 1, bytes.size(), file);
        std::fflush(file);
        fdatasync(fileno(file));
        std::fclose(file);
        std::rename(temporary.constData(), target.constData());
    }
}
BENCHMARK(RawWriteSyncAndRename);

void DumpDocuments(benchmark::State &state)
{
    // The work of "orvane707-cal dump" for each of 1000 files.
    const QString dir = folder().filePath(QStringLiteral("archive"));
    QDir().mkpath(dir);
    QStringList files;
    const TDaneSprawdzania record = fullDocument();
    for (int i = 0; i < 1000; ++i) {
        files.append(dir + QStringLiteral("/d%1.cal").arg(i));
        DocumentFile::write(record, files.constLast());
    }
    for (auto _ : state) {
        for (const QString &file : files)
            benchmark::DoNotOptimize(DocumentJson::toJson(DocumentFile::read(file)));
    }
    state.counters["documents/s"] =
        benchmark::Counter(double(files.size()) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(DumpDocuments)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    return benchmarkMain(argc, argv);
}
