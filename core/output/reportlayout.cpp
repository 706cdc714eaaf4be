#include "core/output/reportlayout.h"

#include "core/output/reportcontent.h"

#include <array>

namespace ReportLayout {

namespace {

constexpr std::array<int, 7> ColumnX = {94, 201, 308, 415, 522, 629, 666};
constexpr std::array<int, 7> ColumnWidth = {106, 106, 106, 106, 106, 36, 36};
constexpr int HeaderY = 206;
constexpr int HeaderHeight = 57;
constexpr int FirstRowY = 265;
constexpr int RowPitch = 22;
constexpr int RowHeight = 20;
// The meter box and the range box, and where their texts start.
constexpr QRect MeterBox(94, 92, 217, 93);
constexpr QRect RangeBox(317, 92, 385, 93);
constexpr int MeterTextX = 109;
constexpr int RangeTextX = 328;
constexpr int BoxLineY[] = {106, 132, 158};
// What a box text keeps clear of the box's right edge.
constexpr int BoxTextGap = 4;

const Font Caption{Face::Sans, 13, true, false};
const Font BoxTitle{Face::Sans, 16, true, true};
const Font Header{Face::Sans, 15, false, false};
const Font Cell{Face::Mono, 16, false, false};
const Font Footnote{Face::Sans, 8, false, false};

// A line of a box, no wider than the room left of the box's right edge.
Item boxText(const QRect &frame, int x, int line, const QString &content,
             const TextMeasurer &measurer)
{
    const int room = frame.x() + frame.width() - BoxTextGap - x;
    const FittedText fitted = FittedText::fit(measurer, content, Caption, room, SmallestBoxText);
    return Item::label(x, BoxLineY[line], fitted.text, fitted.font);
}

Item cell(const QRect &box, const QString &content, const Font &font)
{
    Item item;
    item.box = box;
    item.text = content;
    item.font = font;
    item.centred = true;
    item.wrapped = true;
    item.framed = true;
    return item;
}

} // namespace

// Row, then column, as Qt's tables take them.
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters)
QRect cellBox(int row, int column)
{
    int y = FirstRowY + RowPitch * (row - 1);
    // The sixth row of the design sits one pixel lower.
    if (row == 6)
        ++y;
    return QRect(ColumnX[column - 1], y, ColumnWidth[column - 1], RowHeight);
}

QString checkMark()
{
    return QStringLiteral("\u2714");
}

QList<Item> items(const ReportContent &report, const TextMeasurer &measurer)
{
    QList<Item> page;
    page.append(Item::label(279, 57, report.title, Caption));

    page.append(Item::shape(Item::Kind::Frame, MeterBox));
    Item miernik = Item::label(163, 83, QStringLiteral("  Miernik  "), BoxTitle);
    miernik.opaque = true;
    page.append(miernik);
    page.append(boxText(MeterBox, MeterTextX, 0, report.nazwa, measurer));
    page.append(boxText(MeterBox, MeterTextX, 1, report.numer, measurer));
    page.append(boxText(MeterBox, MeterTextX, 2, report.metoda, measurer));

    page.append(Item::shape(Item::Kind::Frame, RangeBox));
    Item zakres = Item::label(454, 83, QStringLiteral("  Zakres  "), BoxTitle);
    zakres.opaque = true;
    page.append(zakres);
    page.append(boxText(RangeBox, RangeTextX, 0, report.zakres, measurer));
    page.append(boxText(RangeBox, RangeTextX, 1, report.secondLine, measurer));
    page.append(boxText(RangeBox, RangeTextX, 2, report.klasa, measurer));

    page.append(Item::shape(Item::Kind::Line, QRect(94, 193, 608, 0)));

    for (int c = 1; c <= ReportContent::Columns; ++c)
        page.append(cell(QRect(ColumnX[c - 1], HeaderY, ColumnWidth[c - 1], HeaderHeight),
                         report.headers[c - 1], Header));

    // Only the filled rows are drawn; the rows under them stay blank.
    for (int r = 1; r <= report.rows.size(); ++r) {
        const ReportContent::Row &row = report.rows.at(r - 1);
        for (int c = 1; c < ReportContent::Columns; ++c) {
            Item item = cell(cellBox(r, c), row.cells[c - 1], Cell);
            item.red = c == ReportContent::ActualErrorColumn && row.outOfTolerance;
            page.append(item);
        }
        page.append(cell(cellBox(r, ReportContent::Columns), row.ticked ? checkMark() : QString(),
                         Font{Face::Symbol, 16, false, false}));
    }

    page.append(Item::label(
        540, 1050, QStringLiteral("* - błąd rzeczywisty przekracza błąd dopuszczalny"), Footnote));
    return page;
}

} // namespace ReportLayout
