#include "core/output/certificatelayout.h"

#include "core/output/certificatecontent.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace CertificateLayout {

namespace {

constexpr PageFont LabFont{PageFace::Sans, 13, true, false};
constexpr PageFont LabLineFont{PageFace::Sans, 10, false, false};
constexpr PageFont PageNumberFont{PageFace::Sans, 11, false, false};
constexpr PageFont TitleFont{PageFace::Sans, 18, true, false};
constexpr PageFont NumberFont{PageFace::Sans, 13, true, false};
constexpr PageFont SectionFont{PageFace::Sans, 13, true, false};
constexpr PageFont HeadingFont{PageFace::Sans, 12, true, false};
constexpr PageFont TextFont{PageFace::Sans, 11, false, false};
constexpr PageFont BoldFont{PageFace::Sans, 11, true, false};
constexpr PageFont ColumnFont{PageFace::Sans, 10, true, false};
constexpr PageFont CellFont{PageFace::Sans, 10, false, false};
constexpr PageFont NoteFont{PageFace::Sans, 9, false, false};

constexpr int Width = Right - Left;
// Room kept for "Strona i z N" right of the lab's name.
constexpr int PageNumberRoom = 130;
constexpr int LabLines = 2;
constexpr int LabLinePitch = 14;
constexpr int TitleY = 96;
constexpr int NumberY = 124;
constexpr int RuleY = 152;

constexpr int LineHeight = 15;
constexpr int HeadingHeight = 20;
constexpr int SectionHeight = 22;
constexpr int ColumnHeight = 20;
constexpr int RowHeight = 16;
constexpr int BlockGap = 6;
constexpr int TableGap = 10;
constexpr int SignatureHeight = 92;
// Where the fields' labels and values start.
constexpr int LabelX = Left + 8;
constexpr int ValueX = Left + 190;
// The smallest size a text shrinks to before it is cut.
constexpr int SmallestText = 7;

constexpr std::array<int, CertificateContent::Columns> ColumnWidth = {34, 86, 86,  76, 76,
                                                                      76, 58, 116, 34};
static_assert(std::accumulate(ColumnWidth.begin(), ColumnWidth.end(), 0) == Width);

// What goes onto a page as one: its items placed from its own top.
struct Piece
{
    QList<PageItem> items;
    int height = 0;
};

// A line of one text, shrunk or cut to the room it has.
PageItem fitted(const TextMeasurer &measurer, int x, int y, const QString &content,
                const PageFont &font, int room)
{
    const FittedText fit = FittedText::fit(measurer, content, font, room, SmallestText);
    return PageItem::label(x, y, fit.text, fit.font);
}

// A line of one text centred in `band`, shrunk or cut to its width.
PageItem centred(const TextMeasurer &measurer, QRect band, const QString &content,
                 const PageFont &font)
{
    const FittedText fit = FittedText::fit(measurer, content, font, band.width(), SmallestText);
    PageItem item = PageItem::label(band.left(), band.top(), fit.text, fit.font);
    item.box.setSize(band.size());
    item.centred = true;
    return item;
}

PageItem line(int x, int y, int width)
{
    return PageItem::shape(PageItem::Kind::Line, QRect(x, y, width, 0));
}

Piece gap(int height)
{
    return {{}, height};
}

Piece singleLine(int x, const QString &content, const PageFont &font, int height)
{
    return {{PageItem::label(x, 0, content, font)}, height};
}

// A text wrapped at the width, one piece a line, so that it may go on over
// a page.
QList<Piece> paragraph(const TextMeasurer &measurer, int x, const QString &content,
                       const PageFont &font)
{
    QList<Piece> lines;
    for (const QString &wrapped : wrap(measurer, content, font, Right - x))
        lines.append(singleLine(x, wrapped, font, LineHeight));
    return lines;
}

Piece field(const TextMeasurer &measurer, const CertificateContent::Field &shown)
{
    Piece piece;
    piece.items.append(
        fitted(measurer, LabelX, 0, shown.label + QLatin1Char(':'), TextFont, ValueX - LabelX));
    for (const QString &wrapped : wrap(measurer, shown.value, TextFont, Right - ValueX)) {
        piece.items.append(PageItem::label(ValueX, piece.height, wrapped, TextFont));
        piece.height += LineHeight;
    }
    return piece;
}

// A row of the table: framed cells, each text fitted into its cell.
Piece tableRow(const TextMeasurer &measurer, const CertificateContent::Row &cells,
               const PageFont &font, int height)
{
    Piece piece;
    piece.height = height;
    int x = Left;
    for (int c = 0; c < CertificateContent::Columns; ++c) {
        const FittedText fit =
            FittedText::fit(measurer, cells[c], font, ColumnWidth[c] - 4, SmallestText);
        PageItem cell = PageItem::label(x, 0, fit.text, fit.font);
        cell.box.setSize(QSize(ColumnWidth[c], height));
        cell.centred = true;
        cell.framed = true;
        piece.items.append(cell);
        x += ColumnWidth[c];
    }
    return piece;
}

Piece signatures(const TextMeasurer &measurer, const CertificateContent &content)
{
    constexpr int ColumnRoom = Width / 2 - 20;
    constexpr int LineWidth = 240;
    Piece piece;
    piece.height = SignatureHeight;
    for (int i = 0; i < 2; ++i) {
        const int x = Left + i * (Width / 2);
        const CertificateContent::Field &signature = content.signatures[i];
        piece.items.append(PageItem::label(x, 0, signature.label, BoldFont));
        piece.items.append(fitted(measurer, x, 18, signature.value, TextFont, ColumnRoom));
        piece.items.append(line(x, 70, LineWidth));
        piece.items.append(PageItem::label(x, 73, QStringLiteral("(podpis)"), NoteFont));
    }
    return piece;
}

int heightOf(const QList<Piece> &pieces)
{
    int height = 0;
    for (const Piece &piece : pieces)
        height += piece.height;
    return height;
}

// The pages as they fill, top to bottom.
class Flow
{
public:
    Flow(const CertificateContent &content, const TextMeasurer &measurer)
        : m_content(content), m_measurer(measurer)
    {
        newPage();
    }

    // Puts the piece on this page, or on a new one when the piece and
    // `following` more below it do not fit here; a page with nothing on it
    // yet takes it whatever its height. A gap never starts a page.
    void place(const Piece &piece, int following = 0)
    {
        if (piece.items.isEmpty()) {
            m_y = std::min(m_y + piece.height, ContentBottom);
            return;
        }
        if (m_y + piece.height + following > ContentBottom && !atTop())
            newPage();
        for (PageItem item : piece.items) {
            item.box.translate(0, m_y);
            m_pages.last().items.append(item);
        }
        m_y += piece.height;
    }

    // On one page when one can hold them all.
    void placeTogether(const QList<Piece> &pieces)
    {
        const int height = heightOf(pieces);
        if (m_y + height > ContentBottom && !atTop() && height <= ContentBottom - ContentTop)
            newPage();
        for (const Piece &piece : pieces)
            place(piece);
    }

    // A heading does not stay alone at the foot of a page: it goes where
    // `following` more (what it heads, up to the first row or line) fits
    // below it.
    void placeHeading(const QList<Piece> &heading, int following)
    {
        for (int i = 0; i < heading.size(); ++i)
            place(heading.at(i), heightOf(heading.mid(i + 1)) + following);
    }

    bool atTop() const { return m_y == ContentTop; }
    bool fits(int height) const { return m_y + height <= ContentBottom; }

    void newPage()
    {
        m_pages.append(CertificatePage{header()});
        m_y = ContentTop;
    }

    QList<CertificatePage> finish()
    {
        const int count = int(m_pages.size());
        for (int i = 0; i < count; ++i) {
            const QString number = pageText(i + 1, count);
            const int width = int(m_measurer.width(number, PageNumberFont) + 1);
            m_pages[i].items.append(
                PageItem::label(Right - width, HeaderTop + 2, number, PageNumberFont));
        }
        return m_pages;
    }

private:
    QList<PageItem> header() const
    {
        QList<PageItem> items;
        items.append(fitted(m_measurer, Left, HeaderTop, m_content.labName, LabFont,
                            Width - PageNumberRoom));
        for (int i = 0; i < std::min<int>(LabLines, int(m_content.labLines.size())); ++i)
            items.append(fitted(m_measurer, Left, HeaderTop + 20 + i * LabLinePitch,
                                m_content.labLines.at(i), LabLineFont, Width));
        items.append(
            centred(m_measurer, QRect(Left, TitleY, Width, 26), m_content.title, TitleFont));
        items.append(
            centred(m_measurer, QRect(Left, NumberY, Width, 20), m_content.number, NumberFont));
        items.append(line(Left, RuleY, Width));
        return items;
    }

    const CertificateContent &m_content;
    const TextMeasurer &m_measurer;
    QList<CertificatePage> m_pages;
    int m_y = ContentTop;
};

void placeBlocks(Flow &flow, const CertificateContent &content, const TextMeasurer &measurer)
{
    for (const CertificateContent::Block &block : content.blocks) {
        QList<Piece> body;
        for (const CertificateContent::Field &shown : block.fields)
            body.append(field(measurer, shown));
        for (const QString &shown : block.paragraphs)
            body.append(paragraph(measurer, LabelX, shown, TextFont));
        body.append(gap(BlockGap));
        flow.placeHeading({singleLine(Left, block.heading, HeadingFont, HeadingHeight)},
                          body.first().height);
        for (const Piece &piece : body)
            flow.place(piece);
    }
}

void placeTable(Flow &flow, const CertificateContent::Table &table, const Piece &columns,
                const TextMeasurer &measurer)
{
    QList<Piece> heading;
    for (int i = 0; i < table.heading.size(); ++i) {
        if (i == 0)
            heading.append(singleLine(Left, table.heading.at(i), BoldFont, LineHeight));
        else
            heading.append(paragraph(measurer, Left, table.heading.at(i), TextFont));
    }
    // The heading, the column headers and the first row go together.
    flow.placeHeading(heading, columns.height + RowHeight);
    flow.place(columns);
    const Piece continued =
        singleLine(Left, table.heading.value(0) + QStringLiteral(" (cd.)"), BoldFont, LineHeight);
    for (const CertificateContent::Row &row : table.rows) {
        if (!flow.fits(RowHeight)) {
            flow.newPage();
            flow.place(continued);
            flow.place(columns);
        }
        flow.place(tableRow(measurer, row, CellFont, RowHeight));
    }
    flow.place(gap(TableGap));
}

void placeResults(Flow &flow, const CertificateContent &content, const TextMeasurer &measurer)
{
    const Piece columns = tableRow(measurer, content.columns, ColumnFont, ColumnHeight);
    const Piece title =
        singleLine(Left, CertificateContent::resultsTitle(), SectionFont, SectionHeight);
    if (content.sections.isEmpty()) {
        flow.placeHeading({title}, LineHeight);
        flow.place(singleLine(LabelX, CertificateContent::none(), TextFont, LineHeight));
        return;
    }
    flow.place(title, SectionHeight);
    for (const CertificateContent::Section &section : content.sections) {
        // The section's title stays with its first range's heading.
        flow.place(singleLine(Left, section.title, HeadingFont, HeadingHeight),
                   3 * LineHeight + ColumnHeight + RowHeight);
        for (const CertificateContent::Table &table : section.tables)
            placeTable(flow, table, columns, measurer);
    }
    if (!content.markNote.isEmpty())
        for (const Piece &piece : paragraph(measurer, Left, content.markNote, NoteFont))
            flow.place(piece);
}

// The conclusion, the remarks, the closing sentences and the signatures.
void placeEnd(Flow &flow, const CertificateContent &content, const TextMeasurer &measurer)
{
    QList<Piece> end{gap(TableGap), singleLine(Left, CertificateContent::conclusionTitle(),
                                               HeadingFont, HeadingHeight)};
    end += paragraph(measurer, LabelX, content.conclusion, BoldFont);
    end += gap(BlockGap);
    end += singleLine(Left, CertificateContent::remarksTitle(), HeadingFont, HeadingHeight);
    for (const QString &remark : content.remarks)
        end += paragraph(measurer, LabelX, remark, TextFont);
    end += gap(BlockGap);
    for (const QString &sentence : content.closing)
        end += paragraph(measurer, Left, sentence, TextFont);
    end += gap(3 * BlockGap);
    end += signatures(measurer, content);
    flow.placeTogether(end);
}

} // namespace

QList<CertificatePage> pages(const CertificateContent &content, const TextMeasurer &measurer)
{
    Flow flow(content, measurer);
    placeBlocks(flow, content, measurer);
    placeResults(flow, content, measurer);
    placeEnd(flow, content, measurer);
    return flow.finish();
}

QString pageText(int page, int count)
{
    return QStringLiteral("Strona %1 z %2").arg(page).arg(count);
}

namespace {

// The longest beginning of a word that fits, one character at least.
qsizetype fittingPart(const TextMeasurer &measurer, const QString &word, const PageFont &font,
                      double width)
{
    qsizetype fits = 1;
    qsizetype tooLong = word.size() + 1;
    while (tooLong - fits > 1) {
        const qsizetype middle = (fits + tooLong) / 2;
        if (measurer.width(word.left(middle), font) <= width)
            fits = middle;
        else
            tooLong = middle;
    }
    return fits;
}

} // namespace

QStringList wrap(const TextMeasurer &measurer, const QString &text, const PageFont &font,
                 double width)
{
    QStringList lines;
    for (const QString &paragraph : text.split(QLatin1Char('\n'))) {
        QString current;
        for (QString word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString joined = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
            if (measurer.width(joined, font) <= width) {
                current = joined;
                continue;
            }
            if (!current.isEmpty())
                lines.append(current);
            while (measurer.width(word, font) > width && word.size() > 1) {
                const qsizetype part = fittingPart(measurer, word, font, width);
                lines.append(word.left(part));
                word = word.mid(part);
            }
            current = word;
        }
        lines.append(current);
    }
    return lines;
}

} // namespace CertificateLayout
