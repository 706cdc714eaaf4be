#include "gui/output/reportpainter.h"

#include "core/output/reportcontent.h"
#include "core/output/reportlayout.h"
#include "gui/output/qttextmeasurer.h"

#include <QFontMetricsF>
#include <QPainter>

namespace ReportPainter {

namespace {

// Leading blanks that do not fit on one line with the first word make a
// line of their own, as the headers were designed: "       j. m." puts its
// text on the second line of its narrow column.
QString wrapLeadingBlanks(const QString &text, const QFontMetricsF &metrics, qreal width)
{
    int blanks = 0;
    while (blanks < text.size() && text.at(blanks) == QLatin1Char(' '))
        ++blanks;
    if (blanks == 0)
        return text;
    int end = text.indexOf(QLatin1Char(' '), blanks);
    if (end < 0)
        end = text.size();
    if (metrics.horizontalAdvance(text.left(end)) <= width)
        return text;
    return QLatin1Char('\n') + text.mid(blanks);
}

void drawText(QPainter &painter, const PageItem &item)
{
    painter.setFont(QtTextMeasurer::font(item.font));
    const QFontMetricsF metrics(painter.font());
    QRectF box = item.box;
    QString text = item.text;
    int flags = 0;
    if (item.box.width() == 0) {
        // A label as wide as its text, on one line.
        box.setWidth(ReportLayout::PageWidth - box.left());
        box.setHeight(metrics.height());
        flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    } else {
        flags = item.centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop;
        if (item.wrapped) {
            flags |= Qt::TextWordWrap;
            text = wrapLeadingBlanks(text, metrics, box.width());
        }
    }
    if (item.opaque) {
        const QRectF under = painter.boundingRect(box, flags, text);
        painter.fillRect(under, Qt::white);
    }
    painter.setPen(item.red ? QColor(255, 0, 0) : QColor(Qt::black));
    painter.drawText(box, flags, text);
}

} // namespace

void paint(QPainter &painter, const ReportContent &report)
{
    paintItems(painter, ReportLayout::items(report, QtTextMeasurer()));
}

void paintItems(QPainter &painter, const QList<PageItem> &items)
{
    painter.save();
    QPen frame(Qt::black);
    frame.setWidthF(1);
    for (const PageItem &item : items) {
        painter.setPen(frame);
        painter.setBrush(Qt::NoBrush);
        switch (item.kind) {
        case PageItem::Kind::Frame:
            painter.drawRect(QRectF(item.box));
            break;
        case PageItem::Kind::Line:
            painter.drawLine(QPointF(item.box.left(), item.box.top()),
                             QPointF(item.box.left() + item.box.width(), item.box.top()));
            break;
        case PageItem::Kind::Text:
            if (item.framed)
                painter.drawRect(QRectF(item.box));
            drawText(painter, item);
            break;
        }
    }
    painter.restore();
}

} // namespace ReportPainter
