#pragma once

#include "core/output/chartcontent.h"
#include "core/output/outputrange.h"
#include "core/output/reportcontent.h"

#include <QList>
#include <QString>

#include <variant>

class DocumentExtension;
class TDaneSprawdzania;

// One printed page: the report's table or a chart.
using OutputPage = std::variant<ReportContent, ChartContent>;

// What can be printed of a range, and in which order: the table, the points
// chart, the errors chart.
namespace PrintPlan {

struct Marks
{
    bool table = false;
    bool points = false;
    bool errors = false;
};

// Which of the three may be chosen: the table when the meter has a name,
// the charts when the range has been measured. Nothing for a document
// without a method, and nothing for a range that refusal() refuses.
Marks enabled(const TDaneSprawdzania &record, const OutputRange &range);

// What prints: a mark counts only where it may be chosen.
Marks printed(const Marks &marked, const Marks &enabled);

struct Pages
{
    QList<OutputPage> pages;
    // A chart was asked for but had nothing to plot; it is left out.
    bool chartRefused = false;
};

// The pages of the marks, in their fixed order: table, points chart, errors
// chart. The range must be one refusal() lets through.
Pages build(const TDaneSprawdzania &record, const DocumentExtension &extension,
            const OutputRange &range, const Marks &marks);

} // namespace PrintPlan

// Prints pages as one job. The program's printer, the PDF writer of the
// command line and the tests' recorder stand behind it. Throws EInOutError
// when the printer or the file cannot take the pages.
class PagePrinter
{
public:
    virtual ~PagePrinter() = default;
    virtual void print(const QList<OutputPage> &pages) = 0;
};
