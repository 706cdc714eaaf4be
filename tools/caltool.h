#pragma once

#include <QByteArray>
#include <QStringList>

#include <functional>

class ProgramError;

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
// "convert IN OUT", "assess FILE ..." (see assesstool.h) or "register ..."
// (see registertool.h), whose scan reports the files it refuses through
// refused as it meets them (into err when unset). A document's extension
// data go with it: dump shows them under "extension", build takes them from
// there, convert keeps them; a damaged block is left out with a warning.
Result run(const QStringList &arguments,
           const std::function<void(const QByteArray &line)> &refused = {});

QByteArray usage();

// "orvane707-cal: " and the error's text, naming the file it is about.
QByteArray errorLine(const QString &file, const ProgramError &error);

} // namespace CalTool
