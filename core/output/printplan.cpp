#include "core/output/printplan.h"

#include "core/document/tdanesprawdzania.h"

namespace PrintPlan {

Marks enabled(const TDaneSprawdzania &record, const OutputRange &range)
{
    if (!record.hasMethod() || !OutputRanges::refusal(record, range).isEmpty())
        return {};
    const bool measured = range.characteristic == Characteristic::Amplitude
                              ? record.ZakresyAmpl(range.range).Zmierzony()
                              : record.ZakresyCz(range.range).Zmierzony();
    return {!record.Nazwa().isEmpty(), measured, measured};
}

Marks printed(const Marks &marked, const Marks &enabled)
{
    return {marked.table && enabled.table, marked.points && enabled.points,
            marked.errors && enabled.errors};
}

Pages build(const TDaneSprawdzania &record, const DocumentExtension &extension,
            const OutputRange &range, const Marks &marks)
{
    Pages result;
    if (marks.table)
        result.pages.append(ReportContent::fill(record, extension, range));
    const ChartTable table = ChartContent::tableOf(record, range.characteristic);
    for (const auto &[marked, kind] :
         {std::pair{marks.points, ChartKind::Points}, std::pair{marks.errors, ChartKind::Errors}}) {
        if (!marked)
            continue;
        if (auto chart = ChartContent::build(record, extension, table, kind, range.range))
            result.pages.append(std::move(*chart));
        else
            result.chartRefused = true;
    }
    return result;
}

} // namespace PrintPlan
