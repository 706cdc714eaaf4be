#include "core/output/textmeasurer.h"

#include <algorithm>

FittedText FittedText::fit(const TextMeasurer &measurer, const QString &text, const PageFont &font,
                           double room, int smallestPixelSize)
{
    FittedText fitted{text, font};
    const int smallest = std::min(font.pixelSize, smallestPixelSize);
    for (int size = font.pixelSize; size >= smallest; --size) {
        fitted.font.pixelSize = size;
        if (measurer.width(text, fitted.font) <= room)
            return fitted;
    }
    // The longest beginning that fits with the ellipsis after it. A blank
    // before the ellipsis is dropped, so that it follows the last letter.
    const QString ellipsis = QStringLiteral("…");
    qsizetype fits = 0;
    qsizetype tooLong = text.size();
    while (tooLong - fits > 1) {
        const qsizetype middle = (fits + tooLong) / 2;
        if (measurer.width(text.left(middle) + ellipsis, fitted.font) <= room)
            fits = middle;
        else
            tooLong = middle;
    }
    while (fits > 0 && text.at(fits - 1).isSpace())
        --fits;
    fitted.text = text.left(fits) + ellipsis;
    return fitted;
}
