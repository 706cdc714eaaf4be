#include "tests/support/core/testservices.h"

QString Transcript::frameText(const QByteArray &frame)
{
    QString text;
    for (char byte : frame) {
        if (byte == '\x02')
            text += QLatin1Char('<');
        else if (byte == '\x03')
            text += QLatin1Char('>');
        else
            text += QLatin1Char(byte);
    }
    return text;
}

QStringList Transcript::frames() const
{
    QStringList result;
    for (const QString &line : m_lines) {
        if (line.startsWith(QLatin1Char('<')))
            result.append(line);
    }
    return result;
}

QList<int> Transcript::pauses() const
{
    QList<int> result;
    for (const QString &line : m_lines) {
        if (line.endsWith(QLatin1String("ms")))
            result.append(line.chopped(2).toInt());
    }
    return result;
}

bool RecordingLink::open()
{
    if (m_open)
        throw ECommsError(QStringLiteral("Already have a comm file open"));
    if (failOpen)
        throw ECommsError(QStringLiteral("Error opening com port"),
                          QStringLiteral("Nie ma urządzenia %1 (no such device).").arg(m_portName));
    m_open = true;
    m_transcript.add(QStringLiteral("open"));
    return true;
}

void RecordingLink::close()
{
    if (!m_open)
        return;
    m_open = false;
    m_transcript.add(QStringLiteral("close"));
}

void RecordingLink::send(const QByteArray &frame)
{
    if (!m_open)
        throw ECommsError(QStringLiteral("Błąd zapisu do portu komunikacyjnego."));
    if (framesBeforeWriteFailure == 0 && failingWrites != 0) {
        if (failingWrites > 0)
            --failingWrites;
        throw ECommsError(QStringLiteral("Błąd zapisu do portu komunikacyjnego."));
    }
    if (framesBeforeWriteFailure > 0)
        --framesBeforeWriteFailure;
    sent.append(frame);
    m_transcript.add(Transcript::frameText(frame));
}

void InstantClock::pause(int milliseconds)
{
    m_transcript.add(QStringLiteral("%1ms").arg(milliseconds));
}

PromptButton ScriptedPrompts::message(const PromptMessage &message)
{
    messages.append(message);
    if (!answers.empty()) {
        const PromptButton answer = answers.front();
        answers.pop_front();
        return answer;
    }
    for (PromptButton button :
         {PromptButton::Ok, PromptButton::Yes, PromptButton::No, PromptButton::Cancel,
          PromptButton::Abort, PromptButton::Retry, PromptButton::Ignore}) {
        if (message.buttons & button)
            return button;
    }
    return PromptButton::Ok;
}

int ScriptedPrompts::exec(QDialog *dialog)
{
    const QString name = dialogName ? dialogName(dialog) : QString();
    dialogsShown.append(name);
    for (auto it = dialogHandlers.begin(); it != dialogHandlers.end(); ++it) {
        if (it->first == name) {
            auto handler = std::move(it->second);
            dialogHandlers.erase(it);
            return handler(dialog);
        }
    }
    if (defaultDialogHandler)
        return defaultDialogHandler(dialog);
    return 0; // QDialog::Rejected
}

QString ScriptedPrompts::openFileName(const FileRequest &request)
{
    fileRequests.append(request);
    if (openNames.empty())
        return {};
    const QString name = openNames.front();
    openNames.pop_front();
    return name;
}

QString ScriptedPrompts::saveFileName(const FileRequest &request)
{
    fileRequests.append(request);
    if (saveNames.empty())
        return {};
    const QString name = saveNames.front();
    saveNames.pop_front();
    return name;
}

QStringList ScriptedPrompts::texts() const
{
    QStringList result;
    for (const PromptMessage &message : messages)
        result.append(message.text);
    return result;
}
