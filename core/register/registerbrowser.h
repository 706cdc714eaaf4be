#pragma once

#include "core/register/registerlocation.h"
#include "core/register/verification.h"

#include <QDate>
#include <QList>
#include <QStringList>

#include <functional>

// What the window "Rejestr mierników" shows, as the texts of its tables, and
// the look at a verification's document before it opens. Every question
// opens the register anew, so the window always shows what the register
// holds now; a register that fails throws ERegisterError.
class RegisterBrowser
{
public:
    struct Row
    {
        QStringList cells;
        bool overdue = false;
        Verification verification;
    };

    // Where the register is; the configured register when unset.
    std::function<RegisterLocation()> location;

    // Meters whose name or number contains the text, each with its latest
    // verification.
    QList<Row> search(const QString &text);
    static QStringList searchHeaders();
    // A meter's verifications, newest first, with their summaries.
    QList<Row> history(const QString &name, const QString &number);
    static QStringList historyHeaders();
    // "Do sprawdzenia": meters due within the days after today, or overdue.
    QList<Row> due(QDate today, int days);
    static QStringList dueHeaders();

    enum class FileState { Present, Missing, Changed };
    // Whether the document is still where the register says, with the bytes
    // the register saw.
    static FileState fileState(const Verification &verification);

private:
    RegisterLocation where() const;
};
