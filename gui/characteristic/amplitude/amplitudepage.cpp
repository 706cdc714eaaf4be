#include "amplitudepage.h"

#include "amplitudecells.h"
#include "amplitudetags.h"
#include "documentsession.h"
#include "errorbox.h"
#include "gridcells.h"
#include "prompts.h"
#include "services.h"
#include "tdanesprawdzania.h"
#include "tform_czestotliwosc.h"
#include "tform_sprawdzanie.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStackedWidget>

using namespace AmplitudeTags;

namespace {

const QColor Yellow(255, 255, 0);
const QColor Silver(192, 192, 192);
const QColor Green(0, 128, 0);
const QColor Olive(128, 128, 0);
const QColor Teal(0, 128, 128);
const QColor Red(255, 0, 0);

constexpr int RowHeight = RowScroller::RowHeight;
constexpr int HeaderHeight = RowScroller::AreaTop;

// Columns of the two grids: left edge and width.
struct Column
{
    int x;
    int width;
};
constexpr Column ZakColumn{2, 68};
constexpr Column CzColumn{70, 72};
constexpr Column KmmColumn{142, 46};
constexpr Column KmzColumn{188, 74};
constexpr int RangeGridWidth = 262;
constexpr int RangeBarX = 263;
constexpr int PointGridX = 282;
constexpr Column WmColumnAt{0, 62};
constexpr Column NkColumnAt{62, 62};
constexpr Column BmrColumnAt{124, 56};
constexpr Column BmdColumnAt{180, 56};
constexpr Column BkColumnAt{236, 50};
constexpr Column UnitColumnAt{286, 30};
constexpr Column TickColumnAt{316, 20};
constexpr int PointGridWidth = 336;
constexpr int PointBarX = PointGridX + PointGridWidth + 1;
constexpr int BarWidth = 16;

void setBackground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    if (palette.color(QPalette::Base) == colour && palette.color(QPalette::Button) == colour)
        return;
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Button, colour);
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
}

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    if (palette.color(QPalette::Text) == colour)
        return;
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

QLabel *headerLabel(QWidget *parent, const char *name, const QString &text, int x, int y, int width,
                    int height, const QColor &colour)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(x, y, width, height);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setAutoFillBackground(true);
    label->setFrameShape(QFrame::Box);
    QFont font = label->font();
    font.setPointSize(7);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    return label;
}

GridEdit *makeEdit(QWidget *parent, const QString &name, int tag, Column column, int y,
                   int maxLength = 0, bool readOnly = false)
{
    auto *edit = new GridEdit(tag, parent);
    edit->setObjectName(name);
    edit->setGeometry(column.x, y, column.width, RowHeight);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    edit->setReadOnly(readOnly);
    edit->setFrame(true);
    edit->setTextMargins(0, 0, 0, 0);
    edit->hide();
    return edit;
}

} // namespace

AmplitudePage::AmplitudePage(Services &services, TForm_Sprawdzanie &window)
    : QWidget(window.Notebook_Charakterystyka), m_services(services), m_window(window),
      m_session(window.session())
{
    setObjectName(QStringLiteral("Tabela"));
    QFont cellFont = font();
    cellFont.setPixelSize(11);
    setFont(cellFont);
    buildHeaders();
    buildRows();
    window.setPage(0, this);

    connect(&m_session, &DocumentSession::documentCreated, this, [this] {
        StworzZakresy(true);
        setHeaderColours();
        ActivColorZakres();
        UkladZakresySB();
        UkladPunktySB();
    });
    connect(&m_session, &DocumentSession::documentLoaded, this, &AmplitudePage::showDocument);
    connect(&m_session, &DocumentSession::aboutToCloseDocument, this, [this] { m_quiet = true; });
    connect(&m_session, &DocumentSession::documentClosed, this, [this] {
        StworzZakresy(false);
        m_quiet = false;
    });
    connect(&m_session, &DocumentSession::aboutToSave, this, &AmplitudePage::commitEdit);
    connect(&window, &TForm_Sprawdzanie::resized, this, &AmplitudePage::afterResize);

    // Dragging the border keeps the width and steps the height by whole
    // rows (60 plus a multiple of 20, within 420..922); a height the program
    // sets is taken as it is.
    window.setMinimumSize(WindowSize::Width, WindowSize::MinHeight);
    window.setMaximumSize(WindowSize::Width, WindowSize::allowedHeight(WindowSize::MaxHeight));
    window.setSizeIncrement(0, RowHeight);
    window.setBaseSize(WindowSize::Width, 60);
    StworzZakresy(false);
}

void AmplitudePage::buildHeaders()
{
    Panel_Naglowki = new QWidget(this);
    Panel_Naglowki->setObjectName(QStringLiteral("Panel_Naglowki"));
    Panel_Naglowki->setGeometry(0, 0, PointBarX + BarWidth, HeaderHeight);
    QWidget *h = Panel_Naglowki;
    Label_Zak = headerLabel(h, "Label_Zak", QStringLiteral("Zakres"), ZakColumn.x, 0,
                            ZakColumn.width, HeaderHeight, Olive);
    Label_Cz = headerLabel(h, "Label_Cz", QStringLiteral("Nastawa częstotliw. kalibratora"),
                           CzColumn.x, 0, CzColumn.width, HeaderHeight, Olive);
    Label_Klasa = headerLabel(h, "Label_Klasa", QStringLiteral("Klasa miernika"), KmmColumn.x, 0,
                              KmmColumn.width + KmzColumn.width, 22, Olive);
    Label_Kl_Kmm = headerLabel(h, "Label_Kl_Kmm", QStringLiteral("% w. mierz."), KmmColumn.x, 22,
                               KmmColumn.width, 22, Olive);
    Label_Kl_Kmz = headerLabel(h, "Label_Kl_Kmz", QStringLiteral("% zakresu"), KmzColumn.x, 22,
                               KmzColumn.width, 22, Olive);
    const int x = PointGridX;
    Label_Wm = headerLabel(h, "Label_Wm", QStringLiteral("Wskazanie miernika badanego"),
                           x + WmColumnAt.x, 0, WmColumnAt.width, HeaderHeight, Olive);
    Label_Nk = headerLabel(h, "Label_Nk", QStringLiteral("Nastawa amplitudy kalibratora"),
                           x + NkColumnAt.x, 0, NkColumnAt.width, HeaderHeight, Olive);
    headerLabel(h, "Label_Blad", QStringLiteral("Błąd miernika"), x + BmrColumnAt.x, 0,
                BmrColumnAt.width + BmdColumnAt.width, 22, Teal);
    headerLabel(h, "Label_Bmr", QStringLiteral("rzeczywisty"), x + BmrColumnAt.x, 22,
                BmrColumnAt.width, 22, Teal);
    headerLabel(h, "Label_Bmd", QStringLiteral("dopuszcz."), x + BmdColumnAt.x, 22,
                BmdColumnAt.width, 22, Teal);
    headerLabel(h, "Label_Bk1", QStringLiteral("Błąd"), x + BkColumnAt.x, 0, BkColumnAt.width, 22,
                Teal);
    headerLabel(h, "Label_Bk2", QStringLiteral("kalibratora"), x + BkColumnAt.x, 22,
                BkColumnAt.width, 22, Teal);
    headerLabel(h, "Label_Jm1", QString(), x + UnitColumnAt.x, 0, UnitColumnAt.width, 22, Teal);
    headerLabel(h, "Label_Jm2", QStringLiteral("j.m."), x + UnitColumnAt.x, 22, UnitColumnAt.width,
                22, Teal);
    BtnON = new QPushButton(QStringLiteral("ON"), h);
    BtnON->setObjectName(QStringLiteral("BtnON"));
    BtnON->setToolTip(QStringLiteral("włącz wszystkie punkty"));
    BtnON->setGeometry(x + TickColumnAt.x, 0, TickColumnAt.width + BarWidth, 22);
    BtnOFF = new QPushButton(QStringLiteral("OFF"), h);
    BtnOFF->setObjectName(QStringLiteral("BtnOFF"));
    BtnOFF->setToolTip(QStringLiteral("wyłącz wszystkie punkty"));
    BtnOFF->setGeometry(x + TickColumnAt.x, 22, TickColumnAt.width + BarWidth, 22);
    for (QPushButton *button : {BtnON, BtnOFF}) {
        QFont font = button->font();
        font.setPointSize(7);
        button->setFont(font);
        button->setAutoDefault(false);
    }
    connect(BtnON, &QPushButton::clicked, this, &AmplitudePage::BtnONClick);
    connect(BtnOFF, &QPushButton::clicked, this, &AmplitudePage::BtnOFFClick);
}

void AmplitudePage::buildRows()
{
    m_rangeClip = new QWidget(this);
    m_rangeClip->setObjectName(QStringLiteral("Obszar_Zakresy"));
    m_pointClip = new QWidget(this);
    m_pointClip->setObjectName(QStringLiteral("Obszar_Punkty"));
    Panel_Zakresy = new QWidget(m_rangeClip);
    Panel_Zakresy->setObjectName(QStringLiteral("Panel_Zakresy"));
    Panel_Zakresy->setGeometry(0, 0, RangeGridWidth, Rows * RowHeight);
    Panel_Punkty = new QWidget(m_pointClip);
    Panel_Punkty->setObjectName(QStringLiteral("Panel_Punkty"));
    Panel_Punkty->setGeometry(0, 0, PointGridWidth, Rows * RowHeight);

    const QStringList items = AmplitudeCells::frequencyItems();
    for (int k = 1; k <= Rows; ++k) {
        const int y = (k - 1) * RowHeight;
        const QString n = QString::number(k);
        Zak[k] = makeEdit(Panel_Zakresy, "Zak" + n, rangeTag(ValueColumn, k), ZakColumn, y);
        Cz[k] = new GridCombo(rangeTag(FrequencyColumn, k), Panel_Zakresy);
        Cz[k]->setObjectName("Cz" + n);
        Cz[k]->setGeometry(CzColumn.x, y, CzColumn.width, RowHeight);
        Cz[k]->addItems(items);
        Cz[k]->hide();
        Kmm[k] =
            makeEdit(Panel_Zakresy, "Kmm" + n, rangeTag(ClassMeasuredColumn, k), KmmColumn, y, 6);
        Kmz[k] =
            makeEdit(Panel_Zakresy, "Kmz" + n, rangeTag(ClassRangeColumn, k), KmzColumn, y, 13);
        connect(Zak[k], &GridEdit::entered, this, &AmplitudePage::ZakEnter);
        connect(Zak[k], &GridEdit::left, this, &AmplitudePage::ZakExit);
        connect(Zak[k], &GridEdit::keyPressed, this, &AmplitudePage::ZakKeyDown);
        connect(Cz[k], &QComboBox::activated, this, [this, k](int item) { CzChange(Cz[k], item); });
        connect(Cz[k], &GridCombo::keyPressed, this, &AmplitudePage::CzKeyDown);
        connect(Kmm[k], &GridEdit::left, this, &AmplitudePage::KmmExit);
        connect(Kmm[k], &GridEdit::keyPressed, this, &AmplitudePage::KmmKeyDown);
        connect(Kmz[k], &GridEdit::left, this, &AmplitudePage::KmzExit);
        connect(Kmz[k], &GridEdit::keyPressed, this, &AmplitudePage::KmzKeyDown);
    }
    for (int j = 1; j <= Rows; ++j) {
        const int y = (j - 1) * RowHeight;
        const QString n = QString::number(j);
        QWidget *p = Panel_Punkty;
        Wm[j] = makeEdit(p, "Wm" + n, pointTag(WmColumn, j), WmColumnAt, y, 8);
        Nk[j] = makeEdit(p, "Nk" + n, pointTag(NkColumn, j), NkColumnAt, y);
        Bmr[j] = makeEdit(p, "Bmr" + n, pointTag(BmrColumn, j), BmrColumnAt, y, 0, true);
        Bmd[j] = makeEdit(p, "Bmd" + n, pointTag(BmdColumn, j), BmdColumnAt, y, 0, true);
        Bk[j] = makeEdit(p, "Bk" + n, pointTag(BkColumn, j), BkColumnAt, y, 0, true);
        jm[j] = makeEdit(p, "jm" + n, pointTag(UnitColumn, j), UnitColumnAt, y, 0, true);
        P[j] = new QFrame(p);
        P[j]->setObjectName("P" + n);
        P[j]->setProperty("tag", pointTag(TickPanelColumn, j));
        P[j]->setFrameShape(QFrame::Box);
        P[j]->setGeometry(TickColumnAt.x, y, TickColumnAt.width, RowHeight);
        P[j]->hide();
        T[j] = new QCheckBox(P[j]);
        T[j]->setObjectName("T" + n);
        T[j]->setProperty("tag", pointTag(TickColumn, j));
        T[j]->setGeometry(3, 2, 16, 16);
        for (GridEdit *cell : {Bmr[j], Bmd[j], Bk[j], jm[j]})
            cell->setFocusPolicy(Qt::ClickFocus);
        for (GridEdit *cell : {Wm[j], Nk[j]}) {
            connect(cell, &GridEdit::left, this, &AmplitudePage::PunktExit);
            connect(cell, &GridEdit::keyPressed, this, &AmplitudePage::PunktKeyDown);
        }
        connect(T[j], &QCheckBox::clicked, this, [this, j](bool checked) { TClick(j, checked); });
    }
    // Tab order within a range row: value, frequency, the two classes.
    QWidget *previous = nullptr;
    for (int k = 1; k <= Rows; ++k) {
        for (QWidget *cell : std::initializer_list<QWidget *>{Zak[k], Cz[k], Kmm[k], Kmz[k]}) {
            if (previous)
                setTabOrder(previous, cell);
            previous = cell;
        }
    }

    ZakresySB = new QScrollBar(Qt::Vertical, this);
    ZakresySB->setObjectName(QStringLiteral("ZakresySB"));
    PunktySB = new QScrollBar(Qt::Vertical, this);
    PunktySB->setObjectName(QStringLiteral("PunktySB"));
    for (QScrollBar *bar : {ZakresySB, PunktySB}) {
        bar->setMinimum(0);
        bar->setSingleStep(1);
        bar->hide();
    }
    connect(ZakresySB, &QScrollBar::valueChanged, this, &AmplitudePage::ZakresySBScroll);
    connect(PunktySB, &QScrollBar::valueChanged, this, &AmplitudePage::PunktySBScroll);
}

bool AmplitudePage::cyfrowy() const
{
    return m_session.record().isCyfrowy();
}

TZakresAmpl AmplitudePage::range(int k) const
{
    return m_session.record().ZakresyAmpl(k);
}

GridEdit *AmplitudePage::entryCell(int j) const
{
    return cyfrowy() ? Nk[j] : Wm[j];
}

int AmplitudePage::currentRange() const
{
    return m_session.BiezacyZakres;
}

int AmplitudePage::ilosczakresow() const
{
    return m_session.record().amplRangeCount();
}

int AmplitudePage::iloscpunktow(int r) const
{
    return range(r).pointCount();
}

int AmplitudePage::groupBoxTop() const
{
    return m_window.GroupBox_Zakres->y();
}

bool AmplitudePage::rangeWritable() const
{
    return !m_quiet && !m_session.closing && !m_session.suppressRangeExit;
}

bool AmplitudePage::pointWritable() const
{
    return !m_quiet && !m_session.closing && !m_session.suppressPointExit;
}

template <typename Handler> void AmplitudePage::leaving(Handler handler)
{
    QScopedValueRollback quiet(m_quiet, true);
    try {
        handler();
    } catch (const std::exception &error) {
        showGeneralError(m_services.prompts, error);
    }
}

void AmplitudePage::showBox(const QString &text, const QString &caption)
{
    if (!m_silent)
        m_services.prompts.show(text, caption);
}

void AmplitudePage::refocus(QWidget *cell)
{
    if (isVisible() && !m_silent)
        cell->setFocus(Qt::OtherFocusReason);
}

void AmplitudePage::markChanged()
{
    m_session.setChanged();
}

void AmplitudePage::enablePomiary()
{
    m_session.setMenuEnabled(DocumentSession::MenuItem::Pomiary, true);
}

void AmplitudePage::setHeaderColours()
{
    const bool digital = cyfrowy();
    for (QLabel *label : {Label_Wm, Label_Nk}) {
        QPalette palette = label->palette();
        const bool entry = (label == Label_Nk) == digital;
        palette.setColor(QPalette::Window, entry ? Green : Olive);
        label->setPalette(palette);
    }
    for (int j = 1; j <= Rows; ++j) {
        Wm[j]->setReadOnly(digital);
        Nk[j]->setReadOnly(!digital);
        Wm[j]->setFocusPolicy(digital ? Qt::ClickFocus : Qt::StrongFocus);
        Nk[j]->setFocusPolicy(digital ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

void AmplitudePage::showRangeRow(int k, bool visible)
{
    for (QWidget *cell : std::initializer_list<QWidget *>{Zak[k], Cz[k], Kmm[k], Kmz[k]})
        cell->setVisible(visible);
}

void AmplitudePage::emptyRangeRow(int k)
{
    Zak[k]->showText(QString());
    Kmm[k]->showText(QString());
    Kmz[k]->showText(QString());
    Cz[k]->setItemText(4, QStringLiteral("f"));
    Cz[k]->setCurrentIndex(0);
}

void AmplitudePage::hidePointRow(int j)
{
    for (QWidget *cell :
         std::initializer_list<QWidget *>{Wm[j], Nk[j], Bmr[j], Bmd[j], Bk[j], jm[j], P[j]})
        cell->hide();
}

void AmplitudePage::StworzZakresy(bool show)
{
    QScopedValueRollback quiet(m_quiet, true);
    for (int k = 1; k <= Rows; ++k) {
        emptyRangeRow(k);
        showRangeRow(k, show && k == 1);
        setBackground(Zak[k], Silver);
        setBackground(Cz[k], Silver);
        setBackground(Kmm[k], Silver);
        setBackground(Kmz[k], Silver);
    }
    for (int j = 1; j <= Rows; ++j) {
        Wm[j]->showText(QString());
        Nk[j]->showText(QString());
        hidePointRow(j);
        T[j]->setChecked(false);
    }
    m_rangeBar = RowScroller();
    m_pointBar = RowScroller();
    applyRangeBar();
    applyPointBar();
    ZakresySB->hide();
    PunktySB->hide();
}

void AmplitudePage::setFrequencyItem(int k)
{
    const TZakresAmpl r = range(k);
    const int item = r.Cz();
    if (item == 4) {
        const QString text = AmplitudeCells::userFrequencyItem(r.CzHz());
        if (!text.isEmpty())
            Cz[k]->setItemText(4, text);
    }
    if (item >= 0 && item <= 4)
        Cz[k]->setCurrentIndex(item);
}

void AmplitudePage::PokazZakres(int k)
{
    QScopedValueRollback quiet(m_quiet, true);
    const TZakresAmpl r = range(k);
    Zak[k]->showText(AmplitudeCells::rangeValueText(r));
    Kmm[k]->showText(AmplitudeCells::classMeasuredText(r));
    Kmz[k]->showText(AmplitudeCells::classRangeText(r));
    setFrequencyItem(k);
    showRangeRow(k, true);
}

void AmplitudePage::PokazZakresy()
{
    for (int k = 1; k <= Rows; ++k) {
        if (!range(k).isEmpty())
            PokazZakres(k);
    }
}

void AmplitudePage::ActivColorZakres()
{
    const int current = currentRange();
    for (int k = 1; k <= Rows; ++k) {
        const QColor &colour = k == current ? Yellow : Silver;
        for (QWidget *cell : std::initializer_list<QWidget *>{Zak[k], Cz[k], Kmm[k], Kmz[k]})
            setBackground(cell, colour);
    }
}

void AmplitudePage::Pokazpunkty(bool keep)
{
    QScopedValueRollback quiet(m_quiet, true);
    setUpdatesEnabled(false);
    if (!keep) {
        for (int j = 1; j <= Rows; ++j) {
            Wm[j]->showText(QString());
            Nk[j]->showText(QString());
            hidePointRow(j);
        }
    }
    entryCell(1)->show();
    const TZakresAmpl r = range(currentRange());
    const bool measured = r.Zmierzony();
    for (int j = 1; j <= Rows; ++j) {
        const TPunktAmpl point = r.Punkty(j);
        if (point.Wpisany())
            PokazPunkt(j);
        if (measured && point.Zmierzony())
            Kolpunkt(j);
    }
    setUpdatesEnabled(true);
}

void AmplitudePage::PokazPunkt(int j)
{
    const TZakresAmpl r = range(currentRange());
    GridEdit *cell = entryCell(j);
    cell->showText(AmplitudeCells::pointEntryText(r, j, cyfrowy()));
    cell->show();
    P[j]->show();
    T[j]->show();
    T[j]->setChecked(r.Punkty(j).Wl());
}

void AmplitudePage::Kolpunkt(int j)
{
    enablePomiary();
    const TZakresAmpl r = range(currentRange());
    const TPunktAmpl point = r.Punkty(j);
    const AmplitudeCells::FullRow row = AmplitudeCells::fullRow(r, point);
    Wm[j]->showText(row.wm);
    Nk[j]->showText(row.nk);
    Bmr[j]->showText(row.bmr);
    Bmd[j]->showText(row.bmd);
    Bk[j]->showText(row.bk);
    jm[j]->showText(row.unit);
    setTextColour(Bmr[j], row.outOfTolerance ? Red : QColor(Qt::black));
    for (QWidget *cell :
         std::initializer_list<QWidget *>{Wm[j], Nk[j], Bmr[j], Bmd[j], Bk[j], jm[j], P[j]})
        cell->show();
    T[j]->setChecked(point.Wl());
}

void AmplitudePage::PokazZakresNaPanelu(int k)
{
    const AmplitudeCells::RangeSummary s = AmplitudeCells::summary(
        Zak[k]->text(), Cz[k]->currentText(), Kmm[k]->text(), Kmz[k]->text());
    m_window.Label_Zakres->setText(s.zakres);
    m_window.Label_CzestNastWska->setText(s.czestotliwosc);
    m_window.Label_Kmm->setText(s.kmm);
    m_window.Label_Kmz->setText(s.kmz);
    m_session.setRangeBoxVisible(true);
}

void AmplitudePage::showDocument()
{
    StworzZakresy(true);
    setHeaderColours();
    PokazZakresy();
    ActivColorZakres();
    Pokazpunkty(false);
    PokazZakresNaPanelu(currentRange());
    m_rangeBar = RowScroller();
    m_pointBar = RowScroller();
    UkladZakresySB();
    UkladPunktySB();
}

void AmplitudePage::commitEdit()
{
    auto *cell = qobject_cast<GridEdit *>(QApplication::focusWidget());
    if (!cell || !isAncestorOf(cell) || !cell->edited())
        return;
    // A write or a close is under way: an edit that is refused stays in its
    // cell, without a box.
    QScopedValueRollback silent(m_silent, true);
    const int tag = cell->tag();
    if (isPointTag(tag)) {
        PunktExit(cell);
        return;
    }
    switch (rangeColumn(tag)) {
    case ValueColumn:
        ZakExit(cell);
        break;
    case ClassMeasuredColumn:
        KmmExit(cell);
        break;
    case ClassRangeColumn:
        KmzExit(cell);
        break;
    default:
        break;
    }
}

// Ranges.

void AmplitudePage::makeCurrent(int k)
{
    m_session.BiezacyZakres = k;
    Pokazpunkty(false);
    ActivColorZakres();
    PokazZakresNaPanelu(k);
    m_pointBar.setPosition(0);
    UkladPunktySB();
}

void AmplitudePage::ZakEnter(GridEdit *cell)
{
    if (m_quiet || !isVisible())
        return;
    makeCurrent(rangeRow(cell->tag()));
}

void AmplitudePage::ZakExit(GridEdit *cell)
{
    if (!rangeWritable())
        return;
    const int k = rangeRow(cell->tag());
    const QString text = cell->text();
    if (!cell->edited() && !text.isEmpty() && !range(k).isEmpty())
        return;
    leaving([&] {
        const auto outcome = AmplitudeCells::leaveRangeValue(range(k), text);
        if (!outcome.message.isEmpty()) {
            showBox(outcome.message, outcome.caption);
            refocus(cell);
            return;
        }
        cell->setModified(false);
        markChanged();
        PokazZakresNaPanelu(k);
    });
}

void AmplitudePage::ZakKeyDown(GridEdit *cell, int key)
{
    const int k = rangeRow(cell->tag());
    if (key == Qt::Key_Escape) {
        if (k >= ilosczakresow())
            removeRange(k);
        return;
    }
    Cz[k]->setFocus(Qt::TabFocusReason);
}

void AmplitudePage::removeRange(int k)
{
    {
        QScopedValueRollback quiet(m_quiet, true);
        range(k).clear();
        markChanged();
        emptyRangeRow(k);
        if (k >= 2) {
            Zak[k - 1]->setFocus(Qt::OtherFocusReason);
            showRangeRow(k, false);
        }
    }
    makeCurrent(k >= 2 ? k - 1 : 1);
    PrzewinZakresy();
    const int count = ilosczakresow();
    if (count >= m_rangeBar.fit()) {
        m_rangeBar.stepBack();
        Panel_Zakresy->move(0, m_rangeBar.areaTop() - HeaderHeight);
    }
    ZakresySB->setVisible(RowScroller::shownFor(count, m_rangeBar.fit()));
}

TForm_Czestotliwosc *AmplitudePage::frequencyDialog()
{
    if (!m_frequencyDialog)
        m_frequencyDialog = new TForm_Czestotliwosc(m_services.prompts, this);
    return m_frequencyDialog;
}

void AmplitudePage::CzChange(GridCombo *cell, int item)
{
    if (!rangeWritable())
        return;
    const int k = rangeRow(cell->tag());
    const QByteArray before = m_session.record().toBytes();
    leaving([&] {
        if (item == 4) {
            const QString text = frequencyDialog()->ask();
            if (text.isEmpty()) {
                setFrequencyItem(k);
                return;
            }
            cell->setItemText(4, text + QStringLiteral("Hz"));
            cell->setCurrentIndex(4);
            AmplitudeCells::chooseFrequency(range(k), 4, text);
        } else {
            AmplitudeCells::chooseFrequency(range(k), item);
        }
    });
    if (m_session.record().toBytes() != before)
        markChanged();
    if (k == currentRange())
        PokazZakresNaPanelu(k);
}

void AmplitudePage::CzKeyDown(GridCombo *cell, int key)
{
    if (key == Qt::Key_Escape)
        return;
    const int k = rangeRow(cell->tag());
    if (rangeWritable()) {
        TZakresAmpl r = range(k);
        const int item = cell->currentIndex();
        const std::int32_t before = r.Cz();
        if (item >= 0 && item <= 3)
            AmplitudeCells::chooseFrequency(r, item);
        else if (item == 4 && r.Cz() != 4)
            r.setCz(4);
        if (r.Cz() != before)
            markChanged();
    }
    Kmm[k]->setFocus(Qt::TabFocusReason);
}

void AmplitudePage::KmmExit(GridEdit *cell)
{
    leaveClassCell(cell, &AmplitudeCells::leaveClassMeasured);
}

void AmplitudePage::leaveClassCell(GridEdit *cell,
                                   AmplitudeCells::Outcome (*leave)(TZakresAmpl, const QString &))
{
    if (!rangeWritable())
        return;
    const int k = rangeRow(cell->tag());
    const QString text = cell->text();
    if (!cell->edited() && !text.isEmpty() && !range(k).isEmpty())
        return;
    leaving([&] {
        const auto outcome = leave(range(k), text);
        if (!outcome.message.isEmpty()) {
            showBox(outcome.message, outcome.caption);
            refocus(cell);
            return;
        }
        cell->setModified(false);
        if (outcome.changed)
            markChanged();
        if (k == currentRange())
            PokazZakresNaPanelu(k);
    });
}

void AmplitudePage::KmmKeyDown(GridEdit *cell, int key)
{
    if (key != Qt::Key_Escape)
        Kmz[rangeRow(cell->tag())]->setFocus(Qt::TabFocusReason);
}

void AmplitudePage::KmzExit(GridEdit *cell)
{
    leaveClassCell(cell, &AmplitudeCells::leaveClassRange);
}

void AmplitudePage::KmzKeyDown(GridEdit *cell, int key)
{
    const int k = rangeRow(cell->tag());
    if (key == Qt::Key_Escape || k >= Rows || k < ilosczakresow())
        return;
    showRangeRow(k + 1, true);
    Zak[k + 1]->setFocus(Qt::TabFocusReason);
    PrzewinZakresy();
}

// Points.

void AmplitudePage::PunktExit(GridEdit *cell)
{
    if (!pointWritable())
        return;
    const int j = pointRow(cell->tag());
    if (cell != entryCell(j))
        return;
    const int k = currentRange();
    const QString text = cell->text();
    if (!cell->edited() && !text.isEmpty() && range(k).Punkty(j).Wpisany())
        return;
    leaving([&] {
        const auto outcome = AmplitudeCells::leavePoint(range(k), j, text, cyfrowy());
        if (!outcome.message.isEmpty()) {
            showBox(outcome.message, outcome.caption);
            refocus(cell);
        } else if (outcome.removed) {
            cell->showText(QString());
        } else {
            PokazPunkt(j);
        }
        if (outcome.changed)
            markChanged();
        enablePomiary();
    });
}

void AmplitudePage::PunktKeyDown(GridEdit *cell, int key)
{
    const int j = pointRow(cell->tag());
    const int k = currentRange();
    if (key == Qt::Key_Escape) {
        if (j != 1 && j >= iloscpunktow(k))
            removePoint(j);
        return;
    }
    if (iloscpunktow(k) >= Rows)
        return;
    if (j >= Rows) {
        if (iloscpunktow(k) > m_pointBar.fit())
            BtnON->setFocus(Qt::TabFocusReason);
        else
            entryCell(1)->setFocus(Qt::TabFocusReason);
        return;
    }
    GridEdit *next = entryCell(j + 1);
    // A point already there keeps its value; only a new row opens empty.
    if (!range(k).Punkty(j + 1).Wpisany())
        next->showText(QString());
    next->show();
    next->setFocus(Qt::TabFocusReason);
    PrzewinPunkty();
}

void AmplitudePage::removePoint(int j)
{
    const int k = currentRange();
    GridEdit *cell = entryCell(j);
    {
        QScopedValueRollback quiet(m_quiet, true);
        cell->showText(QStringLiteral("-1"));
        AmplitudeCells::leavePoint(range(k), j, cell->text(), cyfrowy());
        cell->showText(QString());
        entryCell(j - 1)->setFocus(Qt::OtherFocusReason);
        hidePointRow(j);
    }
    markChanged();
    PrzewinPunkty();
    const int count = iloscpunktow(k);
    if (count >= m_pointBar.fit()) {
        m_pointBar.stepBack();
        Panel_Punkty->move(0, m_pointBar.areaTop() - HeaderHeight);
    }
    PunktySB->setVisible(RowScroller::shownFor(count, m_pointBar.fit()));
    enablePomiary();
}

void AmplitudePage::TClick(int j, bool checked)
{
    if (!pointWritable())
        return;
    TPunktAmpl point = range(currentRange()).Punkty(j);
    if (point.Wl() == checked)
        return;
    point.setWl(checked);
    markChanged();
}

void AmplitudePage::BtnONClick()
{
    if (AmplitudeCells::setTicks(range(currentRange()), true))
        markChanged();
    Pokazpunkty(true);
}

void AmplitudePage::BtnOFFClick()
{
    if (AmplitudeCells::setTicks(range(currentRange()), false))
        markChanged();
    Pokazpunkty(true);
}

// Scroll bars.

namespace {

// Puts a scroller's arithmetic onto its bar and moves the rows it scrolls.
void applyBar(QScrollBar *bar, const RowScroller &scroller, QWidget *rows, int headerHeight)
{
    const QSignalBlocker block(bar);
    bar->setMaximum(scroller.maximum());
    bar->setPageStep(std::max(1, scroller.pageStep()));
    bar->setValue(scroller.position());
    rows->move(0, scroller.areaTop() - headerHeight);
}

} // namespace

void AmplitudePage::applyRangeBar()
{
    applyBar(ZakresySB, m_rangeBar, Panel_Zakresy, HeaderHeight);
}

void AmplitudePage::applyPointBar()
{
    applyBar(PunktySB, m_pointBar, Panel_Punkty, HeaderHeight);
}

void AmplitudePage::UkladZakresySB()
{
    const int top = groupBoxTop();
    m_rangeBar.layout(ilosczakresow(), top);
    const int height = std::max(0, top - RowScroller::Margin);
    ZakresySB->setGeometry(RangeBarX, HeaderHeight, BarWidth, height);
    m_rangeClip->setGeometry(0, HeaderHeight, RangeGridWidth, height + RowHeight);
    applyRangeBar();
    ZakresySB->setVisible(RowScroller::shownFor(ilosczakresow(), m_rangeBar.fit()));
}

void AmplitudePage::UkladPunktySB()
{
    const int top = groupBoxTop();
    const int count = iloscpunktow(currentRange());
    m_pointBar.layout(count, top);
    const int height = std::max(0, top - RowScroller::Margin);
    PunktySB->setGeometry(PointBarX, HeaderHeight, BarWidth, height);
    m_pointClip->setGeometry(PointGridX, HeaderHeight, PointGridWidth, height + RowHeight);
    applyPointBar();
    PunktySB->setVisible(RowScroller::shownFor(count, m_pointBar.fit()));
}

void AmplitudePage::layoutScrollBars()
{
    UkladZakresySB();
    UkladPunktySB();
}

void AmplitudePage::PrzewinZakresy()
{
    const int count = ilosczakresow();
    m_rangeBar.scrollToLast(count, groupBoxTop());
    applyRangeBar();
    ZakresySB->setVisible(m_rangeBar.needed());
}

void AmplitudePage::PrzewinPunkty()
{
    const int count = iloscpunktow(currentRange());
    if (!m_pointBar.scrollToLast(count, groupBoxTop()))
        BtnON->setFocus(Qt::OtherFocusReason);
    applyPointBar();
    PunktySB->setVisible(m_pointBar.needed());
}

void AmplitudePage::ZakresySBScroll(int position)
{
    m_rangeBar.setPosition(position);
    Panel_Zakresy->move(0, m_rangeBar.areaTop() - HeaderHeight);
}

void AmplitudePage::PunktySBScroll(int position)
{
    m_pointBar.setPosition(position);
    Panel_Punkty->move(0, m_pointBar.areaTop() - HeaderHeight);
}

void AmplitudePage::afterResize()
{
    const int top = groupBoxTop();
    m_rangeBar.afterResize(ilosczakresow(), top);
    m_pointBar.afterResize(iloscpunktow(currentRange()), top);
    UkladZakresySB();
    UkladPunktySB();
}
