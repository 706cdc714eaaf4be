#include "core/document/documentfile.h"
#include "tools/caltool.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    DocumentFile::ignoreFileSizeSignal();
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    // A scan's refusals are written as they come: a long scan shows them at
    // once, and a scan that is stopped has shown them all the same.
    const CalTool::Result result = CalTool::run(arguments, [](const QByteArray &line) {
        std::fwrite(line.constData(), 1, line.size(), stderr);
        std::fflush(stderr);
    });
    if (!result.out.isEmpty() && std::fwrite(result.out.constData(), 1, result.out.size(),
                                             stdout) != size_t(result.out.size())) {
        std::fputs("orvane707-cal: cannot write to standard output\n", stderr);
        return CalTool::BadInput;
    }
    if (std::fflush(stdout) != 0) {
        std::fputs("orvane707-cal: cannot write to standard output\n", stderr);
        return CalTool::BadInput;
    }
    std::fwrite(result.err.constData(), 1, result.err.size(), stderr);
    return result.status;
}
