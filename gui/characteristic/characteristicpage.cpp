#include "gui/characteristic/characteristicpage.h"

#include "core/calibrator/services.h"
#include "core/characteristic/viewswitch.h"
#include "core/document/documentsession.h"
#include "gui/characteristic/gridview.h"
#include "gui/characteristic/uncertaintypage.h"
#include "gui/document/characteristicframe.h"
#include "gui/panel/tform_czestotliwosc.h"

#include <QGroupBox>
#include <QLabel>
#include <QStackedWidget>

CharacteristicPage::CharacteristicPage(Services &services, DocumentSession &session,
                                       CharacteristicFrame &frame,
                                       TForm_Czestotliwosc &frequencyDialog,
                                       std::unique_ptr<GridRules> rules,
                                       Characteristic characteristic, const QString &suffix)
    : QWidget(&frame.notebook()), m_services(services), m_frame(frame), m_session(session),
      m_frequencyDialog(frequencyDialog), m_characteristic(characteristic),
      m_rules(std::move(rules)), m_grid(*m_rules, m_session, services.prompts)
{
    m_view = new CharacteristicGridView(m_grid, services.prompts, suffix, this);
    frame.setPage(ViewSwitch::tablePage(characteristic), this);

    connect(&m_session, &DocumentSession::documentCreated, &m_grid,
            &CharacteristicGrid::showNewDocument);
    connect(&m_session, &DocumentSession::documentLoaded, &m_grid,
            &CharacteristicGrid::showDocument);
    connect(&m_session, &DocumentSession::aboutToCloseDocument, m_view,
            &CharacteristicGridView::discardEdit);
    connect(&m_session, &DocumentSession::documentClosed, this, [this] { m_grid.clear(false); });
    connect(&m_session, &DocumentSession::aboutToSave, m_view, &CharacteristicGridView::commitEdit);
    connect(&m_grid, &CharacteristicGrid::summaryChanged, this,
            &CharacteristicPage::PokazZakresNaPanelu);
    connect(&frame, &CharacteristicFrame::resized, this, [this] {
        const int top = m_frame.rangeBox().box->y();
        m_grid.resized(top);
        m_view->setGroupBoxTop(top);
    });

    followWindowHeight();
    const int top = frame.rangeBox().box->y();
    m_grid.setGroupBoxTop(top);
    m_view->setGroupBoxTop(top);
    m_grid.clear(false);
    m_uncertainty = new UncertaintyPage(services, session, frame, *this);
}

CharacteristicPage::~CharacteristicPage() = default;

void CharacteristicPage::followWindowHeight()
{
    // Dragging the border keeps the width and steps the height by whole
    // rows (60 plus a multiple of 20, within 420..922); a height the program
    // sets is taken as it is.
    QWidget &window = m_frame.window();
    window.setMinimumSize(WindowSize::Width, WindowSize::MinHeight);
    window.setMaximumSize(WindowSize::Width, WindowSize::allowedHeight(WindowSize::MaxHeight));
    // The window manager takes no increment with a width of 0: the width
    // steps by 1, which its fixed width never uses.
    window.setSizeIncrement(1, RowScroller::RowHeight);
    window.setBaseSize(WindowSize::Width, WindowSize::BaseHeight);
}

void CharacteristicPage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_view->setGeometry(rect());
}

bool CharacteristicPage::isShown() const
{
    const bool frequencyShown = m_session.shownView() == DocumentSession::View::Frequency;
    return frequencyShown == (m_characteristic == Characteristic::Frequency);
}

QString CharacteristicPage::askFrequency()
{
    return m_frequencyDialog.ask();
}

void CharacteristicPage::broughtIntoView()
{
    m_grid.layoutBars();
    if (m_session.display().rangeBoxVisible())
        PokazZakresNaPanelu(m_grid.currentRange());
}

void CharacteristicPage::PokazZakresNaPanelu(int k)
{
    // Both grids describe their ranges; the box belongs to the one shown.
    if (!isShown())
        return;
    const RangeSummary s = m_grid.summary(k);
    const CharacteristicFrame::RangeBox &box = m_frame.rangeBox();
    box.zakres->setText(s.zakres);
    box.czestNastWska->setText(s.czestotliwosc);
    box.kmm->setText(s.kmm);
    box.kmz->setText(s.kmz);
    m_session.display().setRangeBoxVisible(true);
}
