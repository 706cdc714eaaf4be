#pragma once

#include <QByteArray>
#include <QStringList>

// The report, the workbook and the certificate of a document without a
// window, for archives and scripts:
//
//     orvane707 --report FILE.cal OUT.pdf [--view amplitude|frequency]
//               [--range N] [--pages table,points,errors]
//     orvane707 --export FILE.cal OUT.xlsx [--view amplitude|frequency]
//               [--range N]
//     orvane707 --certificate FILE.cal OUT.pdf
//
// The view defaults to the one the document was saved with, the range to 1,
// the pages to the table. The certificate holds every measured range; one
// the document does not date is issued today, and the document is never
// written. The same filling and painting code as the window's makes them.
// Exit status 0, 1 for a document that cannot be read, a range with nothing
// to show or an output that cannot be written, 2 for a command line that
// does not make sense.
namespace HeadlessOutput {

enum Status { Success = 0, BadInput = 1, Usage = 2 };

struct Result
{
    int status = Success;
    QByteArray err; // for stderr
};

// Whether a command line asks for a report, a workbook or a certificate.
bool requested(int argc, char **argv);

// Before the application object exists: no display is needed, or used.
void useOffscreenPlatform();

// The arguments with the program's name first, as QCoreApplication has them.
Result run(const QStringList &arguments);

QByteArray usage();

} // namespace HeadlessOutput
