#include "core/simulator/simulatorterminal.h"

#include "core/base/errors.h"
#include "core/simulator/simulatedcalibrator.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

SimulatorTerminal::SimulatorTerminal(SimulatedCalibrator &calibrator, QObject *parent)
    : QObject(parent), m_calibrator(calibrator)
{
    char name[256] = {};
    if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0)
        throw EInOutError(QStringLiteral("Nie można utworzyć pseudoterminala."), systemError());
    m_path = QString::fromLocal8Bit(name);
    // Raw: every byte passes as it was written, with no echo and no line
    // editing, as on a serial line.
    termios raw;
    if (::tcgetattr(m_slave, &raw) == 0) {
        ::cfmakeraw(&raw);
        ::cfsetispeed(&raw, B4800);
        ::cfsetospeed(&raw, B4800);
        ::tcsetattr(m_slave, TCSANOW, &raw);
    }
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_slave, F_SETFD, FD_CLOEXEC);

    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] { readAvailable(); });
}

SimulatorTerminal::~SimulatorTerminal()
{
    if (!m_linkPath.isEmpty() && QFileInfo(m_linkPath).symLinkTarget() == m_path)
        QFile::remove(m_linkPath);
    delete m_notifier;
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
}

void SimulatorTerminal::makeLink(const QString &linkPath)
{
    const QFileInfo existing(linkPath);
    if (existing.isSymLink()) {
        QFile::remove(linkPath);
    } else if (existing.exists()) {
        throw EInOutError(
            QStringLiteral("%1 istnieje i nie jest dowiązaniem symbolicznym.").arg(linkPath));
    }
    if (::symlink(QFile::encodeName(m_path).constData(), QFile::encodeName(linkPath).constData()) !=
        0)
        throw EInOutError(QStringLiteral("Nie można utworzyć dowiązania %1.").arg(linkPath),
                          systemError());
    m_linkPath = linkPath;
}

qint64 SimulatorTerminal::readAvailable()
{
    qint64 total = 0;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            total += n;
            m_bytesRead += n;
            m_calibrator.feed(buffer, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        // EAGAIN: nothing more for now.
        break;
    }
    return total;
}

bool SimulatorTerminal::waitForBytes(qint64 total, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    readAvailable();
    while (m_bytesRead < total) {
        pollfd fd{m_master, POLLIN, 0};
        const qint64 left = deadline.remainingTime();
        if (left <= 0 || ::poll(&fd, 1, int(left)) <= 0)
            return false;
        readAvailable();
    }
    return true;
}

void SimulatorTerminal::drain(int quietMs)
{
    readAvailable();
    pollfd fd{m_master, POLLIN, 0};
    while (::poll(&fd, 1, quietMs) > 0 && readAvailable() > 0) {
    }
}
