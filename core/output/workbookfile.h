#pragma once

#include <QString>

struct WorkbookContent;

// Writes a workbook as an .xlsx file of one sheet: texts as text cells (so
// a meter number "0042" keeps its zeros), numbers as number cells with a
// number format of their decimals.
namespace WorkbookFile {

// Written as every output of the program is (OutputFile): whole, or not at
// all. Throws EInOutError.
void write(const WorkbookContent &content, const QString &fileName);

} // namespace WorkbookFile
