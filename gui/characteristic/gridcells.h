#pragma once

#include <QComboBox>
#include <QLineEdit>

// The cells of the verification grids. Each carries its tag and reports
// being entered and left, and Enter and Esc, to the page that owns it.
// Focus that moves because another window became active (a message box, a
// dialog, another program) is neither entering nor leaving a cell: the
// cell's handlers run only when the focus moves within the window.
class GridEdit : public QLineEdit
{
    Q_OBJECT

public:
    GridEdit(int tag, QWidget *parent);

    int tag() const { return m_tag; }
    // Text put there by the program; the cell then counts as unedited until
    // the user types.
    void showText(const QString &text);
    bool edited() const { return isModified(); }

Q_SIGNALS:
    void entered(GridEdit *cell);
    void left(GridEdit *cell);
    // Enter (either key) or Escape.
    void keyPressed(GridEdit *cell, int key);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    int m_tag;
};

class GridCombo : public QComboBox
{
    Q_OBJECT

public:
    GridCombo(int tag, QWidget *parent);

    int tag() const { return m_tag; }

Q_SIGNALS:
    void entered(GridCombo *cell);
    void left(GridCombo *cell);
    void keyPressed(GridCombo *cell, int key);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    int m_tag;
};

// Whether a focus change is a move within the window.
bool isMoveWithinWindow(Qt::FocusReason reason);
