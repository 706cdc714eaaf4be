#include "gui/measure/updowncontrol.h"

#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

UpDownControl::UpDownControl(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    m_up = new QToolButton(this);
    m_up->setObjectName(QStringLiteral("upButton"));
    m_up->setArrowType(Qt::UpArrow);
    m_up->setFocusPolicy(Qt::NoFocus);
    m_up->setAutoRepeat(true);
    m_down = new QToolButton(this);
    m_down->setObjectName(QStringLiteral("downButton"));
    m_down->setArrowType(Qt::DownArrow);
    m_down->setFocusPolicy(Qt::NoFocus);
    m_down->setAutoRepeat(true);
    for (QToolButton *button : {m_up, m_down})
        button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);

    connect(m_up, &QToolButton::clicked, this, &UpDownControl::stepUp);
    connect(m_down, &QToolButton::clicked, this, &UpDownControl::stepDown);
}

void UpDownControl::setRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = std::max(minimum, maximum);
    setPosition(m_position);
}

void UpDownControl::setPosition(int position)
{
    m_position = std::clamp(position, m_minimum, m_maximum);
}

void UpDownControl::stepUp()
{
    setPosition(m_position + 1);
    emit clicked(m_position);
}

void UpDownControl::stepDown()
{
    setPosition(m_position - 1);
    emit clicked(m_position);
}

void UpDownControl::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
        stepUp();
        break;
    case Qt::Key_Down:
        stepDown();
        break;
    case Qt::Key_Left:
        emit digitMoveRequested(+1);
        break;
    case Qt::Key_Right:
        emit digitMoveRequested(-1);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}
