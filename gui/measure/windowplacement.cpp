#include "gui/measure/windowplacement.h"

#include "core/measure/dialogplacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

QRect availableScreen(QWidget *widget)
{
    QScreen *screen = widget->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

} // namespace

void placeMeasurementDialog(QWidget *dialog, QWidget *verificationWindow, bool placed)
{
    if (!verificationWindow) {
        if (!placed)
            centreOnDesktop(dialog);
        return;
    }
    const DialogPlacement placement =
        DialogPlacement::compute(availableScreen(verificationWindow),
                                 verificationWindow->frameGeometry(), dialog->size(), placed);
    if (placement.windowPosition)
        verificationWindow->move(*placement.windowPosition);
    if (placement.dialogPosition)
        dialog->move(*placement.dialogPosition);
}

void centreOnDesktop(QWidget *window)
{
    if (!window)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(availableScreen(window).center());
    window->move(frame.topLeft());
}
