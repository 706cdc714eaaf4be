#pragma once

#include <QDate>
#include <QString>

#include <optional>

class Prompts;
class QDialog;
class QFormLayout;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QWidget;

// What the certificate's two data dialogs are built of, and how they read
// what was typed. A text that does not read is refused with a box and its
// edit gets the focus; an empty edit is a value not given.
namespace FormFields {

// A named edit on a new row of the form.
QLineEdit *edit(QWidget *parent, const char *name, QFormLayout *form, const QString &label);
// "&OK" (the default) and "&Anuluj", right-aligned.
QHBoxLayout *okCancel(QDialog *dialog, QPushButton *&ok, QPushButton *&cancel);

// Each reads its edit into the value and answers whether it read; an empty
// edit is a value not given.
// A date typed as DD.MM.RRRR; not valid when not given.
bool readDate(Prompts &prompts, QLineEdit *edit, QDate &date);
// A number with a decimal comma.
bool readNumber(Prompts &prompts, QLineEdit *edit, const QString &what,
                std::optional<double> &number);
// A whole number of months from 1 to `longest`.
bool readMonths(Prompts &prompts, QLineEdit *edit, int longest, std::optional<int> &months);

} // namespace FormFields
