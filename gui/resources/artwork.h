#pragma once

#include <QPixmap>

// The program's own pictures, drawn rather than shipped.
namespace Artwork {

// The calibrator seen from the front, 632 x 433 at the given device pixel
// ratio: the picture of the main window.
QPixmap calibrator(qreal devicePixelRatio = 1.0);
// The same picture scaled for the About box.
QPixmap calibratorThumbnail(const QSize &size, qreal devicePixelRatio = 1.0);

} // namespace Artwork
