#pragma once

#include "core/output/textmeasurer.h"

#include <QFont>

// Measures a page's texts in the fonts the page is painted with: Liberation
// Sans and Liberation Mono stand for the design's Arial and Courier New, and
// the symbol face is one that has the check mark.
class QtTextMeasurer : public TextMeasurer
{
public:
    double width(const QString &text, const PageFont &font) const override;

    // The font a page font is painted in.
    static QFont font(const PageFont &font);
};
