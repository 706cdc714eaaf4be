#include "gui/simulator/simulatordisplay.h"

#include "core/link/serialsettings.h"
#include "core/panel/panelstate.h"
#include "core/simulator/simulatedcalibrator.h"
#include "gui/panel/displaycells.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString withComma(QByteArray text)
{
    return QString::fromLatin1(text.replace('.', ','));
}

QLabel *caption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

SimulatorDisplay::SimulatorDisplay(SimulatedCalibrator &calibrator, QWidget *parent)
    : QWidget(parent, Qt::Window), m_calibrator(calibrator)
{
    setObjectName(QStringLiteral("SimulatorDisplay"));
    setWindowTitle(SerialSettings::SimulatorCaption);
    m_model = new QLabel(this);
    m_model->setAlignment(Qt::AlignCenter);
    QFont bold = m_model->font();
    bold.setBold(true);
    m_model->setFont(bold);

    auto *display = new QFrame(this);
    display->setFrameShape(QFrame::Panel);
    display->setFrameShadow(QFrame::Sunken);
    display->setAutoFillBackground(true);
    QPalette dark = display->palette();
    dark.setColor(QPalette::Window, Glyphs::background());
    dark.setColor(QPalette::WindowText, Glyphs::litColour());
    display->setPalette(dark);
    display->setFixedSize(DisplayRow::Width + 60, Glyphs::DigitHeight + 16);
    DisplayRow::create(display, QPoint(8, 8), Cyfra, Kropka);
    m_unit = new QLabel(display);
    QFont large = m_unit->font();
    large.setPointSize(16);
    large.setBold(true);
    m_unit->setFont(large);
    m_unit->setGeometry(8 + DisplayRow::Width, 8, 48, Glyphs::DigitHeight);
    m_unit->setAlignment(Qt::AlignLeft | Qt::AlignBottom);

    m_range = new QLabel(this);
    m_function = new QLabel(this);
    m_frequency = new QLabel(this);
    m_lamp = new QLabel(this);
    m_lamp->setFixedSize(14, 14);
    m_output = new QLabel(this);
    m_output->setFont(bold);
    m_fault = new QLabel(this);
    m_fault->setWordWrap(true);
    QPalette red = m_fault->palette();
    red.setColor(QPalette::WindowText, QColor(0xc0, 0, 0));
    m_fault->setPalette(red);

    auto *fields = new QGridLayout;
    fields->addWidget(caption(QStringLiteral("Zakres:"), this), 0, 0);
    fields->addWidget(m_range, 0, 1);
    fields->addWidget(caption(QStringLiteral("Funkcja:"), this), 1, 0);
    fields->addWidget(m_function, 1, 1);
    fields->addWidget(caption(QStringLiteral("Częstotliwość:"), this), 2, 0);
    fields->addWidget(m_frequency, 2, 1);
    auto *output = new QHBoxLayout;
    output->addWidget(m_lamp);
    output->addWidget(m_output);
    output->addStretch();
    fields->addWidget(caption(QStringLiteral("Wyjście:"), this), 3, 0);
    fields->addLayout(output, 3, 1);
    fields->setColumnStretch(1, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_model);
    layout->addWidget(display, 0, Qt::AlignHCenter);
    layout->addLayout(fields);
    layout->addWidget(m_fault);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(&m_calibrator, &SimulatedCalibrator::handled, this,
            [this](const SimulatorEvent &event) {
                noteFault(event);
                refresh();
            });
    m_fault->setText(QStringLiteral("Błędy protokołu: brak"));
    refresh();
}

void SimulatorDisplay::showBeside(const QWidget *window)
{
    if (!isVisible()) {
        // It only watches the program, which keeps the keyboard.
        setAttribute(Qt::WA_ShowWithoutActivating);
        adjustSize();
        const QScreen *screen = window ? window->screen() : this->screen();
        if (screen) {
            const QRect beside = window ? window->frameGeometry() : QRect();
            move(placeBeside(screen->availableGeometry(), beside, frameGeometry().size()));
        }
    }
    refresh();
    show();
}

QPoint SimulatorDisplay::placeBeside(const QRect &available, const QRect &window, const QSize &size)
{
    constexpr int Gap = 16;
    const int top =
        std::clamp(window.isValid() ? window.top() : available.top() + Gap, available.top(),
                   std::max(available.top(), available.bottom() + 1 - size.height()));
    if (window.isValid()) {
        if (window.right() + 1 + size.width() <= available.right() + 1)
            return {window.right() + 1, top};
        if (window.left() - size.width() >= available.left())
            return {window.left() - size.width(), top};
    }
    return {available.right() + 1 - size.width() - Gap, available.top() + Gap};
}

void SimulatorDisplay::noteFault(const SimulatorEvent &event)
{
    if (!event.fault)
        return;
    ++m_faults;
    m_fault->setText(
        QStringLiteral("Błędy protokołu: %1, ostatni: %2").arg(m_faults).arg(event.error));
}

void SimulatorDisplay::refresh()
{
    const CalibratorState &state = m_calibrator.state();
    const CalibratorModel &model = m_calibrator.model();
    m_model->setText(QStringLiteral("Kalibrator %1").arg(model.name));

    DisplayRow::show(
        DisplayCells::ofValue(state.valueText(), CalibratorRanges::range(state.range).decimals),
        Cyfra, Kropka);
    m_unit->setText(state.unit());
    m_range->setText(state.rangeText());
    m_function->setText(PanelState::functionCaption(state.function, model.hasFrequencySetting()));
    if (state.frequency() > 0)
        m_frequency->setText(withComma(SimulatedCalibrator::numberText(state.frequency(), 3)) +
                             QStringLiteral(" Hz"));
    else if (state.function == 4 && !model.hasFrequencySetting())
        m_frequency->setText(QStringLiteral("zewnętrzna"));
    else
        m_frequency->setText(QStringLiteral("—"));

    m_operate = state.operate;
    m_output->setText(m_operate ? QStringLiteral("OPERATE") : QStringLiteral("STANDBY"));
    const QColor lamp = m_operate ? Glyphs::litColour() : Glyphs::darkColour();
    m_lamp->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid black; "
                                         "border-radius: 7px;")
                              .arg(lamp.name()));
}

QString SimulatorDisplay::displayText() const
{
    DisplayCells cells;
    for (int i = 0; i < 8; ++i) {
        cells.digits[i] = Cyfra[i]->glyph();
        cells.points[i] = Kropka[i]->isLit();
    }
    return cells.text();
}
