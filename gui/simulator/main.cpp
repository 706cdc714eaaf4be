// orvane707-sim: an R-707 calibrator simulated on a pseudo-terminal, for work
// without an instrument.
//
//   orvane707-sim [--link PATH] [--model R-707|R-707C|R-707F|R-707FC]
//                 [--log FILE] [--headless]

#include "core/base/errors.h"
#include "core/calibrator/calibratormodel.h"
#include "core/simulator/simulatedcalibrator.h"
#include "core/simulator/simulatorlog.h"
#include "core/simulator/simulatorterminal.h"
#include "gui/simulator/simulatordisplay.h"
#include "gui/simulator/terminationsignals.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>

#include <cstdio>
#include <memory>
#include <optional>

namespace {

// Bytes the program wrote just before the simulator was stopped are still
// read if they reach it within this quiet time.
constexpr int DrainQuietMs = 50;

int fail(const QString &text, const QString &detail = {})
{
    const QString line = detail.isEmpty() ? text : text + QStringLiteral(" (") + detail + ')';
    std::fprintf(stderr, "orvane707-sim: %s\n", qPrintable(line));
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    bool headless = false;
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--headless") == 0)
            headless = true;
    }
    // Without its window the simulator needs no display at all.
    std::unique_ptr<QCoreApplication> app;
    if (headless)
        app = std::make_unique<QCoreApplication>(argc, argv);
    else
        app = std::make_unique<QApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("orvane707-sim"));
    QCoreApplication::setOrganizationName(QStringLiteral("Orvane"));
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Symulator kalibratora R-707 na pseudoterminalu. Wypisuje ścieżkę urządzenia, "
        "do którego program ma pisać."));
    parser.addHelpOption();
    const QCommandLineOption linkOption(
        QStringLiteral("link"), QStringLiteral("Dowiązanie symboliczne PATH do tego urządzenia."),
        QStringLiteral("PATH"));
    const QCommandLineOption modelOption(
        QStringLiteral("model"),
        QStringLiteral("Wykonanie kalibratora: %1 (domyślnie wybrane w programie).")
            .arg(CalibratorModel::names().join(QStringLiteral(", "))),
        QStringLiteral("MODEL"));
    const QCommandLineOption logOption(
        QStringLiteral("log"),
        QStringLiteral("Dopisuje do pliku FILE wiersz JSON o każdej ramce i każdym błędzie."),
        QStringLiteral("FILE"));
    const QCommandLineOption headlessOption(QStringLiteral("headless"),
                                            QStringLiteral("Bez okna wyświetlacza."));
    parser.addOptions({linkOption, modelOption, logOption, headlessOption});
    parser.process(*app);
    if (!parser.positionalArguments().isEmpty())
        return fail(
            QStringLiteral("nieznany argument %1").arg(parser.positionalArguments().first()));

    CalibratorModel model = CalibratorModel::load();
    if (parser.isSet(modelOption)) {
        model.name = parser.value(modelOption);
        model.index = int(CalibratorModel::names().indexOf(model.name));
        if (!model.isKnown())
            return fail(QStringLiteral("nieznane wykonanie %1; znane: %2")
                            .arg(model.name, CalibratorModel::names().join(QStringLiteral(", "))));
    }

    SimulatedCalibrator calibrator(model);
    std::optional<SimulatorLog> log;
    std::optional<SimulatorTerminal> terminal;
    try {
        if (parser.isSet(logOption))
            log.emplace(parser.value(logOption));
        terminal.emplace(calibrator);
        if (parser.isSet(linkOption))
            terminal->makeLink(parser.value(linkOption));
    } catch (const ProgramError &error) {
        return fail(error.message(), error.detail());
    }
    if (log) {
        log->onFailure = [](const QString &reason) {
            fail(QStringLiteral("nie można pisać do dziennika"), reason);
        };
        QObject::connect(&calibrator, &SimulatedCalibrator::handled,
                         [&log](const SimulatorEvent &event) { log->write(event); });
    }

    std::printf("%s\n", qPrintable(terminal->path()));
    std::fflush(stdout);

    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::received, app.get(),
                     &QCoreApplication::quit);

    std::unique_ptr<SimulatorDisplay> display;
    if (!headless) {
        display = std::make_unique<SimulatorDisplay>(calibrator);
        display->show();
    }

    const int status = app->exec();
    terminal->drain(DrainQuietMs);
    return status;
}
