#include "gui/output/outputmenu.h"

#include "core/base/errorbox.h"
#include "core/base/prompts.h"
#include "core/calibrator/services.h"
#include "core/document/documentsession.h"
#include "gui/document/characteristicframe.h"
#include "gui/output/chartpages.h"
#include "gui/output/tform_drukowanie.h"
#include "gui/output/tform_tabela.h"

#include <QAction>
#include <QPrintDialog>
#include <QPrintPreviewDialog>

OutputMenu::OutputMenu(Services &services, DocumentSession &session, CharacteristicFrame &frame,
                       QAction &drukuj, QAction &wyslij)
    : QObject(&frame.window()), m_services(services), m_session(session),
      m_workbookDirectory(SpreadsheetExport::directory())
{
    QWidget *window = &frame.window();
    Form_Drukowanie = new TForm_Drukowanie(window);
    Form_Drukowanie->onPrinterSetup = [this] { printerSetup(); };
    Form_Drukowanie->onPreview = [this] { preview(); };
    Form_Tabela = new TForm_Tabela(window);
    m_charts = new ChartPages(services.prompts, session, frame);

    connect(&drukuj, &QAction::triggered, this, &OutputMenu::Menu_Plik_DrukujClick);
    connect(&wyslij, &QAction::triggered, this, &OutputMenu::Menu_Plik_Excel_OtworzClick);
}

OutputMenu::~OutputMenu() = default;

QPrinter &OutputMenu::printer()
{
    // Asking the print system for its printers can take a while; the
    // program starts without it.
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        DevicePagePrinter::prepare(*m_printer);
    }
    return *m_printer;
}

bool OutputMenu::mayOutput(const OutputRange &range)
{
    const QString refusal = OutputRanges::refusal(m_session.record(), range);
    if (refusal.isEmpty())
        return true;
    m_services.prompts.show(refusal, OutputRanges::refusalCaption(), PromptIcon::Warning);
    return false;
}

void OutputMenu::Menu_Plik_DrukujClick()
{
    guarded(m_services.prompts, [this] {
        // The value being typed into a cell belongs on the page.
        Q_EMIT m_session.aboutToSave();
        if (!m_session.record().hasMethod())
            return;
        m_range = OutputRanges::shown(m_session);
        if (!mayOutput(m_range))
            return;
        Form_Drukowanie->setEnabledMarks(PrintPlan::enabled(m_session.record(), m_range));
        if (m_services.prompts.exec(Form_Drukowanie) != QDialog::Accepted)
            return;
        const PrintPlan::Pages pages =
            pagesFor(PrintPlan::printed(Form_Drukowanie->marks(), Form_Drukowanie->enabledMarks()));
        if (pages.pages.isEmpty())
            return;
        if (m_pagePrinter)
            m_pagePrinter->print(pages.pages);
        else
            printOnPrinter(pages.pages);
    });
}

void OutputMenu::printOnPrinter(const QList<OutputPage> &pages)
{
    try {
        DevicePagePrinter(printer()).print(pages);
    } catch (...) {
        // A printer that failed to start stays active to Qt, which then
        // ignores every later choice made in "&Drukarka". The next print
        // gets a new one, still with the printer or file chosen.
        const QPrinter &failed = *m_printer;
        auto renewed = std::make_unique<QPrinter>(QPrinter::HighResolution);
        DevicePagePrinter::prepare(*renewed);
        if (!failed.printerName().isEmpty())
            renewed->setPrinterName(failed.printerName());
        if (failed.outputFormat() == QPrinter::PdfFormat) {
            renewed->setOutputFormat(QPrinter::PdfFormat);
            renewed->setOutputFileName(failed.outputFileName());
        }
        m_printer = std::move(renewed);
        throw;
    }
}

PrintPlan::Pages OutputMenu::pagesFor(const PrintPlan::Marks &marks)
{
    const TDaneSprawdzania &record = m_session.record();
    const DocumentExtension &extension = m_session.extension();
    // The table is printed from the report form, filled first.
    PrintPlan::Marks charts = marks;
    charts.table = false;
    PrintPlan::Pages pages = PrintPlan::build(record, extension, m_range, charts);
    if (marks.table) {
        Form_Tabela->fill(record, extension, m_range);
        pages.pages.prepend(Form_Tabela->report());
    }
    if (pages.chartRefused)
        m_services.prompts.show(ChartContent::refusalText(), ChartContent::refusalCaption());
    return pages;
}

void OutputMenu::printerSetup()
{
    QPrintDialog dialog(&printer(), Form_Drukowanie);
    dialog.setObjectName(QStringLiteral("PrinterSetupDialog1"));
    m_services.prompts.exec(&dialog);
}

void OutputMenu::preview()
{
    guarded(m_services.prompts, [this] {
        const QList<OutputPage> pages =
            pagesFor(PrintPlan::printed(Form_Drukowanie->marks(), Form_Drukowanie->enabledMarks()))
                .pages;
        if (pages.isEmpty())
            return;
        DevicePagePrinter::prepare(printer());
        QPrintPreviewDialog dialog(&printer(), Form_Drukowanie);
        dialog.setObjectName(QStringLiteral("PrintPreview"));
        dialog.setWindowTitle(QStringLiteral("Podgląd wydruku"));
        connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
                [this, &pages](QPrinter *printer) {
                    guarded(m_services.prompts, [&] {
                        PagePainter::paint(*printer, pages,
                                           QStringLiteral("Nie można pokazać podglądu."));
                    });
                });
        m_services.prompts.exec(&dialog);
    });
}

void OutputMenu::Menu_Plik_Excel_OtworzClick()
{
    guarded(m_services.prompts, [this] {
        Q_EMIT m_session.aboutToSave();
        SpreadsheetExport::send(m_session.record(), m_session.extension(),
                                OutputRanges::shown(m_session), m_workbookDirectory,
                                m_opener ? *m_opener : m_desktop, m_services.prompts);
    });
}
