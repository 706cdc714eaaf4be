#pragma once

#include "core/output/outputrange.h"

#include <QList>
#include <QString>

#include <optional>

class DocumentExtension;
class TDaneSprawdzania;

// The one-sheet workbook of a range: texts in cells, rows and columns from
// 1 (column A is 1). A number keeps the text it was written as and is also
// stored as a number, shown with the same decimals, so the spreadsheet
// computes with it whatever its locale. The number is the shortest decimal
// that stores as the record's value (1.99, not 1.989999999999782), not
// rounded to the decimals shown.
struct WorkbookContent
{
    struct Cell
    {
        int row = 0;
        int column = 0;
        QString text;
        std::optional<double> number;
        int decimals = 0;
    };

    QList<Cell> cells;

    // The cell at a row and column; null when nothing was written there.
    const Cell *cell(int row, int column) const;

    // The workbook of the range, with each measured point's expanded
    // uncertainty, accuracy ratio and decision under the document's rule in
    // columns H to J. A frequency range of a document whose Typ is neither
    // "Analogowy" nor "Cyfrowy" gives an empty sheet.
    static WorkbookContent fill(const TDaneSprawdzania &record, const DocumentExtension &extension,
                                const OutputRange &range);

    // Right-aligned to a width with leading blanks and '.' as the decimal
    // point: width 20 and 10 decimals make 1 "        1.0000000000".
    static QString formatted(long double value, int width, int decimals);
};
