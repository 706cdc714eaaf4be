#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;
class SimulatedCalibrator;

// The simulated calibrator's end of a pseudo-terminal pair. The program
// opens the other end, path(), as it would a serial port; what it writes is
// read here as it arrives and fed to the calibrator.
//
// The simulator holds the program's end open too, so the line stays up while
// the program closes and opens its link again.
class SimulatorTerminal : public QObject
{
    Q_OBJECT

public:
    // Throws EInOutError when the system gives no pseudo-terminal.
    explicit SimulatorTerminal(SimulatedCalibrator &calibrator, QObject *parent = nullptr);
    // Removes the symbolic link, if it still leads here.
    ~SimulatorTerminal() override;

    // The device the program writes to: "/dev/pts/N".
    QString path() const { return m_path; }

    // Makes linkPath a symbolic link to path(). A symbolic link already there
    // (left by a simulator that was killed) is replaced; any other file is
    // left alone and EInOutError is thrown.
    void makeLink(const QString &linkPath);
    QString linkPath() const { return m_linkPath; }

    // Feeds the calibrator whatever has arrived; returns the bytes read.
    qint64 readAvailable();
    // Reads until `total` bytes have been read in all; false when they do
    // not come within the time-out. The line passes bytes on asynchronously,
    // so a reader that must see all that was written waits for them here.
    bool waitForBytes(qint64 total, int timeoutMs);
    // Reads until the line has been quiet for quietMs: the bytes a program
    // wrote just before the simulator was told to stop are still taken.
    void drain(int quietMs);

private:
    SimulatedCalibrator &m_calibrator;
    int m_master = -1;
    int m_slave = -1;
    QString m_path;
    QString m_linkPath;
    QSocketNotifier *m_notifier = nullptr;
    qint64 m_bytesRead = 0;
};
