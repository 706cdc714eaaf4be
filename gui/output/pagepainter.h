#pragma once

#include "core/output/printplan.h"

#include <QString>

class QPagedPaintDevice;
class QPainter;
class QPrinter;

// The printed pages on paper and in PDF files: A4 portrait, one output page
// per sheet, drawn in the report's design pixels from the paper's corner.
namespace PagePainter {

// Draws one page onto a painter in design pixels.
void paintPage(QPainter &painter, const OutputPage &page);

// Draws the pages onto a printer or a PDF writer. Throws EInOutError with
// `failure` as its text when the device does not start.
void paint(QPagedPaintDevice &device, const QList<OutputPage> &pages, const QString &failure);

} // namespace PagePainter

// The program's printer, as chosen through "&Drukarka".
class DevicePagePrinter : public PagePrinter
{
public:
    explicit DevicePagePrinter(QPrinter &printer) : m_printer(printer) {}
    void print(const QList<OutputPage> &pages) override;

    // A4 portrait, drawn from the paper's corner.
    static void prepare(QPrinter &printer);

private:
    QPrinter &m_printer;
};

// A PDF file, written as every output of the program is (OutputFile):
// whole, or not at all.
class PdfPagePrinter : public PagePrinter
{
public:
    explicit PdfPagePrinter(const QString &fileName) : m_fileName(fileName) {}
    void print(const QList<OutputPage> &pages) override;

private:
    QString m_fileName;
};
