#pragma once

#include "core/output/pageitem.h"
#include "core/output/textmeasurer.h"

#include <QList>
#include <QString>
#include <QStringList>

struct CertificateContent;

// One page of a certificate: everything drawn on it, in drawing order.
struct CertificatePage
{
    QList<PageItem> items;
};

// Cuts a certificate into A4 portrait pages of the report's design pixels
// (ReportLayout), measuring every text with the fonts it is painted in.
// Every page has the header: the lab's name, the lab's address and
// accreditation, the title, the number and "Strona i z N". Under it the
// first page's blocks, the tables of the ranges, and last the conclusion,
// the remarks, the two closing sentences and the signatures, which stay
// together on the last page. A block's heading stays with its first line,
// and a range's heading with its first row; a table that goes on over a
// page is headed again there, column headers too, and no row is ever cut.
namespace CertificateLayout {

// 20 mm on the left and right, 15 mm above the header and below the last
// line.
constexpr int Left = 76;
constexpr int Right = 718;
constexpr int HeaderTop = 57;
constexpr int ContentTop = 166;
constexpr int ContentBottom = 1066;

QList<CertificatePage> pages(const CertificateContent &content, const TextMeasurer &measurer);

// "Strona 2 z 5".
QString pageText(int page, int count);

// The text's lines no wider than `width`: at its own line breaks and
// between words, and inside a word that is wider on its own.
QStringList wrap(const TextMeasurer &measurer, const QString &text, const PageFont &font,
                 double width);

} // namespace CertificateLayout
