#include "gui/link/qtprompts.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon toIcon(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::Information:
        return QMessageBox::Information;
    case PromptIcon::Warning:
        return QMessageBox::Warning;
    case PromptIcon::Critical:
        return QMessageBox::Critical;
    case PromptIcon::Question:
        return QMessageBox::Question;
    case PromptIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

struct ButtonMap
{
    PromptButton prompt;
    QMessageBox::StandardButton qt;
    const char *text;
};

// Polish captions, whatever translations the machine has installed.
constexpr ButtonMap buttonMap[] = {
    {PromptButton::Ok, QMessageBox::Ok, "OK"},
    {PromptButton::Cancel, QMessageBox::Cancel, "Anuluj"},
    {PromptButton::Yes, QMessageBox::Yes, "&Tak"},
    {PromptButton::No, QMessageBox::No, "&Nie"},
    {PromptButton::Abort, QMessageBox::Abort, "&Przerwij"},
    {PromptButton::Retry, QMessageBox::Retry, "&Ponów"},
    {PromptButton::Ignore, QMessageBox::Ignore, "&Ignoruj"},
};

QWidget *dialogParent()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

} // namespace

PromptButton QtPrompts::message(const PromptMessage &message)
{
    QMessageBox box(toIcon(message.icon), message.caption, message.text, QMessageBox::NoButton,
                    dialogParent());
    for (const ButtonMap &entry : buttonMap) {
        if (message.buttons & entry.prompt)
            box.addButton(entry.qt)->setText(QString::fromUtf8(entry.text));
    }
    if (!message.detail.isEmpty())
        box.setDetailedText(message.detail);
    const int answer = box.exec();
    for (const ButtonMap &entry : buttonMap) {
        if (answer == entry.qt)
            return entry.prompt;
    }
    // Closed with the window button or Esc: the box's escape button, or the
    // most cautious one it has.
    if (message.buttons & PromptButton::Cancel)
        return PromptButton::Cancel;
    if (message.buttons & PromptButton::No)
        return PromptButton::No;
    return PromptButton::Ok;
}

int QtPrompts::exec(QDialog *dialog)
{
    return dialog->exec();
}

namespace {

QString runFileDialog(const FileRequest &request, QFileDialog::AcceptMode mode)
{
    // Not the working directory, which is wherever the program was started.
    const QString directory = request.directory.isEmpty() ? QDir::homePath() : request.directory;
    QFileDialog dialog(dialogParent(), request.caption, directory, request.filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    if (!request.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.selectedFile.isEmpty())
        dialog.selectFile(request.selectedFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString QtPrompts::openFileName(const FileRequest &request)
{
    return runFileDialog(request, QFileDialog::AcceptOpen);
}

QString QtPrompts::saveFileName(const FileRequest &request)
{
    return runFileDialog(request, QFileDialog::AcceptSave);
}
