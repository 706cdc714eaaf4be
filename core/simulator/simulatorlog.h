#pragma once

#include "core/simulator/simulatedcalibrator.h"

#include <QElapsedTimer>

#include <functional>
#include <optional>

// The simulator's record of what came down the line: one JSON line per frame
// or fault, appended to a file and written at once, so that whatever reads it
// sees every frame as soon as it was handled:
//
//   {"t": 1.234, "frame": "Z2F0N1.50000", "range": "10V", "function": "F0",
//    "frequency": 0, "value": 1.5, "unit": "V", "output": "standby",
//    "error": null}
//
// t is in seconds since the log was opened, frequency in hertz, value in the
// range's unit; error is null or the Polish text of the fault. Bytes of the
// frame that are not printable ASCII are written as \u00XX escapes.
//
// Bytes outside any frame come one fault each. A run of them is one line,
// written when the run ends (at the next frame, or when the log closes),
// with the count as its error ("Bajty poza ramką: 3") and the first
// StrayBytesShown bytes as its frame: a noisy line gives a log smaller than
// what came down it, not a line per byte.
class SimulatorLog
{
public:
    static constexpr int StrayBytesShown = 16;

    // A regular file, a terminal or /dev/null. A FIFO would hold the
    // simulator until someone reads it, and a socket or a folder takes no
    // lines: they are refused with EInOutError, as a file that cannot be
    // opened for appending is.
    explicit SimulatorLog(const QString &path);
    // Writes the run of stray bytes still open.
    ~SimulatorLog();
    SimulatorLog(const SimulatorLog &) = delete;
    SimulatorLog &operator=(const SimulatorLog &) = delete;

    // Told the system's reason when a line first cannot be written (a full
    // disk); later failures are not told again.
    std::function<void(const QString &reason)> onFailure;

    // False when a line could not be written.
    bool write(const SimulatorEvent &event);
    // Writes the run of stray bytes still open; false when it could not be.
    bool finish();

    static QByteArray line(const SimulatorEvent &event, double seconds);

private:
    struct StrayRun
    {
        SimulatorEvent event;
        double seconds = 0;
        qint64 count = 0;
    };

    bool append(const QByteArray &text);
    double seconds() const { return static_cast<double>(m_clock.nsecsElapsed()) / 1e9; }

    int m_fd = -1;
    QElapsedTimer m_clock;
    std::optional<StrayRun> m_stray;
    bool m_failed = false;
};
