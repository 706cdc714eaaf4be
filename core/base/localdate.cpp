#include "core/base/localdate.h"

#include <QRegularExpression>

namespace LocalDate {

QString text(QDate date)
{
    return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

std::optional<QDate> read(const QString &text)
{
    static const QRegularExpression typed(QStringLiteral("^(\\d{1,2})\\.(\\d{1,2})\\.(\\d{4})$"));
    const QRegularExpressionMatch match = typed.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const QDate date(match.captured(3).toInt(), match.captured(2).toInt(),
                     match.captured(1).toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}

QString isoText(QDate date)
{
    return date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd")) : QString();
}

QDate fromIso(const QString &text)
{
    static const QRegularExpression iso(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    if (!iso.match(text).hasMatch())
        return {};
    return QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
}

} // namespace LocalDate
