#pragma once

#include <QHash>
#include <QProcess>
#include <QString>
#include <QXmlStreamReader>

// Reads back the cells of the first sheet of an .xlsx file, as a
// spreadsheet application would find them: the text of a text cell, the
// value and number format of a number cell. The parts are taken out of the
// archive by unzip.
struct XlsxCell
{
    QString text;
    bool isNumber = false;
    double number = 0;
    QString format;

    bool operator==(const XlsxCell &) const = default;
};

inline QByteArray xlsxPart(const QString &file, const QString &part)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), file, part});
    unzip.waitForFinished(-1);
    return unzip.readAllStandardOutput();
}

inline QHash<QString, XlsxCell> xlsxCells(const QString &file)
{
    QStringList strings;
    QXmlStreamReader shared(xlsxPart(file, QStringLiteral("xl/sharedStrings.xml")));
    while (!shared.atEnd()) {
        if (shared.readNext() == QXmlStreamReader::StartElement && shared.name() == u"si")
            strings.append(shared.readElementText(QXmlStreamReader::IncludeChildElements));
    }

    QHash<int, QString> formatCodes = {{0, QStringLiteral("General")}};
    QList<int> styleFormats;
    QXmlStreamReader styles(xlsxPart(file, QStringLiteral("xl/styles.xml")));
    bool inCellXfs = false;
    while (!styles.atEnd()) {
        const auto token = styles.readNext();
        if (token == QXmlStreamReader::StartElement && styles.name() == u"numFmt")
            formatCodes[styles.attributes().value(QLatin1String("numFmtId")).toInt()] =
                styles.attributes().value(QLatin1String("formatCode")).toString();
        else if (token == QXmlStreamReader::StartElement && styles.name() == u"cellXfs")
            inCellXfs = true;
        else if (token == QXmlStreamReader::EndElement && styles.name() == u"cellXfs")
            inCellXfs = false;
        else if (inCellXfs && token == QXmlStreamReader::StartElement && styles.name() == u"xf")
            styleFormats.append(styles.attributes().value(QLatin1String("numFmtId")).toInt());
    }

    QHash<QString, XlsxCell> cells;
    QXmlStreamReader sheet(xlsxPart(file, QStringLiteral("xl/worksheets/sheet1.xml")));
    while (!sheet.atEnd()) {
        if (sheet.readNext() != QXmlStreamReader::StartElement || sheet.name() != u"c")
            continue;
        const QString reference = sheet.attributes().value(QLatin1String("r")).toString();
        const QString type = sheet.attributes().value(QLatin1String("t")).toString();
        const int style = sheet.attributes().value(QLatin1String("s")).toInt();
        QString value;
        while (!(sheet.readNext() == QXmlStreamReader::EndElement && sheet.name() == u"c")) {
            if (sheet.isStartElement() && sheet.name() == u"v")
                value = sheet.readElementText();
        }
        XlsxCell cell;
        if (type == u"s") {
            cell.text = strings.value(value.toInt());
        } else {
            cell.isNumber = true;
            cell.number = value.toDouble();
            cell.format = formatCodes.value(styleFormats.value(style));
        }
        cells.insert(reference, cell);
    }
    return cells;
}
