#pragma once

#include "core/characteristic/viewswitch.h"

#include <QColor>
#include <QObject>
#include <QTabBar>

class CharacteristicFrame;
class CharacteristicPage;
struct Services;

// A tab bar painted in the verification window's own colours: its
// background, the selected tab's fill, and the text of each tab, which may
// be drawn lower in the bar to leave room above it.
class TabSet : public QTabBar
{
    Q_OBJECT

public:
    explicit TabSet(QWidget *parent = nullptr);

    struct Colours
    {
        QColor background;
        QColor selected;
        QColor unselected;
        QColor selectedText;
        QColor text;
    };
    void setColours(const Colours &colours);
    const Colours &colours() const { return m_colours; }
    // Every tab takes an equal share of the bar.
    void setEvenTabs(bool even) { m_even = even; }
    // Captions stand at this height from the top; 0 centres them.
    void setCaptionTop(int top) { m_captionTop = top; }

protected:
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override;
    void paintEvent(QPaintEvent *event) override;

private:
    Colours m_colours;
    bool m_even = false;
    int m_captionTop = 0;
};

// The three tab bars under the verification window's notebook:
// TabSet_Ampli_Czest chooses the characteristic, TabSet_Amplitudowe and
// TabSet_Czestotliwosciowe its table, charts or uncertainties. They show the state of one
// ViewSwitch and pass the user's choices to it; the notebook follows its
// page, and the page of the characteristic brought into view lays its bars
// out again.
class CharacteristicTabs : public QObject
{
    Q_OBJECT

public:
    CharacteristicTabs(Services &services, DocumentSession &session, CharacteristicFrame &frame,
                       CharacteristicPage &amplitude, CharacteristicPage &frequency);

    ViewSwitch &viewSwitch() { return m_switch; }

    TabSet *TabSet_Ampli_Czest = nullptr;
    TabSet *TabSet_Amplitudowe = nullptr;
    TabSet *TabSet_Czestotliwosciowe = nullptr;

    // The captions of TabSet_Ampli_Czest.
    static const QString amplitudeCaption;
    static const QString frequencyCaption;

private:
    void layout();
    void refresh();
    void tabChosen(Characteristic characteristic, int tab);

    CharacteristicFrame &m_frame;
    CharacteristicPage &m_amplitude;
    CharacteristicPage &m_frequency;
    ViewSwitch m_switch;
};
