#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>

class DocumentExtension;
class TDaneSprawdzania;
struct LabSettings;

// The verification certificate of a document, as texts: what every page's
// header says, the blocks of the first page, one table per measured range
// (the amplitude characteristic first, then the frequency one), the
// conclusion and what the last page holds. CertificateLayout cuts it into
// pages; the painter only draws what that gives.
//
// Everything comes from the document (its record and the certificate data,
// standard and rule of its extension data) but the lab's name, address,
// accreditation and title. A field nobody filled in reads "—": nothing is
// made up.
struct CertificateContent
{
    // Pkt, indication, setting, e, T, U, TUR, decision, unit.
    static constexpr int Columns = 9;
    static constexpr int TurColumn = 6;

    struct Field
    {
        QString label;
        QString value;
    };

    // A heading with fields under it, label and value, and paragraphs.
    struct Block
    {
        QString heading;
        QList<Field> fields;
        QStringList paragraphs;
    };

    using Row = std::array<QString, Columns>;

    // One measured range: its heading lines, the first one being its
    // number, and its measured points.
    struct Table
    {
        QStringList heading;
        QList<Row> rows;
    };

    // The tables of one characteristic.
    struct Section
    {
        QString title;
        QList<Table> tables;
    };

    QString labName;
    // The lab's address and accreditation, those it gave.
    QStringList labLines;
    QString title;
    // "Nr " and the certificate's number.
    QString number;

    QList<Block> blocks;

    Row columns;
    QList<Section> sections;
    // What the mark after a ratio below the minimum means; empty when no
    // point is marked.
    QString markNote;
    QString conclusion;

    QStringList remarks;
    // "Wykonał" and "Zatwierdził", and who.
    std::array<Field, 2> signatures;
    QStringList closing;

    // `today` is the day of issue of a certificate that does not name one.
    static CertificateContent fill(const TDaneSprawdzania &record,
                                   const DocumentExtension &extension, const LabSettings &lab,
                                   QDate today);

    // What an empty field shows.
    static QString none() { return QStringLiteral("—"); }
    // Follows the ratio of a point below the minimum.
    static QString mark() { return QStringLiteral("*"); }
    static QString resultsTitle() { return QStringLiteral("Wyniki sprawdzenia"); }
    static QString conclusionTitle() { return QStringLiteral("Stwierdzenie zgodności"); }
    static QString remarksTitle() { return QStringLiteral("Uwagi"); }
};
