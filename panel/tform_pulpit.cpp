#include "tform_pulpit.h"

#include "clock.h"
#include "frames.h"
#include "link.h"
#include "services.h"

#include <QLabel>
#include <QVBoxLayout>

TForm_Pulpit::TForm_Pulpit(Services &services, QWidget *parent)
    : QDialog(parent), m_services(services)
{
    setObjectName(QStringLiteral("Form_Pulpit"));
    setWindowTitle(QStringLiteral("Pulpit sterujący"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Pulpit sterujący"), this));
    resize(367, 384);
}

void TForm_Pulpit::setStandby(bool standby)
{
    m_standby = standby;
}

void TForm_Pulpit::Button_CClick()
{
    m_services.link.send(Frames::resetFrame());
    m_services.clock.pause(100);
    m_services.link.send(m_standby ? Frames::standbyFrame() : Frames::operateFrame());
}
