#include "gui/app/mainwindowlayout.h"

#include <cmath>

int roundHalfToEven(double value)
{
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction > 0.5)
        return int(floor) + 1;
    if (fraction < 0.5)
        return int(floor);
    return std::fmod(floor, 2.0) == 0.0 ? int(floor) : int(floor) + 1;
}

MainWindowLayout MainWindowLayout::compute(const QSize &proposed, int clientHeight)
{
    MainWindowLayout layout;
    const int width = std::max(proposed.width(), MinimumWidth);
    const int height = std::max(proposed.height(), MinimumHeight);
    layout.size = QSize(width, height);

    const int left = roundHalfToEven((width - PictureWidth) / 2.0) - 4;
    const int top = roundHalfToEven((clientHeight - PictureHeight - StatusBarHeight) / 2.0);
    layout.picture = QPoint(left, top);

    layout.wyborKalTop = top + 306;
    layout.sterowanieKalTop = top + 338;
    layout.sprawdzanieMierTop = top + 370;
    layout.oprogramieTop = layout.sprawdzanieMierTop;
    layout.koniecTop = layout.sterowanieKalTop;
    layout.leftButtonsLeft = left + 15;
    layout.rightButtonsLeft = left + 520;
    return layout;
}
