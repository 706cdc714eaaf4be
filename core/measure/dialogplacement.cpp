#include "core/measure/dialogplacement.h"

// The screen, then the window on it; the one caller takes both from that window.
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters)
DialogPlacement DialogPlacement::compute(const QRect &screen, const QRect &windowFrame,
                                         const QSize &dialogSize, bool placed)
{
    constexpr int wideScreen = 1024;
    DialogPlacement placement;
    const bool wide = screen.width() >= wideScreen;
    QRect window = windowFrame;
    if (wide) {
        window.moveLeft(2);
        placement.windowPosition = window.topLeft();
    }
    if (!placed) {
        if (wide) {
            placement.dialogPosition = QPoint(window.left() + window.width(), window.top());
        } else {
            QRect dialog(QPoint(), dialogSize);
            dialog.moveCenter(screen.center());
            placement.dialogPosition = dialog.topLeft();
        }
    }
    return placement;
}
