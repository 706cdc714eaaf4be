#include "gridcells.h"

#include <QFocusEvent>
#include <QKeyEvent>

bool isMoveWithinWindow(Qt::FocusReason reason)
{
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
           reason != Qt::MenuBarFocusReason;
}

namespace {

bool isGridKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

} // namespace

GridEdit::GridEdit(int tag, QWidget *parent) : QLineEdit(parent), m_tag(tag) {}

void GridEdit::showText(const QString &text)
{
    setText(text);
    setModified(false);
    // Narrow cells show the start of their text.
    setCursorPosition(0);
}

void GridEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    if (isMoveWithinWindow(event->reason()))
        Q_EMIT entered(this);
}

void GridEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (isMoveWithinWindow(event->reason()))
        Q_EMIT left(this);
}

void GridEdit::keyPressEvent(QKeyEvent *event)
{
    // Enter and Esc belong to the grid; they must not reach the window,
    // where they would press its default button or close it.
    if (isGridKey(event->key())) {
        event->accept();
        Q_EMIT keyPressed(this, event->key());
        return;
    }
    QLineEdit::keyPressEvent(event);
}

GridCombo::GridCombo(int tag, QWidget *parent) : QComboBox(parent), m_tag(tag) {}

void GridCombo::focusInEvent(QFocusEvent *event)
{
    QComboBox::focusInEvent(event);
    if (isMoveWithinWindow(event->reason()))
        Q_EMIT entered(this);
}

void GridCombo::focusOutEvent(QFocusEvent *event)
{
    QComboBox::focusOutEvent(event);
    if (isMoveWithinWindow(event->reason()))
        Q_EMIT left(this);
}

void GridCombo::keyPressEvent(QKeyEvent *event)
{
    if (isGridKey(event->key())) {
        event->accept();
        Q_EMIT keyPressed(this, event->key());
        return;
    }
    QComboBox::keyPressEvent(event);
}
