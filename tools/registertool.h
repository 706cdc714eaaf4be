#pragma once

#include "tools/caltool.h"

#include <QByteArray>
#include <QStringList>

#include <functional>

// orvane707-cal register: the register of meters for scripts, checks and
// the first import of an archive. Every listing is one JSON line per row.
namespace RegisterTool {

// The arguments after "register". Files a scan refuses are reported through
// refused as they are met, so that a long scan shows them at once.
CalTool::Result run(const QStringList &arguments,
                    const std::function<void(const QByteArray &line)> &refused);

QByteArray usage();

} // namespace RegisterTool
