#pragma once

#include <QByteArray>
#include <QString>

#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

// A pseudo-terminal pair in raw mode: the program's link writes to the slave
// end, a test reads what arrives at the master end, as the calibrator would.
class PseudoTerminal
{
public:
    PseudoTerminal()
    {
        char name[256] = {};
        if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) == 0) {
            m_path = QString::fromLocal8Bit(name);
            termios raw;
            ::tcgetattr(m_master, &raw);
            ::cfmakeraw(&raw);
            ::tcsetattr(m_master, TCSANOW, &raw);
        }
    }
    ~PseudoTerminal()
    {
        closeMaster();
        if (m_slave >= 0)
            ::close(m_slave);
    }
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    bool isValid() const { return !m_path.isEmpty(); }
    // The slave end's device path, for the link to open.
    QString path() const { return m_path; }

    // Makes the slave end refuse writes, as an unplugged adapter does.
    void closeMaster()
    {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }

    // What arrives until `expected` bytes are in or nothing comes for the
    // time-out.
    QByteArray read(int expected, int timeoutMs = 2000)
    {
        QByteArray data;
        while (data.size() < expected) {
            pollfd fd{m_master, POLLIN, 0};
            if (::poll(&fd, 1, timeoutMs) <= 0)
                break;
            char buffer[256];
            const ssize_t n = ::read(m_master, buffer, sizeof buffer);
            if (n <= 0)
                break;
            data.append(buffer, n);
        }
        return data;
    }

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_path;
};
