#pragma once

#include "core/output/pageitem.h"

#include <QList>

class QPainter;
struct ReportContent;

// Draws the report's page onto a painter whose coordinates are the page's
// design pixels (ReportLayout): a printer, a PDF writer, the report form or
// an image, in the fonts of QtTextMeasurer; the tick is a check mark.
namespace ReportPainter {

void paint(QPainter &painter, const ReportContent &report);
// Any page laid out as items: the certificate's pages too.
void paintItems(QPainter &painter, const QList<PageItem> &items);

} // namespace ReportPainter
