#pragma once

#include <QByteArray>
#include <QString>

// Windows-1250, the code page of every text in a .cal document. The program
// converts at the file boundary only; inside, texts are QString.
namespace Cp1250 {

QString decode(const char *bytes, qsizetype length);
inline QString decode(const QByteArray &bytes)
{
    return decode(bytes.constData(), bytes.size());
}

// One byte per character; a character the code page lacks becomes '?'.
QByteArray encode(const QString &text);

// The first character of text the code page lacks, or -1 when it holds all.
qsizetype firstMissing(const QString &text);

} // namespace Cp1250
