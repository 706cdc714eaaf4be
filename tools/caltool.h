#pragma once

#include <QByteArray>
#include <QStringList>

// orvane707-cal: inspects, converts and builds .cal documents without a
// display, with the program's own reading and writing code.
namespace CalTool {

enum Status { Success = 0, BadInput = 1, Usage = 2 };

struct Result
{
    int status = Success;
    QByteArray out; // for stdout
    QByteArray err; // for stderr, one line per error
};

// arguments without the program name: "dump FILE", "build JSON OUT",
// "convert IN OUT".
Result run(const QStringList &arguments);

QByteArray usage();

} // namespace CalTool
