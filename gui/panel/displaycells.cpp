#include "gui/panel/displaycells.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

// Segments a (top) to g (middle), clockwise from the top as on any
// seven-segment display.
enum Segment { A = 1, B = 2, C = 4, D = 8, E = 16, F = 32, G = 64 };

constexpr int digitSegments[10] = {
    A | B | C | D | E | F,     // 0
    B | C,                     // 1
    A | B | D | E | G,         // 2
    A | B | C | D | G,         // 3
    B | C | F | G,             // 4
    A | C | D | F | G,         // 5
    A | C | D | E | F | G,     // 6
    A | B | C,                 // 7
    A | B | C | D | E | F | G, // 8
    A | B | C | D | F | G,     // 9
};

// Geometry of a 27 x 50 cell: a 4-pixel stroke on a 3-pixel margin.
constexpr qreal Thickness = 4;
constexpr qreal Left = 4;
constexpr qreal Right = 23;
constexpr qreal Top = 4;
constexpr qreal Middle = 25;
constexpr qreal Bottom = 46;
constexpr qreal Gap = 1;

QPolygonF horizontal(qreal y)
{
    const qreal h = Thickness / 2;
    const qreal x1 = Left + Gap;
    const qreal x2 = Right - Gap;
    return QPolygonF(
        {{x1, y}, {x1 + h, y - h}, {x2 - h, y - h}, {x2, y}, {x2 - h, y + h}, {x1 + h, y + h}});
}

QPolygonF vertical(qreal x, qreal y1, qreal y2)
{
    const qreal h = Thickness / 2;
    y1 += Gap;
    y2 -= Gap;
    return QPolygonF(
        {{x, y1}, {x + h, y1 + h}, {x + h, y2 - h}, {x, y2}, {x - h, y2 - h}, {x - h, y1 + h}});
}

QPolygonF segment(Segment which)
{
    switch (which) {
    case A:
        return horizontal(Top);
    case B:
        return vertical(Right, Top, Middle);
    case C:
        return vertical(Right, Middle, Bottom);
    case D:
        return horizontal(Bottom);
    case E:
        return vertical(Left, Middle, Bottom);
    case F:
        return vertical(Left, Top, Middle);
    case G:
        return horizontal(Middle);
    }
    return {};
}

int segmentsOf(Glyph glyph)
{
    switch (glyph) {
    case Glyph::Clear:
    case Glyph::Delta:
        return 0;
    case Glyph::H:
        return B | C | E | F | G;
    default:
        return digitSegments[static_cast<int>(glyph)];
    }
}

} // namespace

namespace Glyphs {

QColor background()
{
    return QColor(0x14, 0x05, 0x05);
}

QColor litColour()
{
    return QColor(0xff, 0x30, 0x20);
}

QColor darkColour()
{
    return QColor(0x3c, 0x10, 0x0c);
}

void paintDigit(QPainter &painter, Glyph glyph)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillRect(QRectF(0, 0, DigitWidth, DigitHeight), background());
    painter.setPen(Qt::NoPen);
    const int lit = segmentsOf(glyph);
    for (Segment s : {A, B, C, D, E, F, G}) {
        painter.setBrush((lit & s) ? litColour() : darkColour());
        painter.drawPolygon(segment(s));
    }
    if (glyph == Glyph::Delta) {
        // The Greek capital delta, in the lit colour over the dark segments.
        QPainterPath triangle;
        triangle.moveTo(DigitWidth / 2.0, Top + 6);
        triangle.lineTo(Right, Bottom - 2);
        triangle.lineTo(Left, Bottom - 2);
        triangle.closeSubpath();
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(litColour(), Thickness, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.drawPath(triangle);
    }
    painter.restore();
}

void paintPoint(QPainter &painter, bool lit)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillRect(QRectF(0, 0, PointSize, PointSize), background());
    painter.setPen(Qt::NoPen);
    painter.setBrush(lit ? litColour() : darkColour());
    painter.drawRect(QRectF(1, 1, 4, 4));
    painter.restore();
}

QImage digitImage(Glyph glyph, qreal scale)
{
    QImage image(QSize(qRound(DigitWidth * scale), qRound(DigitHeight * scale)),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    QPainter painter(&image);
    paintDigit(painter, glyph);
    return image;
}

QImage pointImage(bool lit, qreal scale)
{
    QImage image(QSize(qRound(PointSize * scale), qRound(PointSize * scale)), QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    QPainter painter(&image);
    paintPoint(painter, lit);
    return image;
}

} // namespace Glyphs

DigitCell::DigitCell(QWidget *parent) : QWidget(parent)
{
    setFixedSize(Glyphs::DigitWidth, Glyphs::DigitHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DigitCell::setGlyph(Glyph glyph)
{
    if (m_glyph == glyph)
        return;
    m_glyph = glyph;
    setAccessibleName(glyphName(glyph));
    update();
}

void DigitCell::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    Glyphs::paintDigit(painter, m_glyph);
}

PointCell::PointCell(QWidget *parent) : QWidget(parent)
{
    setFixedSize(Glyphs::PointSize, Glyphs::PointSize);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PointCell::setLit(bool lit)
{
    if (m_lit == lit)
        return;
    m_lit = lit;
    setAccessibleName(lit ? QStringLiteral("KR1") : QStringLiteral("KR0"));
    update();
}

void PointCell::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    Glyphs::paintPoint(painter, m_lit);
}

namespace DisplayRow {

void create(QWidget *parent, QPoint topLeft, Digits &digits, Points &points)
{
    for (int n = 8; n >= 1; --n) {
        const int x = topLeft.x() + (8 - n) * CellPitch;
        auto *digit = new DigitCell(parent);
        digit->setObjectName(QStringLiteral("Cyfra%1").arg(n));
        digit->move(x, topLeft.y());
        auto *point = new PointCell(parent);
        point->setObjectName(QStringLiteral("Kropka%1").arg(n));
        point->move(x + Glyphs::DigitWidth + 1,
                    topLeft.y() + Glyphs::DigitHeight - Glyphs::PointSize);
        digits[n - 1] = digit;
        points[n - 1] = point;
    }
}

void show(const DisplayCells &cells, const Digits &digits, const Points &points)
{
    for (int i = 0; i < 8; ++i) {
        digits[i]->setGlyph(cells.digits[i]);
        points[i]->setLit(cells.points[i]);
    }
}

} // namespace DisplayRow
