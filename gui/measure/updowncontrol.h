#pragma once

#include <QWidget>

class QToolButton;

// A vertical pair of arrow buttons with a position, stepped one at a time and
// held between its bounds (no wrap). Up and Down keys step it while it has the
// focus; Left and Right ask for the next more or less significant digit.
class UpDownControl : public QWidget
{
    Q_OBJECT

public:
    explicit UpDownControl(QWidget *parent = nullptr);

    void setRange(int minimum, int maximum);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    // Held within the range; emits nothing.
    void setPosition(int position);
    int position() const { return m_position; }

    // One click on an arrow: moves the position unless it is at that bound,
    // then emits clicked either way.
    void stepUp();
    void stepDown();

signals:
    void clicked(int position);
    // +1 for the next digit to the left, -1 for the next to the right.
    void digitMoveRequested(int direction);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QToolButton *m_up = nullptr;
    QToolButton *m_down = nullptr;
    int m_minimum = 0;
    int m_maximum = 100;
    int m_position = 0;
};
