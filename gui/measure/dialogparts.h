#pragma once

#include <QString>

class QDialog;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QWidget;

// The pieces both kinds of measurement dialog are made of.
namespace DialogParts {

// An edit in a captioned group box at (row, column) of the grid, with an
// optional widget beside it (the "Hz" label).
QLineEdit *addField(QGridLayout *grid, int row, int column, const QString &caption,
                    const QString &name, QWidget *parent, QWidget *besides = nullptr);

struct Buttons
{
    QPushButton *ok = nullptr;
    QPushButton *abort = nullptr;
};

// Lays out the dialog: the grid of fields above "&OK" and "&Przerwij pomiary".
Buttons finishLayout(QDialog *dialog, QGridLayout *grid, const QString &okName,
                     const QString &abortName);

} // namespace DialogParts
