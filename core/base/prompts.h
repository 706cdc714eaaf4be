#pragma once

#include <QString>

class QDialog;

enum class PromptIcon { None, Information, Warning, Critical, Question };

// The buttons of a message box; a box shows the ones set in its mask and
// answers with one of them.
enum PromptButton : int {
    NoButton = 0x00,
    Ok = 0x01,
    Cancel = 0x02,
    Yes = 0x04,
    No = 0x08,
    Abort = 0x10,
    Retry = 0x20,
    Ignore = 0x40,
};
using PromptButtons = int;

struct PromptMessage
{
    QString text;
    QString caption;
    PromptIcon icon = PromptIcon::None;
    PromptButtons buttons = PromptButton::Ok;
    // Shown as the box's detailed text; empty for none.
    QString detail;
};

struct FileRequest
{
    QString caption;
    QString directory;
    QString filter;
    QString defaultSuffix;
    QString selectedFile;
};

// Every message box, modal dialog and file dialog of the program goes through
// one Prompts object, so that tests can answer them and see what was asked.
class Prompts
{
public:
    virtual ~Prompts() = default;

    virtual PromptButton message(const PromptMessage &message) = 0;
    // Runs a dialog modally and returns its result (QDialog::Accepted, Rejected
    // or a value the dialog passed to done()).
    virtual int exec(QDialog *dialog) = 0;
    // Empty when the user cancels.
    virtual QString openFileName(const FileRequest &request) = 0;
    virtual QString saveFileName(const FileRequest &request) = 0;

    // The caption of a plain box: the program's title.
    static QString plainCaption() { return QStringLiteral("Orvane 707"); }

    PromptButton show(const QString &text, const QString &caption,
                      PromptIcon icon = PromptIcon::None, PromptButtons buttons = PromptButton::Ok,
                      const QString &detail = {})
    {
        return message(PromptMessage{text, caption, icon, buttons, detail});
    }
};
