#pragma once

class QPainter;
struct ReportContent;

// Draws the report's page onto a painter whose coordinates are the page's
// design pixels (ReportLayout): a printer, a PDF writer, the report form or
// an image. Liberation Sans and Liberation Mono stand for the design's
// Arial and Courier New; the tick is a check mark.
namespace ReportPainter {

void paint(QPainter &painter, const ReportContent &report);

} // namespace ReportPainter
