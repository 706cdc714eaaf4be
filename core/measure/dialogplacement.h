#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

// Where a measurement dialog and the verification window go when the dialog
// appears. On a screen at least 1024 pixels wide the window moves to the left
// edge and the dialog, the first time it is shown, opens against the window's
// right edge; on a narrower screen the dialog is centred the first time. Once
// placed, the dialog stays where the operator leaves it.
struct DialogPlacement
{
    std::optional<QPoint> windowPosition;
    std::optional<QPoint> dialogPosition;

    static DialogPlacement compute(const QRect &screen, const QRect &windowFrame,
                                   const QSize &dialogSize, bool placed);
};
