#pragma once

#include "core/output/outputrange.h"
#include "gui/output/desktopfileopener.h"
#include "gui/output/pagepainter.h"

#include <QObject>
#include <QPrinter>

#include <memory>

class CharacteristicFrame;
class ChartPages;
class DocumentSession;
class QAction;
class TForm_Drukowanie;
class TForm_Tabela;
struct Services;

// "&Drukuj" and "Excel" -> "Wyślij" of the verification window, for the
// range it shows. Built once with the window's document, its frame and
// the two menu items; it owns the program's one printer, the print
// selection dialog, the report form and the chart pages.
class OutputMenu : public QObject
{
    Q_OBJECT

public:
    OutputMenu(Services &services, DocumentSession &session, CharacteristicFrame &frame,
               QAction &drukuj, QAction &wyslij);
    ~OutputMenu() override;

    TForm_Drukowanie *Form_Drukowanie = nullptr;
    TForm_Tabela *Form_Tabela = nullptr;
    ChartPages *charts() const { return m_charts; }
    // The program's one printer, made at the first print.
    QPrinter &printer();

    // Where the pages and the workbooks go; the program's printer, the
    // desktop and the cache directory unless a test puts its own in place.
    void setPagePrinter(PagePrinter *printer) { m_pagePrinter = printer; }
    void setFileOpener(FileOpener *opener) { m_opener = opener; }
    void setWorkbookDirectory(const QString &directory) { m_workbookDirectory = directory; }

    void Menu_Plik_DrukujClick();
    void Menu_Plik_Excel_OtworzClick();

    // Pages as one job on the program's printer (or the one a test put in
    // its place).
    void printPages(const QList<OutputPage> &pages);
    // The pages in the preview of the program's printer, over `parent`.
    void previewPages(const QList<OutputPage> &pages, QWidget *parent);

private:
    // "&Drukarka": the printer setup on the program's printer.
    void printerSetup();
    // The pages on the program's printer.
    void printOnPrinter(const QList<OutputPage> &pages);
    // "&Podgląd": the pages the marks would print.
    void preview();
    PrintPlan::Pages pagesFor(const PrintPlan::Marks &marks);
    // A refused range gets its box; false then.
    bool mayOutput(const OutputRange &range);

    Services &m_services;
    DocumentSession &m_session;
    std::unique_ptr<QPrinter> m_printer;
    DesktopFileOpener m_desktop;
    PagePrinter *m_pagePrinter = nullptr;
    FileOpener *m_opener = nullptr;
    QString m_workbookDirectory;
    ChartPages *m_charts = nullptr;
    // The range of the selection dialog on screen.
    OutputRange m_range;
};
