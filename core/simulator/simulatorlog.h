#pragma once

#include "simulatedcalibrator.h"

#include <QElapsedTimer>
#include <QFile>

// The simulator's record of what came down the line: one JSON line per frame
// or fault, appended to a file and flushed at once, so that whatever reads it
// sees every frame as soon as it was handled:
//
//   {"t": 1.234, "frame": "Z2F0N1.50000", "range": "10V", "function": "F0",
//    "frequency": 0, "value": 1.5, "unit": "V", "output": "standby",
//    "error": null}
//
// t is in seconds since the log was opened, frequency in hertz, value in the
// range's unit; error is null or the Polish text of the fault. Bytes of the
// frame that are not printable ASCII are written as \u00XX escapes.
class SimulatorLog
{
public:
    // Throws EInOutError when the file cannot be opened for appending.
    explicit SimulatorLog(const QString &path);

    // False when the line could not be written (a full disk).
    bool write(const SimulatorEvent &event);

    static QByteArray line(const SimulatorEvent &event, double seconds);

private:
    QFile m_file;
    QElapsedTimer m_clock;
};
