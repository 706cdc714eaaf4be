#pragma once

#include "core/output/spreadsheetexport.h"

// Opens a file with the desktop's application for its kind.
class DesktopFileOpener : public FileOpener
{
public:
    bool open(const QString &fileName) override;
};
