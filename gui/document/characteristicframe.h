#pragma once

#include <QObject>

class QGroupBox;
class QLabel;
class QStackedWidget;
class QWidget;

// What the verification window lends the characteristics built into it
// (their table pages, tab bars and chart pages, and the menus that print
// or measure them): the window itself, the notebook their pages go into,
// the panel under it for the tab bars, and the "Zakres" group box that
// describes the current range. They use nothing else of the window.
class CharacteristicFrame : public QObject
{
    Q_OBJECT

public:
    // The "Zakres" group box and its lines: the range, the line under it
    // (frequency, amplitude or indication), and the two parts of the class.
    struct RangeBox
    {
        QGroupBox *box = nullptr;
        QLabel *zakres = nullptr;
        QLabel *czestNastWska = nullptr;
        QLabel *kmm = nullptr;
        QLabel *kmz = nullptr;
    };

    // The notebook holds its placeholder pages already.
    CharacteristicFrame(QWidget &window, QStackedWidget &notebook, QWidget &tabPanel,
                        const RangeBox &rangeBox);

    // The verification window: the parent of the dialogs the parts own, and
    // the window whose height the tables follow.
    QWidget &window() const { return m_window; }
    QStackedWidget &notebook() const { return m_notebook; }
    // Puts a page at its index of the notebook, in place of the one there.
    void setPage(int index, QWidget *page);
    QWidget &tabPanel() const { return m_tabPanel; }
    const RangeBox &rangeBox() const { return m_rangeBox; }

    // The window has laid its parts out for a new size: tells resized().
    void windowResized() { Q_EMIT resized(); }

Q_SIGNALS:
    // The window's size changed; the tables lay out their scroll bars, the
    // tab bars their tabs.
    void resized();

private:
    QWidget &m_window;
    QStackedWidget &m_notebook;
    QWidget &m_tabPanel;
    RangeBox m_rangeBox;
};
