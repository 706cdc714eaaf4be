#include "gui/characteristic/characteristictabs.h"

#include "core/calibrator/services.h"
#include "gui/characteristic/characteristicpage.h"
#include "gui/document/characteristicframe.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QSignalBlocker>
#include <QStackedWidget>

namespace {

const QColor Teal(0, 128, 128);
const QColor DarkTeal(0, 64, 64);
const QColor Silver(192, 192, 192);
const QColor Grey(128, 128, 128);

constexpr int TabPadding = 8;
// The characteristic's own bar sits in the upper part of its half of
// TabSet_Ampli_Czest, whose caption stands below it.
constexpr int InnerBarHeight = 18;
constexpr int InnerBarInset = 4;
constexpr int CaptionTop = 21;

TabSet::Colours innerColours(ViewSwitch::Tone tone, const QPalette &palette)
{
    if (tone == ViewSwitch::Tone::Active)
        return {Teal, Qt::white, palette.color(QPalette::Button), Qt::black, Qt::black};
    return {Silver, Silver, Silver, Grey, Grey};
}

} // namespace

TabSet::TabSet(QWidget *parent) : QTabBar(parent)
{
    setDrawBase(false);
    setExpanding(false);
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideNone);
    setFocusPolicy(Qt::TabFocus);
}

void TabSet::setColours(const Colours &colours)
{
    m_colours = colours;
    update();
}

QSize TabSet::tabSizeHint(int index) const
{
    if (m_even && count() > 0)
        return {width() / count(), height()};
    auto natural = [this](int tab) {
        return fontMetrics().horizontalAdvance(tabText(tab)) + 2 * TabPadding;
    };
    // Captions wider together than the bar share it in proportion, and are
    // drawn smaller to fit.
    int total = 0;
    for (int tab = 0; tab < count(); ++tab)
        total += natural(tab);
    if (width() > 0 && total > width())
        return {natural(index) * width() / total, height()};
    return {natural(index), height()};
}

QSize TabSet::minimumTabSizeHint(int index) const
{
    return tabSizeHint(index);
}

void TabSet::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_colours.background);
    for (int index = 0; index < count(); ++index) {
        const QRect tab = tabRect(index);
        const bool selected = index == currentIndex();
        painter.fillRect(tab, selected ? m_colours.selected : m_colours.unselected);
        painter.setPen(m_colours.background.darker(150));
        painter.drawRect(tab.adjusted(0, 0, -1, -1));
        painter.setPen(selected ? m_colours.selectedText : m_colours.text);
        const QRect text = m_captionTop > 0 ? tab.adjusted(0, m_captionTop, 0, 0) : tab;
        const int room = tab.width() - TabPadding;
        const int needed = fontMetrics().horizontalAdvance(tabText(index));
        QFont captionFont = font();
        if (needed > room && room > 0) {
            const qreal scale = qreal(room) / needed;
            if (captionFont.pointSizeF() > 0)
                captionFont.setPointSizeF(captionFont.pointSizeF() * scale);
            else
                captionFont.setPixelSize(std::max(1, int(captionFont.pixelSize() * scale)));
        }
        painter.setFont(captionFont);
        painter.drawText(text,
                         Qt::AlignHCenter | (m_captionTop > 0 ? Qt::AlignTop : Qt::AlignVCenter),
                         tabText(index));
        if (selected && hasFocus()) {
            // The keyboard's place, dotted in the caption's own colour.
            const QRect caption =
                painter.boundingRect(text, Qt::AlignHCenter | Qt::AlignTop, tabText(index));
            painter.setPen(QPen(m_colours.selectedText, 1, Qt::DotLine));
            painter.drawRect(m_captionTop > 0 ? caption.adjusted(-3, 0, 2, -1)
                                              : tab.adjusted(2, 2, -3, -3));
        }
    }
}

const QString CharacteristicTabs::amplitudeCaption = QStringLiteral("Charakterystyka amplitudowa");
const QString CharacteristicTabs::frequencyCaption =
    QStringLiteral("Charakterystyka częstotliwościowa");

CharacteristicTabs::CharacteristicTabs(Services &services, DocumentSession &session,
                                       CharacteristicFrame &frame, CharacteristicPage &amplitude,
                                       CharacteristicPage &frequency)
    : QObject(&frame.window()), m_frame(frame), m_amplitude(amplitude), m_frequency(frequency),
      m_switch(session, services.prompts)
{
    QWidget *panel = &frame.tabPanel();
    TabSet_Ampli_Czest = new TabSet(panel);
    TabSet_Ampli_Czest->setObjectName(QStringLiteral("TabSet_Ampli_Czest"));
    TabSet_Ampli_Czest->setEvenTabs(true);
    TabSet_Ampli_Czest->setCaptionTop(CaptionTop);
    TabSet_Ampli_Czest->addTab(amplitudeCaption);
    TabSet_Ampli_Czest->addTab(frequencyCaption);
    // White for the characteristic shown, grey for the other.
    TabSet_Ampli_Czest->setColours({DarkTeal, Teal, DarkTeal, Qt::white, Grey});

    const QStringList pages = {QStringLiteral("Tabela"), QStringLiteral("Wykres punktów"),
                               QStringLiteral("Wykres błędów"), QStringLiteral("Niepewność")};
    // The characteristics' own bars lie over TabSet_Ampli_Czest: a click on
    // the bar of the characteristic not shown, which is disabled, goes on
    // to it and shows that characteristic.
    TabSet_Amplitudowe = new TabSet(TabSet_Ampli_Czest);
    TabSet_Amplitudowe->setObjectName(QStringLiteral("TabSet_Amplitudowe"));
    TabSet_Czestotliwosciowe = new TabSet(TabSet_Ampli_Czest);
    TabSet_Czestotliwosciowe->setObjectName(QStringLiteral("TabSet_Czestotliwosciowe"));
    for (TabSet *bar : {TabSet_Amplitudowe, TabSet_Czestotliwosciowe}) {
        for (const QString &page : pages)
            bar->addTab(page);
    }

    connect(TabSet_Ampli_Czest, &QTabBar::currentChanged, this, [this](int index) {
        m_switch.selectCharacteristic(index == 1 ? Characteristic::Frequency
                                                 : Characteristic::Amplitude);
    });
    connect(TabSet_Amplitudowe, &QTabBar::currentChanged, this,
            [this](int index) { tabChosen(Characteristic::Amplitude, index); });
    connect(TabSet_Czestotliwosciowe, &QTabBar::currentChanged, this,
            [this](int index) { tabChosen(Characteristic::Frequency, index); });

    connect(&m_switch, &ViewSwitch::changed, this, &CharacteristicTabs::refresh);
    connect(&m_switch, &ViewSwitch::characteristicChanged, this,
            [this](Characteristic characteristic) {
                m_frame.rangeBox().czestNastWska->setText(m_switch.czestNastWskaCaption());
                (characteristic == Characteristic::Amplitude ? m_amplitude : m_frequency)
                    .broughtIntoView();
            });
    connect(&frame, &CharacteristicFrame::resized, this, &CharacteristicTabs::layout);

    layout();
    refresh();
}

void CharacteristicTabs::tabChosen(Characteristic characteristic, int tab)
{
    // A refused change leaves the bar where the switch has it.
    m_switch.selectTab(characteristic, tab);
    refresh();
}

void CharacteristicTabs::layout()
{
    const QWidget &panel = m_frame.tabPanel();
    const int w = panel.width();
    const int half = w / 2;
    TabSet_Ampli_Czest->setGeometry(0, 0, w, panel.height());
    TabSet_Amplitudowe->setGeometry(InnerBarInset, 1, half - 2 * InnerBarInset, InnerBarHeight);
    TabSet_Czestotliwosciowe->setGeometry(half + InnerBarInset, 1, w - half - 2 * InnerBarInset,
                                          InnerBarHeight);
}

void CharacteristicTabs::refresh()
{
    const QSignalBlocker outer(TabSet_Ampli_Czest);
    TabSet_Ampli_Czest->setCurrentIndex(m_switch.characteristic() == Characteristic::Frequency ? 1
                                                                                               : 0);
    const std::pair<TabSet *, Characteristic> bars[] = {
        {TabSet_Amplitudowe, Characteristic::Amplitude},
        {TabSet_Czestotliwosciowe, Characteristic::Frequency}};
    for (const auto &[bar, characteristic] : bars) {
        const QSignalBlocker block(bar);
        bar->setCurrentIndex(m_switch.tab(characteristic));
        bar->setEnabled(m_switch.enabled(characteristic));
        bar->setColours(innerColours(m_switch.tone(characteristic), bar->palette()));
    }
    QStackedWidget *notebook = &m_frame.notebook();
    if (notebook->currentIndex() != m_switch.page()) {
        // The cell under edit is left as the user leaves the page, for the
        // bar he chose; the focus must not wander into the page that comes.
        if (QWidget *focused = QApplication::focusWidget();
            focused && notebook->isAncestorOf(focused))
            TabSet_Ampli_Czest->setFocus(Qt::OtherFocusReason);
        notebook->setCurrentIndex(m_switch.page());
    }
}
