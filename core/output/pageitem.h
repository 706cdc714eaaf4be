#pragma once

#include "core/output/textmeasurer.h"

#include <QRect>
#include <QString>

// One thing drawn on a printed page: a text, a frame or a line, placed in
// the page's design pixels (96 dpi, 794 x 1123 for A4, from its top-left
// corner, so 1 px is 0.75 pt). The report and the certificate are laid out
// as lists of them, and one painter draws both.
struct PageItem
{
    enum class Kind { Text, Frame, Line };
    Kind kind = Kind::Text;
    // A text without a width of its own gets the rest of the page's width
    // and one line.
    QRect box;
    QString text;
    PageFont font;
    bool centred = false;
    bool wrapped = false;
    // Drawn with a frame around its box.
    bool framed = false;
    // On a white background, hiding what is under it.
    bool opaque = false;
    bool red = false;

    // A text on one line from (x, y), as wide as it comes out.
    static PageItem label(int x, int y, const QString &text, const PageFont &font)
    {
        PageItem item;
        item.box = QRect(x, y, 0, 0);
        item.text = text;
        item.font = font;
        return item;
    }

    // A frame around the box, or a line along its top.
    static PageItem shape(Kind kind, const QRect &box)
    {
        PageItem item;
        item.kind = kind;
        item.box = box;
        return item;
    }
};
