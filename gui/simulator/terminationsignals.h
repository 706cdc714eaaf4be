#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM and SIGINT end the simulator as closing its window does: the
// signal handler only writes a byte to a pipe, and the event loop, woken by
// it, emits received() where anything may be done.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

Q_SIGNALS:
    void received();

private:
    QSocketNotifier *m_notifier = nullptr;
};
