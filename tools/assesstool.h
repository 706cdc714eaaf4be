#pragma once

#include "tools/caltool.h"

#include <QByteArray>
#include <QStringList>

// orvane707-cal assess FILE [--rule simple|guard_band|four_zone]
// [--min-tur X]: one JSON line per measured point of the document, the
// amplitude ranges first, then the frequency array its Typ uses, ranges and
// points numbered from 1. Each line holds the point's budget in its
// calibrator unit (error, tolerance, u_cal, u_res, U, tur) and its decision
// under the rule: the document's own, or the one given.
namespace AssessTool {

// The arguments after "assess".
CalTool::Result run(const QStringList &arguments);

QByteArray usage();

} // namespace AssessTool
