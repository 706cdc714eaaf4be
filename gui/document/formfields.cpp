#include "gui/document/formfields.h"

#include "core/base/localdate.h"
#include "core/base/localnumber.h"
#include "core/base/prompts.h"

#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace FormFields {

namespace {

void refuse(Prompts &prompts, QLineEdit *edit, const QString &text)
{
    prompts.show(text, QStringLiteral("Błąd"), PromptIcon::Warning);
    edit->setFocus();
    edit->selectAll();
}

} // namespace

QLineEdit *edit(QWidget *parent, const char *name, QFormLayout *form, const QString &label)
{
    auto *line = new QLineEdit(parent);
    line->setObjectName(QLatin1String(name));
    line->setMinimumWidth(280);
    form->addRow(label, line);
    return line;
}

QHBoxLayout *okCancel(QDialog *dialog, QPushButton *&ok, QPushButton *&cancel)
{
    ok = new QPushButton(QStringLiteral("&OK"), dialog);
    ok->setObjectName(QStringLiteral("Button_OK"));
    ok->setDefault(true);
    cancel = new QPushButton(QStringLiteral("&Anuluj"), dialog);
    cancel->setObjectName(QStringLiteral("Button_Anuluj"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    return buttons;
}

bool readDate(Prompts &prompts, QLineEdit *edit, QDate &date)
{
    const QString text = edit->text().trimmed();
    if (text.isEmpty()) {
        date = QDate();
        return true;
    }
    if (const std::optional<QDate> typed = LocalDate::read(text)) {
        date = *typed;
        return true;
    }
    refuse(prompts, edit, QStringLiteral("„%1” nie jest datą w postaci DD.MM.RRRR.").arg(text));
    return false;
}

bool readNumber(Prompts &prompts, QLineEdit *edit, const QString &what,
                std::optional<double> &number)
{
    const QString text = edit->text().trimmed();
    number.reset();
    if (text.isEmpty())
        return true;
    if (const std::optional<long double> value = readLocalNumber(text)) {
        number = static_cast<double>(*value);
        return true;
    }
    refuse(prompts, edit, QStringLiteral("%1 „%2” nie jest liczbą.").arg(what, text));
    return false;
}

bool readMonths(Prompts &prompts, QLineEdit *edit, int longest, std::optional<int> &months)
{
    const QString text = edit->text().trimmed();
    months.reset();
    if (text.isEmpty())
        return true;
    bool ok = false;
    const int value = text.toInt(&ok);
    if (ok && value >= 1 && value <= longest) {
        months = value;
        return true;
    }
    refuse(
        prompts, edit,
        QStringLiteral("Okres „%1” nie jest liczbą miesięcy od 1 do %2.").arg(text).arg(longest));
    return false;
}

} // namespace FormFields
