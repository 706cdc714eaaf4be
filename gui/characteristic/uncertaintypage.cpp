#include "gui/characteristic/uncertaintypage.h"

#include "core/base/errorbox.h"
#include "core/base/prompts.h"
#include "core/calibrator/services.h"
#include "core/characteristic/viewswitch.h"
#include "core/document/documentsession.h"
#include "gui/characteristic/characteristicpage.h"
#include "gui/document/characteristicframe.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// The decision column, coloured as the grid colours the actual error.
constexpr int DecisionColumn = 7;

QColor decisionColour(Decision decision)
{
    switch (decision) {
    case Decision::Pass:
        return Qt::black;
    case Decision::ConditionalPass:
    case Decision::ConditionalFail:
        return QColor(255, 140, 0);
    case Decision::Fail:
        break;
    }
    return QColor(255, 0, 0);
}

QLabel *makeLabel(QWidget *parent, const char *name, const QString &text = {})
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

} // namespace

UncertaintyPage::UncertaintyPage(Services &services, DocumentSession &session,
                                 CharacteristicFrame &frame, CharacteristicPage &page)
    : QWidget(&frame.notebook()), m_services(services), m_session(session), m_page(page)
{
    setObjectName(QStringLiteral("Niepewnosc") + (page.characteristic() == Characteristic::Amplitude
                                                      ? QString()
                                                      : QStringLiteral("_Cz")));
    Label_Zakres = makeLabel(this, "Label_Zakres");
    Label_Rozdzielczosc = makeLabel(this, "Label_Rozdzielczosc", QStringLiteral("Rozdzielczość:"));
    Edit_Rozdzielczosc = new QLineEdit(this);
    Edit_Rozdzielczosc->setObjectName(QStringLiteral("Edit_Rozdzielczosc"));
    Edit_Rozdzielczosc->setMaxLength(20);
    Edit_Rozdzielczosc->setFixedWidth(100);
    Edit_Rozdzielczosc->setToolTip(
        QStringLiteral("Jedna cyfra miernika cyfrowego albo odczytywalna część działki "
                       "miernika analogowego, w jednostce zakresu; puste, gdy nie podano."));
    Label_Rozdzielczosc->setBuddy(Edit_Rozdzielczosc);
    Label_JmRozdzielczosci = makeLabel(this, "Label_JmRozdzielczosci");
    Label_BezRozdzielczosci = makeLabel(this, "Label_BezRozdzielczosci");

    const QStringList columns = UncertaintyContent::columns();
    Table_Niepewnosc = new QTableWidget(0, int(columns.size()), this);
    Table_Niepewnosc->setObjectName(QStringLiteral("Table_Niepewnosc"));
    Table_Niepewnosc->setHorizontalHeaderLabels(columns);
    Table_Niepewnosc->verticalHeader()->hide();
    Table_Niepewnosc->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table_Niepewnosc->setSelectionMode(QAbstractItemView::NoSelection);
    Table_Niepewnosc->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    Label_Regula = makeLabel(this, "Label_Regula");
    Label_Oceny = makeLabel(this, "Label_Oceny");
    Label_NajnizszyTUR = makeLabel(this, "Label_NajnizszyTUR");

    auto *top = new QHBoxLayout;
    top->addWidget(Label_Zakres);
    top->addSpacing(16);
    top->addWidget(Label_Rozdzielczosc);
    top->addWidget(Edit_Rozdzielczosc);
    top->addWidget(Label_JmRozdzielczosci);
    top->addSpacing(8);
    top->addWidget(Label_BezRozdzielczosci);
    top->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Table_Niepewnosc, 1);
    layout->addWidget(Label_Regula);
    layout->addWidget(Label_Oceny);
    layout->addWidget(Label_NajnizszyTUR);

    connect(Edit_Rozdzielczosc, &QLineEdit::editingFinished, this,
            &UncertaintyPage::Edit_RozdzielczoscExit);
    // Whatever changes what the page shows: another rule or resolution,
    // another document, and the results of a run.
    for (auto signal : {&DocumentSession::extensionChanged, &DocumentSession::documentLoaded,
                        &DocumentSession::documentCreated, &DocumentSession::documentClosed})
        connect(&m_session, signal, this, &UncertaintyPage::refresh);
    connect(&page.grid(), &CharacteristicGrid::changed, this, [this] {
        if (isVisible())
            refresh();
    });
    connect(&m_session, &DocumentSession::aboutToSave, this, [this] {
        if (Edit_Rozdzielczosc->isModified())
            Edit_RozdzielczoscExit();
    });
    frame.setPage(ViewSwitch::uncertaintyPage(page.characteristic()), this);
    refresh();
}

int UncertaintyPage::shownRange() const
{
    return m_session.currentRange(m_page.characteristic());
}

void UncertaintyPage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    refresh();
}

void UncertaintyPage::refresh()
{
    m_content = UncertaintyContent::fill(m_session.record(), m_session.extension(),
                                         m_page.characteristic(), shownRange());
    Label_Zakres->setText(m_content.zakres);
    Edit_Rozdzielczosc->setEnabled(m_content.editable);
    if (!Edit_Rozdzielczosc->hasFocus() || !Edit_Rozdzielczosc->isModified()) {
        Edit_Rozdzielczosc->setText(m_content.resolution);
        Edit_Rozdzielczosc->setModified(false);
    }
    Label_JmRozdzielczosci->setText(m_content.unit);
    Label_BezRozdzielczosci->setText(m_content.resolutionNote);

    Table_Niepewnosc->setRowCount(int(m_content.rows.size()));
    for (int row = 0; row < m_content.rows.size(); ++row) {
        const UncertaintyContent::Row &shown = m_content.rows.at(row);
        for (int column = 0; column < shown.cells.size(); ++column) {
            auto *item = new QTableWidgetItem(shown.cells.at(column));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (column == DecisionColumn)
                item->setForeground(decisionColour(shown.decision));
            Table_Niepewnosc->setItem(row, column, item);
        }
    }
    Label_Regula->setText(m_content.rule);
    Label_Oceny->setText(m_content.counts);
    Label_NajnizszyTUR->setText(m_content.lowestTur);
}

void UncertaintyPage::Edit_RozdzielczoscExit()
{
    if (!Edit_Rozdzielczosc->isModified())
        return;
    Edit_Rozdzielczosc->setModified(false);
    guarded(m_services.prompts, [this] {
        const QString refused = UncertaintyContent::enterResolution(
            m_session, m_page.characteristic(), shownRange(), Edit_Rozdzielczosc->text());
        if (!refused.isEmpty())
            m_services.prompts.show(refused, QStringLiteral("Błąd"), PromptIcon::Warning);
    });
    refresh();
}
