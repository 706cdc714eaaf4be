#pragma once

#include "core/panel/panelstate.h"

#include <QColor>
#include <QImage>
#include <QWidget>

#include <array>

class QPainter;

// The panel's seven-segment artwork, drawn rather than shipped as bitmaps so
// it stays sharp at any screen scale. Segments sit on whole pixels, so at
// 100 % and 200 % their edges fall on pixel boundaries.
namespace Glyphs {

constexpr int DigitWidth = 27;
constexpr int DigitHeight = 50;
constexpr int PointSize = 7;

QColor background();
QColor litColour();
QColor darkColour();

void paintDigit(QPainter &painter, Glyph glyph);
void paintPoint(QPainter &painter, bool lit);

// One glyph rendered at a device pixel ratio, as a cell shows it.
QImage digitImage(Glyph glyph, qreal scale);
QImage pointImage(bool lit, qreal scale);

} // namespace Glyphs

// One digit cell of the display (Cyfra1..Cyfra8).
class DigitCell : public QWidget
{
    Q_OBJECT

public:
    explicit DigitCell(QWidget *parent = nullptr);

    void setGlyph(Glyph glyph);
    Glyph glyph() const { return m_glyph; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Glyph m_glyph = Glyph::Clear;
};

// One decimal point cell (Kropka1..Kropka8).
class PointCell : public QWidget
{
    Q_OBJECT

public:
    explicit PointCell(QWidget *parent = nullptr);

    void setLit(bool lit);
    bool isLit() const { return m_lit; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_lit = false;
};

// The eight digit cells of a display with their points, in one row from
// Cyfra8 on the left, named as the panel names them. Index 0 is Cyfra1 and
// Kropka1, the rightmost cell.
namespace DisplayRow {

constexpr int CellPitch = 40;
constexpr int Width = 8 * CellPitch;

using Digits = std::array<DigitCell *, 8>;
using Points = std::array<PointCell *, 8>;

// Creates the cells in parent, the leftmost digit's top left at topLeft.
void create(QWidget *parent, QPoint topLeft, Digits &digits, Points &points);
void show(const DisplayCells &cells, const Digits &digits, const Points &points);

} // namespace DisplayRow
