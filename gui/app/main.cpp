#include "core/document/documentfile.h"
#include "gui/app/orvaneapplication.h"
#include "gui/app/program.h"
#include "gui/output/headlessoutput.h"

#include <cstdio>

int main(int argc, char *argv[])
{
    // A report or a workbook from the command line needs no display.
    const bool headless = HeadlessOutput::requested(argc, argv);
    if (headless)
        HeadlessOutput::useOffscreenPlatform();
    OrvaneApplication app(argc, argv);
    DocumentFile::ignoreFileSizeSignal();
    if (headless) {
        const HeadlessOutput::Result result = HeadlessOutput::run(app.arguments());
        std::fwrite(result.err.constData(), 1, result.err.size(), stderr);
        return result.status;
    }

    QStringList arguments = app.arguments();
    arguments.removeFirst();
    Program program(arguments);

    program.start();
    return app.exec();
}
