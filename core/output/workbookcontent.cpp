#include "core/output/workbookcontent.h"

#include "core/characteristic/errormath.h"
#include "core/characteristic/uncertainty.h"
#include "core/document/real48.h"
#include "core/document/tdanesprawdzania.h"

namespace {

const QString MethodDO = QStringLiteral(
    "sprawdzany metodą dokładnego odczytu (dokładnego ustawienia wskazania miernika, "
    "zadanego wskazania na mierniku badanym)");
const QString MethodDN = QStringLiteral(
    "sprawdzany metodą dokładnej nastawy (dokładnego nastawiania wartości mierzonej, "
    "zadanego wskazania na wzorcu)");

enum Column { A = 1, B, C, D, E, F, G, H, I, J };

class Sheet
{
public:
    explicit Sheet(WorkbookContent &content) : m_content(content) {}

    void text(int row, int column, const QString &text)
    {
        m_content.cells.append({row, column, text, std::nullopt, 0});
    }
    // W6.1, W6.2 and W20.10. The cell holds the number in full, as the
    // record keeps it, without the binary noise of its six-byte real.
    void number(int row, int column, long double value, int width, int decimals)
    {
        m_content.cells.append({row, column, WorkbookContent::formatted(value, width, decimals),
                                Real48::shortestDecimal(value), decimals});
    }
    void wide(int row, int column, long double value) { number(row, column, value, 20, 10); }
    // A computed number, shown with so many decimals and no padding.
    void computed(int row, int column, long double value, int decimals)
    {
        m_content.cells.append({row, column, WorkbookContent::formatted(value, 0, decimals),
                                static_cast<double>(value), decimals});
    }

private:
    WorkbookContent &m_content;
};

// Rows 3 to 10 and the column heads of rows 12 and 13, common to every
// variant; the second line of the range (row 8) is the caller's.
template <typename Range>
void fillHeader(Sheet &sheet, const TDaneSprawdzania &record, const Range &range,
                const QString &method)
{
    sheet.text(3, A, QStringLiteral("miernik :"));
    sheet.text(3, B, record.Nazwa());
    sheet.text(3, E, QStringLiteral("numer :"));
    sheet.text(3, F, record.Numer());
    sheet.text(5, A, method);
    sheet.text(7, A, QStringLiteral("zakres :"));
    sheet.number(7, D, range.Zak(), 6, 1);
    sheet.text(7, E, range.Jm());
    sheet.text(9, A, QStringLiteral("błąd względem wartości mierzonej :"));
    sheet.number(9, D, range.Kmm(), 6, 2);
    sheet.text(9, E, QStringLiteral("%"));
    sheet.text(10, A, QStringLiteral("błąd względem zakresu :"));
    sheet.number(10, D, range.Kmz(), 6, 2);
    sheet.text(10, E, QStringLiteral("%"));
    if (range.KmzDod() != QLatin1String("0")) {
        sheet.text(10, F, QStringLiteral("+"));
        sheet.text(10, G, range.KmzDod());
    }
    const QString heads[][2] = {{QStringLiteral("błąd"), QStringLiteral("rzeczywisty")},
                                {QStringLiteral("błąd"), QStringLiteral("dopuszczalny")},
                                {QStringLiteral("błąd"), QStringLiteral("kalibratora")}};
    for (int c = 0; c < 3; ++c) {
        sheet.text(12, C + c, heads[c][0]);
        sheet.text(13, C + c, heads[c][1]);
    }
    sheet.text(13, F, QStringLiteral("j.m."));
    // Beside the cells the sheet always had, which all stay where they are.
    sheet.text(13, H, QStringLiteral("Niepewność U"));
    sheet.text(13, I, QStringLiteral("TUR"));
    sheet.text(13, J, QStringLiteral("Ocena"));
}

// The errors in the unit of column F, as the report shows them, and the
// budget in the same unit: U with its two significant digits, the ratio as
// shown (rounded down to one decimal; none without an uncertainty), the
// decision in words.
template <typename Range, typename Point>
void fillResults(Sheet &sheet, int row, const Range &range, const Point &point,
                 const Uncertainty::RangeJudging &judging)
{
    sheet.wide(row, C, point.Bmr());
    sheet.wide(row, D, ErrorMath::bmdInCalibratorUnit(range, point));
    sheet.wide(row, E, ErrorMath::bkInCalibratorUnit(point.Bk(), point.JmBk()));
    sheet.text(row, F, point.JmBk());
    const Uncertainty::Budget budget = judging.budget(range, point);
    sheet.computed(row, H, budget.expanded, Uncertainty::expandedDecimals(budget.expanded));
    if (budget.tur)
        sheet.computed(row, I, Uncertainty::shownTur(*budget.tur), 1);
    sheet.text(row, J, Uncertainty::decisionWord(budget.decision));
}

QString hertz(long double value)
{
    return WorkbookContent::formatted(value, 6, 2) + QStringLiteral("Hz");
}

void fillAmplitude(Sheet &sheet, const TDaneSprawdzania &record, int k,
                   const Uncertainty::RangeJudging &judging)
{
    const ConstZakresAmpl range = record.ZakresyAmpl(k);
    const bool analogowy = record.isAnalogowy();
    fillHeader(sheet, record, range, analogowy ? MethodDO : MethodDN);
    sheet.text(8, A, QStringLiteral("częstotliwość :"));
    const QString fixed = OutputRanges::fixedFrequency(range.Cz());
    sheet.text(8, D, fixed.isEmpty() ? hertz(range.CzHz()) : fixed);
    sheet.text(12, A, QStringLiteral("wskazanie"));
    sheet.text(13, A, QStringLiteral("miernika"));
    sheet.text(12, B, QStringLiteral("nastawa"));
    sheet.text(13, B, QStringLiteral("kalibratora"));

    // Point j always lands on row 13 + j; a gap stays an empty row.
    for (int j = 1; j <= TDaneSprawdzania::Slots; ++j) {
        const ConstPunktAmpl point = range.Punkty(j);
        if (!point.Wpisany())
            continue;
        const int row = 13 + j;
        // The value the operator gave comes first; the other one is a result.
        if (analogowy)
            sheet.wide(row, A, point.Wm());
        else
            sheet.wide(row, B, point.Nk());
        if (!point.Zmierzony())
            continue;
        if (analogowy)
            sheet.wide(row, B, point.Nk());
        else
            sheet.wide(row, A, point.Wm());
        fillResults(sheet, row, range, point, judging);
    }
}

void fillFrequency(Sheet &sheet, const TDaneSprawdzania &record, int k,
                   const Uncertainty::RangeJudging &judging)
{
    const bool analogowy = record.isAnalogowy();
    const ConstZakresCz range = record.ZakresyCz(k);
    fillHeader(sheet, record, range, analogowy ? MethodDO : MethodDN);
    sheet.text(8, A,
               analogowy ? QStringLiteral("wskazanie miernika :")
                         : QStringLiteral("nastawa kalibratora :"));
    sheet.wide(8, D, ErrorMath::amplitudeInRangeUnit(range));
    sheet.text(8, E, range.Jm());
    sheet.text(12, A, analogowy ? QStringLiteral("nastawa") : QStringLiteral("wskazanie"));
    sheet.text(13, A, analogowy ? QStringLiteral("kalibratora") : QStringLiteral("miernika"));
    sheet.text(12, B, QStringLiteral("nastawa"));
    sheet.text(13, B, QStringLiteral("częstotliwości"));

    for (int j = 1; j <= TDaneSprawdzania::Slots; ++j) {
        const ConstPunktCz point = range.Punkty(j);
        if (!point.Wpisany())
            continue;
        const int row = 13 + j;
        sheet.wide(row, A, point.WmDN_NkDO());
        if (!point.Zmierzony())
            continue;
        sheet.text(row, B, hertz(point.CzHz()));
        fillResults(sheet, row, range, point, judging);
    }
}

} // namespace

const WorkbookContent::Cell *WorkbookContent::cell(int row, int column) const
{
    for (const Cell &cell : cells) {
        if (cell.row == row && cell.column == column)
            return &cell;
    }
    return nullptr;
}

WorkbookContent WorkbookContent::fill(const TDaneSprawdzania &record,
                                      const DocumentExtension &extension, const OutputRange &range)
{
    WorkbookContent content;
    Sheet sheet(content);
    const Uncertainty::RangeJudging judging =
        Uncertainty::RangeJudging::of(extension, range.characteristic, range.range);
    if (range.characteristic == Characteristic::Amplitude)
        fillAmplitude(sheet, record, range.range, judging);
    else if (record.isAnalogowy() || record.isCyfrowy())
        fillFrequency(sheet, record, range.range, judging);
    return content;
}

QString WorkbookContent::formatted(long double value, int width, int decimals)
{
    return QString::number(static_cast<double>(value), 'f', decimals)
        .rightJustified(width, QLatin1Char(' '));
}
