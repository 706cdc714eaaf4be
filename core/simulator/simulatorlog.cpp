#include "core/simulator/simulatorlog.h"

#include "core/base/errors.h"
#include "core/base/filenode.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

SimulatorLog::SimulatorLog(const QString &path)
{
    const QString openFailed = QStringLiteral("Nie można otworzyć dziennika %1.").arg(path);
    const QByteArray name = QFile::encodeName(path);
    // Looked at before opening, and again after: opening a FIFO waits for a
    // reader.
    auto refused = [](const struct stat &node) {
        return !S_ISREG(node.st_mode) && !S_ISCHR(node.st_mode);
    };
    struct stat node = {};
    if (::stat(name.constData(), &node) == 0 && refused(node))
        throw EInOutError(openFailed, FileNode::notARegularFile(node.st_mode));
    m_fd = ::open(name.constData(),
                  O_WRONLY | O_APPEND | O_CREAT | O_NOCTTY | O_NONBLOCK | O_CLOEXEC, 0666);
    if (m_fd < 0)
        throw EInOutError(openFailed, FileNode::systemError(errno));
    QString reason;
    if (::fstat(m_fd, &node) != 0)
        reason = FileNode::systemError(errno);
    else if (refused(node))
        reason = FileNode::notARegularFile(node.st_mode);
    if (!reason.isEmpty()) {
        ::close(m_fd);
        throw EInOutError(openFailed, reason);
    }
    // A terminal takes its lines at its own pace.
    ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK);
    m_clock.start();
}

SimulatorLog::~SimulatorLog()
{
    finish();
    ::close(m_fd);
}

bool SimulatorLog::append(const QByteArray &text)
{
    qsizetype written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(m_fd, text.constData() + written, size_t(text.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            if (!m_failed && onFailure)
                onFailure(FileNode::systemError(errno));
            m_failed = true;
            return false;
        }
        written += n;
    }
    return true;
}

bool SimulatorLog::finish()
{
    if (!m_stray)
        return true;
    StrayRun run = *m_stray;
    m_stray.reset();
    if (run.count > 1)
        run.event.error = QStringLiteral("Bajty poza ramką: %1").arg(run.count);
    return append(line(run.event, run.seconds));
}

bool SimulatorLog::write(const SimulatorEvent &event)
{
    if (event.fault == SimulatorFault::ByteOutsideFrame) {
        if (!m_stray) {
            m_stray = StrayRun{event, seconds(), 0};
            m_stray->event.frame.clear();
        }
        if (m_stray->event.frame.size() < StrayBytesShown)
            m_stray->event.frame += event.frame;
        ++m_stray->count;
        return true;
    }
    const bool stray = finish();
    return append(line(event, seconds())) && stray;
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
