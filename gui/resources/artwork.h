#pragma once

#include <QIcon>
#include <QPixmap>

class QPainter;

// The program's own pictures, drawn rather than shipped.
namespace Artwork {

// The calibrator seen from the front, 632 x 433 at the given device pixel
// ratio: the picture of the main window.
QPixmap calibrator(qreal devicePixelRatio = 1.0);
// The same picture scaled for the About box.
QPixmap calibratorThumbnail(const QSize &size, qreal devicePixelRatio = 1.0);

// The program's icon, the calibrator's front drawn into a square of the given
// side from the painter's origin: the window icon, and the scalable icon the
// desktop's menus show.
constexpr int IconUnits = 256;
void paintIcon(QPainter &painter, qreal side = IconUnits);
QIcon icon();

} // namespace Artwork
