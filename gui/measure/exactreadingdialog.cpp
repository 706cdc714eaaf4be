#include "gui/measure/exactreadingdialog.h"

#include "gui/measure/dialogparts.h"

#include "core/base/clock.h"
#include "core/base/prompts.h"
#include "core/calibrator/calibratorranges.h"
#include "core/calibrator/services.h"
#include "core/measure/measurementstate.h"
#include "gui/measure/dialogresult.h"
#include "gui/measure/updowncontrol.h"
#include "gui/measure/windowplacement.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int upDownMinimum = -1000;
constexpr int upDownMaximum = 1000;
// The up-down starts each point here, so that a whole session of clicks in
// one direction never runs it into a bound.
constexpr int upDownCentre = 0;

constexpr QSize digitButtonSize(11, 15);
constexpr int displayLeft = 8;
constexpr int displayTop = 22;
constexpr int displayCells = 9;
// The setting display keeps its text clear of the edit's border.
constexpr int displayTextIndent = 2;
// The positions of the digit buttons name display cells 12 px apart from 11.
constexpr int cellPitch = 12;
constexpr int firstCell = 11;

// The fields of this dialog only show what the run put in them.
QLineEdit *addField(QGridLayout *grid, int row, int column, const QString &caption,
                    const QString &name, QWidget *parent, QWidget *besides = nullptr)
{
    QLineEdit *edit = DialogParts::addField(grid, row, column, caption, name, parent, besides);
    edit->setEnabled(false);
    return edit;
}

} // namespace

ExactReadingDialog::ExactReadingDialog(Services &services, MeasurementState &state,
                                       ExactReadingLogic::Variant variant, QWidget *parent)
    : QDialog(parent), m_services(services), m_logic(services, state, variant)
{
    setWindowTitle(QStringLiteral("Metoda dokładnego odczytu"));
    buildWindow(variant == ExactReadingLogic::Variant::Amplitude ? QStringLiteral("PomDO")
                                                                 : QStringLiteral("PomDO_Cz"));
    if (variant == ExactReadingLogic::Variant::Amplitude) {
        setFixedSize(sizeHint());
        setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    }
}

void ExactReadingDialog::buildWindow(const QString &prefix)
{
    const bool amplitude = prefix == QLatin1String("PomDO");
    auto *grid = new QGridLayout;

    indicationEdit = addField(grid, 0, 0, QStringLiteral("Wskazanie miernika"),
                              QStringLiteral("Edit_%1_WskazanieMiernika").arg(prefix), this);
    meterRangeEdit = addField(grid, 1, 0, QStringLiteral("Zakres miernika"),
                              QStringLiteral("Edit_%1_ZakresMiernika").arg(prefix), this);
    frequencyEdit = addField(grid, 2, 0, QStringLiteral("Częstotliwość"),
                             QStringLiteral("Edit_%1_Czestotliwosc").arg(prefix), this,
                             new QLabel(QStringLiteral("Hz")));

    // The display and its digit buttons are placed by hand: each button
    // stands under one character cell of the monospaced display.
    m_settingGroup = new QGroupBox(QStringLiteral("Nastawa kalibratora"), this);
    settingEdit = new QLineEdit(m_settingGroup);
    settingEdit->setObjectName(QStringLiteral("Edit_%1_NastawaKalibratora").arg(prefix));
    settingEdit->setReadOnly(true);
    settingEdit->setEnabled(false);
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setBold(true);
    font.setPixelSize(20);
    settingEdit->setFont(font);
    // The operator reads the setting from across the bench: keep it black.
    QPalette palette = settingEdit->palette();
    palette.setColor(QPalette::Disabled, QPalette::Text,
                     palette.color(QPalette::Active, QPalette::Text));
    settingEdit->setPalette(palette);
    settingEdit->setFrame(false);
    const QFontMetrics metrics(font);
    m_cellWidth = metrics.horizontalAdvance(QLatin1Char('0'));
    settingEdit->setGeometry(displayLeft, displayTop, displayCells * m_cellWidth + 8,
                             metrics.height() + 6);
    m_digitButtonTop = settingEdit->geometry().bottom() + 3;
    settingUnitLabel = DialogParts::unitLabel(
        QStringLiteral("Label_%1_JednostkaNastawy").arg(prefix), m_settingGroup);
    settingUnitLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    settingUnitLabel->setGeometry(settingEdit->geometry().right() + 4, displayTop,
                                  settingUnitLabel->minimumWidth(),
                                  settingEdit->geometry().height());
    m_settingGroup->setMinimumSize(settingUnitLabel->geometry().right() + displayLeft,
                                   m_digitButtonTop + digitButtonSize.height() + 6);
    for (int tag = 1; tag <= ExactReadingLogic::DigitCount; ++tag) {
        auto *button = new QToolButton(m_settingGroup);
        button->setObjectName(QStringLiteral("SpeedButton%1").arg(tag));
        button->setCheckable(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(digitButtonSize);
        connect(button, &QToolButton::clicked, this, [this, tag] { digitClicked(tag); });
        digitButtons[tag - 1] = button;
    }
    placeDigitButtons(*ExactReadingLogic::UlozPrzyciski(6));

    upDown = new UpDownControl(this);
    upDown->setObjectName(amplitude ? QStringLiteral("UpDown_NastawaKalibratora")
                                    : QStringLiteral("UpDown_PomDO_Cz_NastawaKalibratora"));
    upDown->setRange(upDownMinimum, upDownMaximum);
    upDown->setPosition(1);
    upDown->setToolTip(QStringLiteral("Płynna regulacja nastawy kalibratora"));
    upDown->setFixedWidth(22);
    connect(upDown, &UpDownControl::clicked, this, &ExactReadingDialog::upDownClicked);
    connect(upDown, &UpDownControl::digitMoveRequested, this, [this](int direction) {
        const int current = m_logic.selectedDigit() == 0 ? 1 : m_logic.selectedDigit();
        const int next = current + direction;
        if (next >= 1 && next <= ExactReadingLogic::DigitCount)
            selectDigit(next);
    });

    auto *settingRow = new QHBoxLayout;
    settingRow->addWidget(m_settingGroup);
    settingRow->addWidget(upDown);
    grid->addLayout(settingRow, 0, 1, 2, 1);
    calibratorRangeEdit = addField(grid, 2, 1, QStringLiteral("Zakres kalibratora"),
                                   QStringLiteral("Edit_%1_ZakresKalibratora").arg(prefix), this);

    const DialogParts::Buttons buttons = DialogParts::finishLayout(
        this, grid, amplitude ? QStringLiteral("OkBtn") : QStringLiteral("BitBtn_PomDO_Cz_Ok"),
        amplitude ? QStringLiteral("PrzerwBtn") : QStringLiteral("BitBtn_PomDO_Cz_Przerwij"));
    okButton = buttons.ok;
    abortButton = buttons.abort;
    connect(okButton, &QPushButton::clicked, this, &ExactReadingDialog::okClicked);
    connect(abortButton, &QPushButton::clicked, this, &ExactReadingDialog::abortClicked);
    upDown->setFocus();
}

void ExactReadingDialog::setup(const ExactReadingPoint &point)
{
    // A scripted run reads result() after its handler; no point keeps the
    // result of the one before.
    setResult(QDialog::Rejected);
    m_activationPending = true;
    m_failure = nullptr;
    setMeterRange(point.meterRange);
    setCalibratorRange(point.calibratorRange);
    setIndication(point.indication);
    setFrequency(point.frequency);
    settingUnitLabel->setText(point.settingUnit);
    ExactReadingSettings &own = settings();
    own.DoklKal = point.DoklKal;
    own.NastawaMin = point.NastawaMin;
    own.NastawaMax = point.NastawaMax;
    own.FunkcjaKal = point.FunkcjaKal;
}

void ExactReadingDialog::setMeterRange(const QString &text)
{
    meterRangeEdit->setText(text);
    m_logic.setMeterRange(text);
}

void ExactReadingDialog::setCalibratorRange(const QString &text)
{
    calibratorRangeEdit->setText(text);
    m_logic.setCalibratorRange(text);
}

void ExactReadingDialog::setIndication(const QString &text)
{
    indicationEdit->setText(text);
    m_logic.setIndication(text);
    if (m_logic.variant() == ExactReadingLogic::Variant::Amplitude)
        settingEdit->setText(m_logic.displayText());
}

void ExactReadingDialog::setFrequency(const QString &text)
{
    frequencyEdit->setText(text);
}

int ExactReadingDialog::execModal()
{
    setResult(QDialog::Rejected);
    const int result = m_services.prompts.exec(this);
    rethrowFailure();
    return result;
}

template <class Action> void ExactReadingDialog::guarded(Action &&action)
{
    if (m_failure)
        return;
    try {
        action();
    } catch (...) {
        // A frame that cannot be written ends the dialog; the run raises the
        // error once the dialog is down, so that no exception crosses the
        // dialog's event loop.
        m_failure = std::current_exception();
        refresh();
    }
}

void ExactReadingDialog::activateIfPending()
{
    if (!m_activationPending || m_failure)
        return;
    activate();
    if (m_failure)
        done(DialogResult::Failed);
}

void ExactReadingDialog::activate()
{
    m_activationPending = false;
    guarded([this] {
        upDown->setPosition(upDownCentre);
        m_logic.activate(upDown->position());
        refresh();
    });
}

void ExactReadingDialog::refresh()
{
    settingEdit->setText(m_logic.displayText());
    if (const auto positions = ExactReadingLogic::UlozPrzyciski(settings().DoklKal))
        placeDigitButtons(*positions);
    for (int tag = 1; tag <= ExactReadingLogic::DigitCount; ++tag)
        digitButtons[tag - 1]->setChecked(m_logic.selectedDigit() == tag);
}

void ExactReadingDialog::clickDigit(int tag)
{
    activateIfPending();
    if (m_failure || tag < 1 || tag > ExactReadingLogic::DigitCount)
        return;
    digitButtons[tag - 1]->click();
}

void ExactReadingDialog::selectDigit(int tag)
{
    activateIfPending();
    if (m_failure || tag < 1 || tag > ExactReadingLogic::DigitCount)
        return;
    if (!digitButtons[tag - 1]->isChecked())
        digitButtons[tag - 1]->click();
}

void ExactReadingDialog::clickUp()
{
    activateIfPending();
    if (!m_failure)
        upDown->stepUp();
}

void ExactReadingDialog::clickDown()
{
    activateIfPending();
    if (!m_failure)
        upDown->stepDown();
}

void ExactReadingDialog::pressOk()
{
    okClicked();
}

void ExactReadingDialog::pressPrzerwij()
{
    abortClicked();
}

void ExactReadingDialog::pressCloseBox()
{
    activateIfPending();
    reject();
}

void ExactReadingDialog::digitClicked(int tag)
{
    // At most one digit button is down, and all may be up.
    const bool down = digitButtons[tag - 1]->isChecked();
    if (down) {
        for (QToolButton *other : digitButtons) {
            if (other != digitButtons[tag - 1])
                other->setChecked(false);
        }
    }
    m_logic.UstawKrok(tag, down);
}

void ExactReadingDialog::upDownClicked(int position)
{
    guarded([this, position] {
        m_logic.step(position);
        refresh();
    });
    if (m_failure)
        done(DialogResult::Failed);
}

void ExactReadingDialog::okClicked()
{
    activateIfPending();
    if (m_failure)
        return;
    // The amplitude dialog gives the calibrator time to settle on the last
    // setting before the run takes it.
    if (m_logic.variant() == ExactReadingLogic::Variant::Amplitude)
        m_services.clock.pause(CalibratorPauses::Settling);
    done(DialogResult::Ok);
}

void ExactReadingDialog::abortClicked()
{
    activateIfPending();
    if (m_failure)
        return;
    // The next run warns again before the first high-voltage point.
    m_logic.state().OstrzezenieWN = false;
    centreOnDesktop(m_verificationWindow);
    done(DialogResult::Przerwij);
}

void ExactReadingDialog::reject()
{
    if (m_failure)
        done(DialogResult::Failed);
    else
        abortClicked();
}

void ExactReadingDialog::done(int result)
{
    // A failure ends the run as an abort does, so the next run warns again.
    if (m_failure) {
        result = DialogResult::Failed;
        m_logic.state().OstrzezenieWN = false;
    }
    m_placed = true;
    m_activationPending = true;
    QDialog::done(result);
}

void ExactReadingDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous() || !m_activationPending || m_failure)
        return;
    activate();
    placeMeasurementDialog(this, m_verificationWindow, m_placed);
    upDown->setFocus();
    // The modal loop is not running yet; close once it is.
    if (m_failure)
        QTimer::singleShot(0, this, [this] { done(DialogResult::Failed); });
}

QString ExactReadingDialog::settingText() const
{
    return settingEdit->text();
}

long double ExactReadingDialog::readBackSetting() const
{
    return ExactReadingLogic::readSetting(settingEdit->text());
}

void ExactReadingDialog::rethrowFailure()
{
    if (!m_failure)
        return;
    const std::exception_ptr failure = m_failure;
    m_failure = nullptr;
    std::rethrow_exception(failure);
}

void ExactReadingDialog::placeDigitButtons(
    const std::array<int, ExactReadingLogic::DigitCount> &positions)
{
    // The positions count cells of a 12 px font; the display's font may be
    // wider, so each button is centred under its cell as drawn.
    m_digitPositions = positions;
    for (int i = 0; i < ExactReadingLogic::DigitCount; ++i) {
        const int cell = (positions[i] - firstCell) / cellPitch;
        const int x = displayLeft + displayTextIndent + cell * m_cellWidth +
                      (m_cellWidth - digitButtonSize.width()) / 2;
        digitButtons[i]->move(x, m_digitButtonTop);
    }
}

int ExactReadingDialog::upDownPosition() const
{
    return upDown->position();
}
