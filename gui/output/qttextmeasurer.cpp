#include "gui/output/qttextmeasurer.h"

#include <QFontMetricsF>
#include <QStringList>

double QtTextMeasurer::width(const QString &text, const PageFont &font) const
{
    return QFontMetricsF(QtTextMeasurer::font(font)).horizontalAdvance(text);
}

QFont QtTextMeasurer::font(const PageFont &font)
{
    QFont result;
    switch (font.face) {
    case PageFace::Sans:
        result.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
        result.setStyleHint(QFont::SansSerif);
        break;
    case PageFace::Mono:
        result.setFamilies({QStringLiteral("Liberation Mono"), QStringLiteral("Courier New")});
        result.setStyleHint(QFont::TypeWriter);
        break;
    case PageFace::Symbol:
        result.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
        result.setStyleHint(QFont::SansSerif);
        break;
    }
    result.setPixelSize(font.pixelSize);
    result.setBold(font.bold);
    result.setItalic(font.italic);
    // The page is drawn scaled; hinting for the design's pixels would move
    // the glyphs on a printer's.
    result.setHintingPreference(QFont::PreferNoHinting);
    return result;
}
