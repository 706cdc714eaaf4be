#pragma once

#include "core/base/clock.h"
#include "core/base/errors.h"
#include "core/base/prompts.h"
#include "core/calibrator/services.h"
#include "core/link/link.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <deque>
#include <functional>

// What went to the calibrator, in order: frames, pauses, opens and closes.
// lines() writes each as text so a test can compare a whole sequence:
// "<Z2F0N1.50000>" is a frame (STX and ETX shown as < and >), "100ms" a
// pause, "open" and "close" the link.
class Transcript
{
public:
    void add(const QString &line) { m_lines.append(line); }
    QStringList lines() const { return m_lines; }
    QStringList frames() const;
    QList<int> pauses() const;
    void clear() { m_lines.clear(); }

    static QString frameText(const QByteArray &frame);

private:
    QStringList m_lines;
};

class RecordingLink : public Link
{
public:
    explicit RecordingLink(Transcript &transcript) : m_transcript(transcript) {}

    void setPortName(const QString &portName) override { m_portName = portName; }
    QString portName() const override { return m_portName; }
    bool open() override;
    void close() override;
    bool isOpen() const override { return m_open; }
    void send(const QByteArray &frame) override;

    // Makes the next opens fail as a missing port does.
    bool failOpen = false;
    // After this many more frames, every send fails as an unplugged adapter
    // does; negative for never.
    int framesBeforeWriteFailure = -1;
    // How many sends fail from then on before the line works again, as after
    // a glitch; negative for every one.
    int failingWrites = -1;
    QList<QByteArray> sent;

private:
    Transcript &m_transcript;
    QString m_portName;
    bool m_open = false;
};

class InstantClock : public Clock
{
public:
    explicit InstantClock(Transcript &transcript) : m_transcript(transcript) {}
    void pause(int milliseconds) override;
    // A fixed day, whatever the machine's calendar says.
    QDate today() const override { return day; }

    QDate day{2025, 3, 14};

private:
    Transcript &m_transcript;
};

// Answers every box, dialog and file dialog from a script and remembers what
// was asked. A box with no scripted answer gets its first button in the order
// Ok, Yes, No, Cancel, ...; a dialog with no handler is rejected; a file
// dialog with no scripted name is cancelled.
//
// Dialogs are told apart by dialogName, which the window tests set to the
// dialogs' object names (testmain.h); the logic tests run no dialogs.
class ScriptedPrompts : public Prompts
{
public:
    static inline QString (*dialogName)(QDialog *dialog) = nullptr;

    PromptButton message(const PromptMessage &message) override;
    int exec(QDialog *dialog) override;
    QString openFileName(const FileRequest &request) override;
    QString saveFileName(const FileRequest &request) override;

    QList<PromptMessage> messages;
    QStringList dialogsShown; // object names, in order
    QList<FileRequest> fileRequests;

    std::deque<PromptButton> answers;
    // Keyed by the dialog's object name, used once each, in order.
    std::deque<std::pair<QString, std::function<int(QDialog *)>>> dialogHandlers;
    // Used when no keyed handler matches.
    std::function<int(QDialog *)> defaultDialogHandler;
    std::deque<QString> openNames;
    std::deque<QString> saveNames;

    QStringList texts() const;
};

// The four seams wired for a test.
struct TestServices
{
    Transcript transcript;
    RecordingLink link{transcript};
    InstantClock clock{transcript};
    ScriptedPrompts prompts;
    Services services{link, clock, prompts, {}};
};
