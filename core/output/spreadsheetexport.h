#pragma once

#include "core/output/outputrange.h"

#include <QString>

class DocumentExtension;
class Prompts;
class TDaneSprawdzania;

// Opens a file in the application the desktop has for its kind. The desktop
// stands behind it in the program; tests put a recorder in its place.
class FileOpener
{
public:
    virtual ~FileOpener() = default;
    // False when nothing took the file.
    virtual bool open(const QString &fileName) = 0;
};

// "Excel" -> "Wyślij": the results of a range as a new workbook, opened in
// the desktop's spreadsheet application.
namespace SpreadsheetExport {

// Where the workbooks go: a folder of the program under the user's cache
// directory ($XDG_CACHE_HOME, normally ~/.cache).
QString directory();

// The workbook's name, after the meter and the range ("LM-3 zakres 2
// 10V.xlsx"), with what a file name cannot hold replaced. A name already
// taken gets a number, so an earlier workbook, perhaps edited and saved by
// the operator, is never written over.
QString fileName(const TDaneSprawdzania &record, const OutputRange &range,
                 const QString &directory);

// Writes the workbook into the directory and opens it. A refused range and
// a file nothing opens are reported through the prompts; a file that cannot
// be written throws EInOutError. Returns the file written, or empty.
QString send(const TDaneSprawdzania &record, const DocumentExtension &extension,
             const OutputRange &range, const QString &directory, FileOpener &opener,
             Prompts &prompts);

} // namespace SpreadsheetExport
