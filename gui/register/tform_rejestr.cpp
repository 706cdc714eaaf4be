#include "gui/register/tform_rejestr.h"

#include "core/base/errorbox.h"
#include "core/base/prompts.h"
#include "core/calibrator/services.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QTableWidget *makeTable(const char *name, const QStringList &headers)
{
    auto *table = new QTableWidget(0, int(headers.size()));
    table->setObjectName(QLatin1String(name));
    table->setHorizontalHeaderLabels(headers);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

const QString Caption = QStringLiteral("Rejestr mierników");

} // namespace

TForm_Rejestr::TForm_Rejestr(Services &services, QWidget *parent)
    : QDialog(parent), m_services(services)
{
    setObjectName(QStringLiteral("Form_Rejestr"));
    setWindowTitle(Caption);
    resize(900, 560);

    Edit_Szukaj = new QLineEdit;
    Edit_Szukaj->setObjectName(QStringLiteral("Edit_Szukaj"));
    Edit_Szukaj->setPlaceholderText(QStringLiteral("nazwa lub numer miernika"));
    Button_Szukaj = new QPushButton(QStringLiteral("&Szukaj"));
    Button_Szukaj->setObjectName(QStringLiteral("Button_Szukaj"));
    Button_Szukaj->setAutoDefault(false);
    auto *searchRow = new QHBoxLayout;
    searchRow->addWidget(new QLabel(QStringLiteral("Miernik:")));
    searchRow->addWidget(Edit_Szukaj, 1);
    searchRow->addWidget(Button_Szukaj);

    Table_Mierniki = makeTable("Table_Mierniki", RegisterBrowser::searchHeaders());
    Table_Historia = makeTable("Table_Historia", RegisterBrowser::historyHeaders());
    auto *meters = new QSplitter(Qt::Vertical);
    meters->addWidget(Table_Mierniki);
    meters->addWidget(Table_Historia);

    SpinEdit_Dni = new QSpinBox;
    SpinEdit_Dni->setObjectName(QStringLiteral("SpinEdit_Dni"));
    SpinEdit_Dni->setRange(0, 3650);
    SpinEdit_Dni->setValue(30);
    Table_DoSprawdzenia = makeTable("Table_DoSprawdzenia", RegisterBrowser::dueHeaders());
    auto *duePage = new QWidget;
    auto *dueLayout = new QVBoxLayout(duePage);
    auto *daysRow = new QHBoxLayout;
    daysRow->addWidget(new QLabel(QStringLiteral("Termin sprawdzenia w ciągu")));
    daysRow->addWidget(SpinEdit_Dni);
    daysRow->addWidget(new QLabel(QStringLiteral("dni lub przekroczony")));
    daysRow->addStretch(1);
    dueLayout->addLayout(daysRow);
    dueLayout->addWidget(Table_DoSprawdzenia);

    PageControl_Rejestr = new QTabWidget;
    PageControl_Rejestr->setObjectName(QStringLiteral("PageControl_Rejestr"));
    PageControl_Rejestr->addTab(meters, QStringLiteral("&Mierniki"));
    PageControl_Rejestr->addTab(duePage, QStringLiteral("Do sprawdzenia"));

    Button_Otworz = new QPushButton(QStringLiteral("&Otwórz dokument"));
    Button_Otworz->setObjectName(QStringLiteral("Button_Otworz"));
    Button_Otworz->setAutoDefault(false);
    Button_Zamknij = new QPushButton(QStringLiteral("&Zamknij"));
    Button_Zamknij->setObjectName(QStringLiteral("Button_Zamknij"));
    Button_Zamknij->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button_Otworz);
    buttons->addWidget(Button_Zamknij);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(PageControl_Rejestr, 1);
    layout->addLayout(buttons);

    connect(Button_Szukaj, &QPushButton::clicked, this, &TForm_Rejestr::Button_SzukajClick);
    connect(Edit_Szukaj, &QLineEdit::returnPressed, this, &TForm_Rejestr::Button_SzukajClick);
    connect(Table_Mierniki, &QTableWidget::itemSelectionChanged, this,
            &TForm_Rejestr::Table_MiernikiSelectionChanged);
    connect(SpinEdit_Dni, &QSpinBox::valueChanged, this, &TForm_Rejestr::SpinEdit_DniChange);
    connect(Button_Otworz, &QPushButton::clicked, this, &TForm_Rejestr::Button_OtworzClick);
    connect(Table_Historia, &QTableWidget::itemDoubleClicked, this,
            &TForm_Rejestr::Button_OtworzClick);
    connect(Table_DoSprawdzenia, &QTableWidget::itemDoubleClicked, this,
            &TForm_Rejestr::Button_OtworzClick);
    connect(Button_Zamknij, &QPushButton::clicked, this, &QDialog::accept);
}

void TForm_Rejestr::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // What the register holds now: other workstations add to it meanwhile.
    Button_SzukajClick();
    SpinEdit_DniChange();
}

void TForm_Rejestr::fill(QTableWidget *table, const QList<RegisterBrowser::Row> &rows)
{
    const QSignalBlocker quiet(table);
    table->clearContents();
    table->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].cells.size(); ++c) {
            auto *item = new QTableWidgetItem(rows[r].cells[c]);
            if (rows[r].overdue)
                item->setForeground(QColor(255, 0, 0));
            table->setItem(r, c, item);
        }
    }
    table->resizeColumnsToContents();
}

void TForm_Rejestr::Button_SzukajClick()
{
    guarded(m_services.prompts, [this] {
        m_meters = m_browser.search(Edit_Szukaj->text());
        fill(Table_Mierniki, m_meters);
        m_history.clear();
        fill(Table_Historia, m_history);
        if (!m_meters.isEmpty())
            Table_Mierniki->selectRow(0);
    });
}

void TForm_Rejestr::Table_MiernikiSelectionChanged()
{
    guarded(m_services.prompts, [this] {
        const int row = Table_Mierniki->currentRow();
        m_history.clear();
        if (row >= 0 && row < m_meters.size())
            m_history = m_browser.history(m_meters[row].verification.name,
                                          m_meters[row].verification.number);
        fill(Table_Historia, m_history);
        if (!m_history.isEmpty())
            Table_Historia->selectRow(0);
    });
}

void TForm_Rejestr::SpinEdit_DniChange()
{
    guarded(m_services.prompts, [this] {
        m_due = m_browser.due(today ? today() : QDate::currentDate(), SpinEdit_Dni->value());
        fill(Table_DoSprawdzenia, m_due);
    });
}

const Verification *TForm_Rejestr::currentVerification() const
{
    const bool duePage = PageControl_Rejestr->currentIndex() == 1;
    const QTableWidget *table = duePage ? Table_DoSprawdzenia : Table_Historia;
    const QList<RegisterBrowser::Row> &rows = duePage ? m_due : m_history;
    const int row = table->currentRow();
    return row >= 0 && row < rows.size() ? &rows[row].verification : nullptr;
}

void TForm_Rejestr::Button_OtworzClick()
{
    const Verification *verification = currentVerification();
    if (!verification)
        return;
    const QString path = verification->path;
    const QString shown = QDir::toNativeSeparators(path);
    switch (RegisterBrowser::fileState(*verification)) {
    case RegisterBrowser::FileState::Missing:
        m_services.prompts.show(
            QStringLiteral("Nie ma już pliku tego sprawdzenia. Rejestr zna go pod ścieżką:\n%1")
                .arg(shown),
            Caption, PromptIcon::Warning);
        return;
    case RegisterBrowser::FileState::Changed:
        if (m_services.prompts.show(
                QStringLiteral("Plik tego sprawdzenia zmienił się od wpisu do rejestru (jego "
                               "SHA-256 jest inny):\n%1\n\nOtworzyć go mimo to?")
                    .arg(shown),
                Caption, PromptIcon::Question,
                PromptButton::Yes | PromptButton::No) != PromptButton::Yes)
            return;
        break;
    case RegisterBrowser::FileState::Present:
        break;
    }
    if (!openDocument)
        return;
    openDocument(path);
    // The document may have been saved again meanwhile.
    Table_MiernikiSelectionChanged();
    SpinEdit_DniChange();
}
