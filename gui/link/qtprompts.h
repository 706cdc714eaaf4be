#pragma once

#include "core/base/prompts.h"

// The program's Prompts: QMessageBox, QDialog::exec and QFileDialog.
class QtPrompts : public Prompts
{
public:
    PromptButton message(const PromptMessage &message) override;
    int exec(QDialog *dialog) override;
    QString openFileName(const FileRequest &request) override;
    QString saveFileName(const FileRequest &request) override;
};
