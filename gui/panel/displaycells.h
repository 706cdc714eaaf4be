#pragma once

#include "panelstate.h"

#include <QColor>
#include <QImage>
#include <QWidget>

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
