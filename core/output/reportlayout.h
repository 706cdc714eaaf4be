#pragma once

#include "core/output/pageitem.h"
#include "core/output/textmeasurer.h"

#include <QList>
#include <QRect>
#include <QString>

struct ReportContent;

// Where the report's texts, frames and lines go on its A4 page. Positions
// are pixels of a 96-dpi design surface of the whole page (794 x 1123),
// measured from the page's top-left corner, so 1 px is 0.75 pt.
namespace ReportLayout {

constexpr int PageWidth = 794;
constexpr int PageHeight = 1123;

using Face = PageFace;
using Font = PageFont;

// The smallest size a text of the meter and range boxes shrinks to before
// it is cut.
constexpr int SmallestBoxText = 9;

using Item = PageItem;

// The column of a table cell (1..7): its left edge and width.
QRect cellBox(int row, int column);

// Everything drawn on the page, in drawing order. The texts of the meter
// and range boxes are fitted inside their boxes with the measurer.
QList<Item> items(const ReportContent &report, const TextMeasurer &measurer);

// What column 7 shows for a ticked point.
QString checkMark();

} // namespace ReportLayout
