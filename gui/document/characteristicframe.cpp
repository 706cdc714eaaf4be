#include "gui/document/characteristicframe.h"

#include <QStackedWidget>

CharacteristicFrame::CharacteristicFrame(QWidget &window, QStackedWidget &notebook,
                                         QWidget &tabPanel, const RangeBox &rangeBox)
    : QObject(&window), m_window(window), m_notebook(notebook), m_tabPanel(tabPanel),
      m_rangeBox(rangeBox)
{}

void CharacteristicFrame::setPage(int index, QWidget *page)
{
    if (index < 0 || index >= m_notebook.count() || !page)
        return;
    const int current = m_notebook.currentIndex();
    QWidget *old = m_notebook.widget(index);
    m_notebook.insertWidget(index, page);
    m_notebook.removeWidget(old);
    old->deleteLater();
    m_notebook.setCurrentIndex(current);
}
