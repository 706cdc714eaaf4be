#include "simulatorlog.h"

#include "errors.h"

namespace {

// A JSON string of bytes taken one for one as code points (the frame), or of
// UTF-8 text (the error), which passes through as it is.
QByteArray jsonString(const QByteArray &bytes, bool bytesAreText)
{
    QByteArray out;
    out.reserve(bytes.size() + 2);
    out.append('"');
    for (char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        if (c == '"' || c == '\\') {
            out.append('\\');
            out.append(byte);
        } else if (c < 0x20 || c == 0x7f || (c >= 0x80 && !bytesAreText)) {
            out.append("\\u00");
            out.append(QByteArray::number(c, 16).rightJustified(2, '0'));
        } else {
            out.append(byte);
        }
    }
    out.append('"');
    return out;
}

} // namespace

SimulatorLog::SimulatorLog(const QString &path) : m_file(path)
{
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append))
        throw EInOutError(QStringLiteral("Nie można otworzyć dziennika %1.").arg(path),
                          m_file.errorString());
    m_clock.start();
}

bool SimulatorLog::write(const SimulatorEvent &event)
{
    const QByteArray text = line(event, m_clock.nsecsElapsed() / 1e9);
    return m_file.write(text) == text.size() && m_file.flush();
}

QByteArray SimulatorLog::line(const SimulatorEvent &event, double seconds)
{
    const CalibratorState &state = event.state;
    QByteArray line;
    line.reserve(192);
    line.append("{\"t\": ").append(QByteArray::number(seconds, 'f', 3));
    line.append(", \"frame\": ").append(jsonString(event.frame, false));
    line.append(", \"range\": ").append(jsonString(state.rangeText().toLatin1(), false));
    line.append(", \"function\": \"").append(state.functionText().toLatin1()).append('"');
    line.append(", \"frequency\": ").append(SimulatedCalibrator::numberText(state.frequency(), 3));
    line.append(", \"value\": ").append(SimulatedCalibrator::numberText(state.value, 6));
    line.append(", \"unit\": \"").append(state.unit().toLatin1()).append('"');
    line.append(", \"output\": ").append(state.operate ? "\"operate\"" : "\"standby\"");
    line.append(", \"error\": ");
    if (event.fault)
        line.append(jsonString(event.error.toUtf8(), true));
    else
        line.append("null");
    line.append("}\n");
    return line;
}
