#pragma once

#include <QDate>
#include <QString>

#include <optional>

// Dates as the user reads and types them, DD.MM.RRRR (14.03.2025), and as
// documents and settings keep them, YYYY-MM-DD.
namespace LocalDate {

// Empty for a date that is not valid.
QString text(QDate date);
// A date typed as DD.MM.RRRR, blanks around it allowed; the day and the
// month may have one digit. Nothing for anything else, and for a day the
// month does not have.
std::optional<QDate> read(const QString &text);

// "2025-03-14"; empty for a date that is not valid.
QString isoText(QDate date);
// A date that is not valid for anything but YYYY-MM-DD.
QDate fromIso(const QString &text);

} // namespace LocalDate
