#pragma once

#include <QString>

// The faces a printed page uses; the windows choose the families that stand
// for them.
enum class PageFace { Sans, Mono, Symbol };

// A font of a printed page, its size in the page's design pixels.
struct PageFont
{
    PageFace face = PageFace::Sans;
    int pixelSize = 13;
    bool bold = false;
    bool italic = false;
};

// How wide a text comes out on a page. The page's layout decides with it
// what fits where; only the windows know the fonts, so they measure.
class TextMeasurer
{
public:
    virtual ~TextMeasurer() = default;

    // The advance of the text on one line, in the page's design pixels.
    virtual double width(const QString &text, const PageFont &font) const = 0;
};

// A text made to fit a width: its font one pixel smaller at a time down to
// the smallest size, then cut and ended with "…".
struct FittedText
{
    QString text;
    PageFont font;

    static FittedText fit(const TextMeasurer &measurer, const QString &text, const PageFont &font,
                          double room, int smallestPixelSize);
};
