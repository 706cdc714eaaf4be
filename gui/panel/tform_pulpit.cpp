#include "gui/panel/tform_pulpit.h"

#include "core/base/errorbox.h"
#include "core/calibrator/services.h"
#include "core/link/link.h"
#include "gui/panel/displaycells.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int ClientWidth = 367;
constexpr int ClientHeight = 384;
constexpr int DisplayTop = 8;
constexpr int DisplayHeight = 66;
constexpr int KeyTop = 200;
constexpr int KeyHeight = 40;
constexpr int KeyRowPitch = 45;
// Left and right margins together inside the range and function panels.
constexpr int RadioPanelMargins = 10;

// The grey arrows of the stepping keys, one or two heads, drawn at twice the
// size so they stay sharp on a scaled screen.
QPixmap arrowPixmap(bool up, bool twoHeads, const QColor &colour)
{
    constexpr int width = 20;
    constexpr int height = 16;
    QPixmap pixmap(width * 2, height * 2);
    pixmap.setDevicePixelRatio(2);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    const int heads = twoHeads ? 2 : 1;
    for (int i = 0; i < heads; ++i) {
        const qreal offset = twoHeads ? (i == 0 ? 1.0 : 8.0) : 4.5;
        const qreal tip = up ? offset : offset + 7;
        const qreal base = up ? offset + 7 : offset;
        painter.drawPolygon(QPolygonF({{width / 2.0, tip}, {width - 3.0, base}, {3.0, base}}));
    }
    painter.end();
    return pixmap;
}

QIcon arrowIcon(bool up, bool twoHeads)
{
    QIcon icon(arrowPixmap(up, twoHeads, QColor(0x30, 0x30, 0x30)));
    icon.addPixmap(arrowPixmap(up, twoHeads, QColor(0xb0, 0xb0, 0xb0)), QIcon::Disabled);
    return icon;
}

// The six current ranges of the C models share one row of a panel of fixed
// width. Where the system font is too wide for a row, the captions of its
// panel step down in size until the widest row fits, so that none is cut.
void fitRowsToWidth(const QList<QList<QRadioButton *>> &rows, int spacing, int width)
{
    const auto widestRow = [&rows, spacing] {
        int widest = 0;
        for (const QList<QRadioButton *> &row : rows) {
            int total = spacing * int(row.size() - 1);
            for (const QRadioButton *radio : row)
                total += radio->sizeHint().width();
            widest = std::max(widest, total);
        }
        return widest;
    };
    constexpr qreal smallestPointSize = 6.0;
    QFont font = rows.constFirst().constFirst()->font();
    while (widestRow() > width && font.pointSizeF() > smallestPointSize) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        for (const QList<QRadioButton *> &row : rows) {
            for (QRadioButton *radio : row)
                radio->setFont(font);
        }
    }
}

} // namespace

TForm_Pulpit::TForm_Pulpit(Services &services, QWidget *parent)
    : QDialog(parent), m_services(services), m_state(services)
{
    setObjectName(QStringLiteral("Form_Pulpit"));
    setWindowTitle(QStringLiteral("Pulpit sterujący"));
    setFixedSize(ClientWidth, ClientHeight);

    buildDisplay();
    buildRadios();
    buildKeys();
    previewKeys(this);
    refresh();
}

void TForm_Pulpit::buildDisplay()
{
    auto *display = new QFrame(this);
    display->setObjectName(QStringLiteral("Panel_Wyswietlacz"));
    display->setFrameShape(QFrame::Panel);
    display->setFrameShadow(QFrame::Sunken);
    display->setAutoFillBackground(true);
    QPalette palette = display->palette();
    palette.setColor(QPalette::Window, Glyphs::background());
    display->setPalette(palette);
    display->setGeometry(10, DisplayTop, ClientWidth - 20, DisplayHeight);

    DisplayRow::create(display, QPoint((display->width() - DisplayRow::Width) / 2 + 3, 8), Cyfra,
                       Kropka);

    Panel_ModelKalibratora = new QLabel(this);
    Panel_ModelKalibratora->setObjectName(QStringLiteral("Panel_ModelKalibratora"));
    Panel_ModelKalibratora->setFrameShape(QFrame::Panel);
    Panel_ModelKalibratora->setFrameShadow(QFrame::Sunken);
    Panel_ModelKalibratora->setAlignment(Qt::AlignCenter);
    QFont bold = Panel_ModelKalibratora->font();
    bold.setBold(true);
    Panel_ModelKalibratora->setFont(bold);
    Panel_ModelKalibratora->setGeometry(10, DisplayTop + DisplayHeight + 4, ClientWidth - 20, 20);
}

void TForm_Pulpit::buildRadios()
{
    auto *panel1 = new QFrame(this);
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setFrameShape(QFrame::Panel);
    panel1->setFrameShadow(QFrame::Raised);
    panel1->setGeometry(10, 104, ClientWidth - 20, 52);
    auto *rows = new QVBoxLayout(panel1);
    rows->setContentsMargins(6, 3, RadioPanelMargins - 6, 3);
    rows->setSpacing(2);
    auto *voltages = new QHBoxLayout;
    auto *currents = new QHBoxLayout;
    for (QHBoxLayout *row : {voltages, currents}) {
        row->setSpacing(2);
        rows->addLayout(row);
    }
    auto *ranges = new QButtonGroup(this);
    for (int i = 0; i < PanelState::RangeCount; ++i) {
        auto *radio = new QRadioButton(PanelState::rangeCaption(i), panel1);
        radio->setObjectName(QStringLiteral("Z%1").arg(i));
        radio->setToolTip(PanelState::rangeHint(i));
        // Voltage ranges in the top row, current ranges in the second.
        (i < 5 ? voltages : currents)->addWidget(radio);
        ranges->addButton(radio, i);
        connect(radio, &QRadioButton::clicked, this,
                [this, i] { run([this, i] { m_state.checkRange(i); }); });
        Z[i] = radio;
    }
    fitRowsToWidth({{Z.begin(), Z.begin() + 5}, {Z.begin() + 5, Z.end()}}, voltages->spacing(),
                   panel1->contentsRect().width() - RadioPanelMargins);

    auto *functions = new QFrame(this);
    functions->setObjectName(QStringLiteral("Panel_Funkcje"));
    functions->setFrameShape(QFrame::Panel);
    functions->setFrameShadow(QFrame::Raised);
    functions->setGeometry(10, 160, ClientWidth - 20, 28);
    auto *row = new QHBoxLayout(functions);
    row->setContentsMargins(6, 2, RadioPanelMargins - 6, 2);
    row->setSpacing(2);
    auto *group = new QButtonGroup(this);
    for (int i = 0; i < PanelState::FunctionCount; ++i) {
        auto *radio = new QRadioButton(PanelState::functionCaption(i, false), functions);
        radio->setObjectName(QStringLiteral("F%1").arg(i));
        radio->setToolTip(PanelState::functionHint(i, false));
        row->addWidget(radio);
        group->addButton(radio, i);
        connect(radio, &QRadioButton::clicked, this,
                [this, i] { run([this, i] { m_state.checkFunction(i); }); });
        F[i] = radio;
    }
    // Function 4 reads "fext" or "ampl" by model: the row is fitted with the
    // wider of the two.
    const QString fext = PanelState::functionCaption(4, false);
    const QString ampl = PanelState::functionCaption(4, true);
    const QFontMetrics metrics = F[4]->fontMetrics();
    F[4]->setText(metrics.horizontalAdvance(ampl) > metrics.horizontalAdvance(fext) ? ampl : fext);
    fitRowsToWidth({{F.begin(), F.end()}}, row->spacing(),
                   functions->contentsRect().width() - RadioPanelMargins);
    F[4]->setText(fext);
}

QPushButton *TForm_Pulpit::addKey(const QString &caption, const QString &hint,
                                  const QRect &geometry, void (PanelState::*handler)())
{
    auto *key = new QPushButton(caption, this);
    key->setToolTip(hint);
    key->setGeometry(geometry);
    // The keys never take the focus: the panel reads the keyboard itself, and
    // a focused key would otherwise press on Space or Enter.
    key->setFocusPolicy(Qt::NoFocus);
    key->setAutoDefault(false);
    connect(key, &QPushButton::clicked, this,
            [this, handler] { run([this, handler] { (m_state.*handler)(); }); });
    return key;
}

void TForm_Pulpit::buildKeys()
{
    const auto row = [](int r) { return KeyTop + r * KeyRowPitch; };
    constexpr int digitWidth = 44;
    constexpr int digitPitch = 48;
    // The keypad: 7 8 9 / 4 5 6 / 1 2 3 / 0 . CE
    static constexpr int layout[10][2] = {{3, 0}, {2, 0}, {2, 1}, {2, 2}, {1, 0},
                                          {1, 1}, {1, 2}, {0, 0}, {0, 1}, {0, 2}};
    for (int digit = 0; digit <= 9; ++digit) {
        auto *key = new QPushButton(QString::number(digit), this);
        key->setObjectName(QStringLiteral("SButton%1").arg(digit));
        key->setGeometry(10 + layout[digit][1] * digitPitch, row(layout[digit][0]), digitWidth,
                         KeyHeight);
        key->setFocusPolicy(Qt::NoFocus);
        key->setAutoDefault(false);
        connect(key, &QPushButton::clicked, this,
                [this, digit] { run([this, digit] { m_state.CyfraClick(digit); }); });
        SButton[digit] = key;
    }
    KrSBtn = addKey(QStringLiteral("."), {}, QRect(10 + digitPitch, row(3), digitWidth, KeyHeight),
                    &PanelState::KrBtnClick);
    CESBtn =
        addKey(QStringLiteral("CE"), QStringLiteral("zerowanie wyświetlacza pulpitu"),
               QRect(10 + 2 * digitPitch, row(3), digitWidth, KeyHeight), &PanelState::CEBtnClick);

    constexpr int right = 166;
    constexpr int wideWidth = 56;
    constexpr int widePitch = 62;
    const auto wide = [&](int column, int r) {
        return QRect(right + column * widePitch, row(r), wideWidth, KeyHeight);
    };
    UBtn = addKey(QStringLiteral("U"), QStringLiteral("zmiana zakresu napięciowego"), wide(0, 0),
                  &PanelState::UBtnClick);
    IBtn = addKey(QStringLiteral("I"), QStringLiteral("zmiana zakresu prądowego"), wide(1, 0),
                  &PanelState::IBtnClick);
    FBtn = addKey(QStringLiteral("f"), QStringLiteral("zmiana częstotliwości"), wide(2, 0),
                  &PanelState::FBtnClick);
    EBtn = addKey(QStringLiteral("E"), QStringLiteral("wysłanie nastawy do kalibratora"),
                  wide(0, 1), &PanelState::EBtnClick);
    SBtn = addKey(QStringLiteral("S"), {}, wide(1, 1), &PanelState::SBtnClick);
    SBtn->setCheckable(true);
    BitBtn1 = addKey(QStringLiteral("C"), QStringLiteral("powrót do stanu po włączeniu zasilania"),
                     wide(2, 1), &PanelState::CBtnClick);
    DeltaBtn = addKey(QStringLiteral("Δ"), QStringLiteral("ustawienie delty"), wide(0, 2),
                      &PanelState::DeltaBtnClick);
    MinDeltaBtn = addKey(QStringLiteral("−Δ"), QStringLiteral("odjęcie delty [ Page Down ]"),
                         wide(1, 2), &PanelState::MinDeltaBtnClick);
    PlusDeltaBtn = addKey(QStringLiteral("+Δ"), QStringLiteral("dodanie delty [ Page Up ]"),
                          wide(2, 2), &PanelState::PlusDeltaBtnClick);

    constexpr int arrowWidth = 42;
    constexpr int arrowPitch = 46;
    const auto arrow = [&](int column) {
        return QRect(right + column * arrowPitch, row(3), arrowWidth, KeyHeight);
    };
    DDownBtn = addKey({},
                      QStringLiteral("płynne zmniejszanie wartości (duża szybkość)"
                                     "[ Alt + szary minus ]"),
                      arrow(0), &PanelState::DDownBtnClick);
    DDownBtn->setIcon(arrowIcon(false, true));
    DownBtn =
        addKey({}, QStringLiteral("płynne zmniejszanie wartości (mała szybkość) [ szary minus ]"),
               arrow(1), &PanelState::DownBtnClick);
    DownBtn->setIcon(arrowIcon(false, false));
    UpBtn = addKey({}, QStringLiteral("płynne zwiększanie wartości (mała szybkość) [ szary plus ]"),
                   arrow(2), &PanelState::UpBtnClick);
    UpBtn->setIcon(arrowIcon(true, false));
    DUpBtn = addKey({},
                    QStringLiteral("płynne zwiększnie wartości (duża szybkość) "
                                   "[ Alt + szary plus ] "),
                    arrow(3), &PanelState::DUpBtnClick);
    DUpBtn->setIcon(arrowIcon(true, true));
    for (QPushButton *icon : {DDownBtn, DownBtn, UpBtn, DUpBtn})
        icon->setIconSize(QSize(20, 16));

    const std::pair<QPushButton *, const char *> names[] = {
        {KrSBtn, "KrSBtn"},
        {CESBtn, "CESBtn"},
        {UBtn, "UBtn"},
        {IBtn, "IBtn"},
        {FBtn, "FBtn"},
        {EBtn, "EBtn"},
        {SBtn, "SBtn"},
        {BitBtn1, "BitBtn1"},
        {DeltaBtn, "DeltaBtn"},
        {MinDeltaBtn, "MinDeltaBtn"},
        {PlusDeltaBtn, "PlusDeltaBtn"},
        {DDownBtn, "DDownBtn"},
        {DownBtn, "DownBtn"},
        {UpBtn, "UpBtn"},
        {DUpBtn, "DUpBtn"},
    };
    for (const auto &[key, name] : names)
        key->setObjectName(QLatin1String(name));
    for (QPushButton *red : {CESBtn, BitBtn1}) {
        red->setStyleSheet(
            QStringLiteral("QPushButton { background-color: #c8281e; color: white; "
                           "font-weight: bold; border: 1px solid #6a0f0a; border-radius: 3px; }"
                           "QPushButton:pressed { background-color: #8e1a12; }"));
    }
}

void TForm_Pulpit::previewKeys(QWidget *widget)
{
    for (QObject *child : widget->children()) {
        if (auto *w = qobject_cast<QWidget *>(child)) {
            w->installEventFilter(this);
            previewKeys(w);
        }
    }
}

void TForm_Pulpit::run(const std::function<void()> &handler)
{
    if (m_linkFailed)
        return;
    try {
        handler();
    } catch (const std::exception &error) {
        refresh();
        fail(error);
        return;
    }
    refresh();
}

void TForm_Pulpit::fail(const std::exception &error)
{
    // A write the system refused (an adapter pulled out) leaves the link of
    // no use: it closes at once, the operator is told why, and the panel
    // goes, so that no key seems to work while nothing reaches the
    // calibrator.
    m_linkFailed = true;
    m_services.link.close();
    showGeneralError(m_services.prompts, error);
    if (m_showing) {
        // The modal loop is not running yet; close once it is.
        QTimer::singleShot(0, this, [this] { done(QDialog::Rejected); });
    } else {
        done(QDialog::Rejected);
    }
}

void TForm_Pulpit::refresh()
{
    const bool frequencyModel = m_state.frequencyFunctionVisible();
    Panel_ModelKalibratora->setText(m_state.modelCaption());
    Z[PanelState::HundredAmpRange]->setVisible(m_state.highCurrentRangeVisible());
    F[PanelState::FrequencyFunction]->setVisible(frequencyModel);
    F[4]->setText(PanelState::functionCaption(4, frequencyModel));
    F[4]->setToolTip(PanelState::functionHint(4, frequencyModel));
    {
        const QSignalBlocker blockRange(Z[m_state.checkedRange()]);
        Z[m_state.checkedRange()]->setChecked(true);
        const QSignalBlocker blockFunction(F[m_state.checkedFunction()]);
        F[m_state.checkedFunction()]->setChecked(true);
    }
    F[0]->setEnabled(m_state.dcEnabled());
    for (QPushButton *key : {DeltaBtn, MinDeltaBtn, PlusDeltaBtn, DDownBtn, DownBtn, UpBtn, DUpBtn})
        key->setEnabled(m_state.stepKeysEnabled());
    SBtn->setChecked(m_state.standbyDown());
    SBtn->setToolTip(m_state.standbyHint());

    DisplayRow::show(m_state.display(), Cyfra, Kropka);
}

void TForm_Pulpit::setStandby(bool standby)
{
    m_state.setStandby(standby);
    refresh();
}

void TForm_Pulpit::Button_CClick()
{
    run([this] { m_state.CBtnClick(); });
}

void TForm_Pulpit::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    // Each showing is one activation: the window is shown modally and the
    // message boxes it raises return to it without a new one.
    m_linkFailed = false;
    bool reset = false;
    m_showing = true;
    run([this, &reset] {
        m_state.FormShow();
        reset = m_state.FormActivate();
    });
    m_showing = false;
    if (reset)
        Z[0]->setFocus();
}

void TForm_Pulpit::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        m_state.FormClose();
}

bool TForm_Pulpit::handleKey(QKeyEvent *event)
{
    bool handled = false;
    run([this, event, &handled] { handled = m_state.keyDown(event->key(), event->modifiers()); });
    if (handled) {
        event->accept();
        update();
    }
    return handled;
}

void TForm_Pulpit::keyPressEvent(QKeyEvent *event)
{
    if (!handleKey(event))
        QDialog::keyPressEvent(event);
}

bool TForm_Pulpit::eventFilter(QObject *watched, QEvent *event)
{
    // The panel sees every key before the control that has the focus, as the
    // calibrator's own keypad would.
    if (event->type() == QEvent::KeyPress && isVisible()) {
        if (handleKey(static_cast<QKeyEvent *>(event)))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}
