#include "gui/link/tform_rs232.h"

#include "core/calibrator/services.h"
#include "core/link/link.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSerialPortInfo>

namespace {

QLabel *boldLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSize(10);
    label->setFont(font);
    return label;
}

// Serial devices beyond the four fixed COM ports: USB adapters and the like.
QStringList extraDevices()
{
    QStringList devices;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        const QString path = info.systemLocation();
        if (!path.startsWith(QLatin1String("/dev/ttyS")))
            devices.append(path);
    }
    devices.sort();
    return devices;
}

} // namespace

TForm_RS232::TForm_RS232(Services &services, QWidget *parent)
    : QDialog(parent), m_services(services)
{
    setObjectName(QStringLiteral("Form_RS232"));
    setWindowTitle(QStringLiteral("Parametry transmisji"));
    setModal(true);

    PortCB = new QComboBox(this);
    PortCB->setObjectName(QStringLiteral("PortCB"));
    // Editable, so that a device path (a USB adapter, a virtual port) can be
    // typed in when it is not listed.
    PortCB->setEditable(true);
    PortCB->setInsertPolicy(QComboBox::NoInsert);
    speedCB = new QComboBox(this);
    daneCB = new QComboBox(this);
    bitStopCB = new QComboBox(this);
    ParaCB = new QComboBox(this);
    speedCB->addItems(SerialSettings::speeds());
    daneCB->addItems(SerialSettings::dataBitsList());
    bitStopCB->addItems(SerialSettings::stopBitsList());
    ParaCB->addItems(SerialSettings::parities());
    // The line is always 4800 8N1; these only keep what the file says.
    for (QComboBox *box : {speedCB, daneCB, bitStopCB, ParaCB})
        box->setEnabled(false);

    auto *grid = new QGridLayout;
    grid->addWidget(boldLabel(QStringLiteral("Port"), this), 0, 0);
    grid->addWidget(PortCB, 0, 1);
    grid->addWidget(boldLabel(QStringLiteral("Szybkość"), this), 1, 0);
    grid->addWidget(speedCB, 1, 1);
    grid->addWidget(boldLabel(QStringLiteral("Dł. słowa"), this), 2, 0);
    grid->addWidget(daneCB, 2, 1);
    grid->addWidget(boldLabel(QStringLiteral("Bity stopu"), this), 3, 0);
    grid->addWidget(bitStopCB, 3, 1);
    grid->addWidget(boldLabel(QStringLiteral("Parzystość"), this), 4, 0);
    grid->addWidget(ParaCB, 4, 1);

    BitBtn1 = new QPushButton(QStringLiteral("&OK"), this);
    BitBtn2 = new QPushButton(QStringLiteral("&Anuluj"), this);
    BitBtn1->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    // A fixed dialog, of its design size or larger where the font needs it.
    setFixedSize(sizeHint().expandedTo(QSize(215, 188)));

    connect(BitBtn1, &QPushButton::clicked, this, &TForm_RS232::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm_RS232::BitBtn2Click);
    connect(this, &QDialog::rejected, this, [this] { selectStored(SerialSettings::load()); });

    FormCreate();
}

void TForm_RS232::FormCreate()
{
    const SerialSettings settings = SerialSettings::load();
    selectStored(settings);
    setCommPort(settings.commPort());
}

void TForm_RS232::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    listDevices();
}

void TForm_RS232::listDevices()
{
    // Looking for the machine's serial devices takes longer than the rest of
    // the program's start-up; it is done when the dialog comes up, which also
    // lists an adapter plugged in since.
    for (const QString &device : extraDevices()) {
        if (PortCB->findText(device) < 0)
            PortCB->addItem(device);
    }
}

void TForm_RS232::selectStored(const SerialSettings &stored)
{
    SerialSettings settings = stored;
    if (!m_sessionDevice.isEmpty())
        settings.device = m_sessionDevice;
    PortCB->clear();
    PortCB->addItems(SerialSettings::fixedPorts());
    PortCB->addItem(SerialSettings::SimulatorCaption);
    if (isVisible())
        listDevices();
    if (settings.device == SerialSettings::SimulatorDevice) {
        PortCB->setCurrentIndex(PortCB->findText(SerialSettings::SimulatorCaption));
    } else if (!settings.device.isEmpty()) {
        int index = PortCB->findText(settings.device);
        if (index < 0) {
            PortCB->addItem(settings.device);
            index = PortCB->count() - 1;
        }
        PortCB->setCurrentIndex(index);
    } else {
        PortCB->setCurrentIndex(settings.port);
    }
    speedCB->setCurrentIndex(settings.speed);
    daneCB->setCurrentIndex(settings.dataBits);
    bitStopCB->setCurrentIndex(settings.stopBits);
    ParaCB->setCurrentIndex(settings.parity);
}

SerialSettings TForm_RS232::selected() const
{
    SerialSettings settings;
    const QString text = PortCB->currentText().trimmed();
    const int fixed = int(SerialSettings::fixedPorts().indexOf(text));
    if (fixed >= 0) {
        settings.port = fixed;
    } else if (text == SerialSettings::SimulatorCaption) {
        // PORT keeps the serial port it names, for readers of the file that
        // know no DEVICE.
        settings.port = SerialSettings::load().port;
        settings.device = SerialSettings::SimulatorDevice;
    } else {
        settings.port =
            PortCB->findText(text) >= 0 ? PortCB->findText(text) : SerialSettings::FixedPortCount;
        settings.device = text;
    }
    settings.speed = speedCB->currentIndex();
    settings.dataBits = daneCB->currentIndex();
    settings.stopBits = bitStopCB->currentIndex();
    settings.parity = ParaCB->currentIndex();
    return settings;
}

void TForm_RS232::setCommPort(const QString &port)
{
    // "[none]" keeps whatever port was in use before.
    if (port.isEmpty())
        return;
    m_commPort = port;
    m_services.link.setPortName(port);
}

void TForm_RS232::BitBtn1Click()
{
    const SerialSettings settings = selected();
    setCommPort(settings.commPort());
    if (m_sessionDevice.isEmpty() || settings.device != m_sessionDevice) {
        m_sessionDevice.clear();
        settings.save();
    }
    accept();
}

void TForm_RS232::useForThisSession(const QString &device)
{
    m_sessionDevice = device;
    selectStored(SerialSettings::load());
    setCommPort(device);
}

void TForm_RS232::BitBtn2Click()
{
    reject();
}
