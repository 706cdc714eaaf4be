#pragma once

#include <QString>

class QDialog;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The pieces both kinds of measurement dialog are made of.
namespace DialogParts {

// An edit in a captioned group box at (row, column) of the grid, with an
// optional widget beside it (the "Hz" label).
QLineEdit *addField(QGridLayout *grid, int row, int column, const QString &caption,
                    const QString &name, QWidget *parent, QWidget *besides = nullptr);

// The label of the unit a field's number is in, beside the field: it has
// room for the widest unit from the start, so no unit is cut and the field
// keeps its width whatever the point.
QLabel *unitLabel(const QString &name, QWidget *parent);

struct Buttons
{
    QPushButton *ok = nullptr;
    QPushButton *abort = nullptr;
};

// Lays out the dialog: the grid of fields above "&OK" and "&Przerwij pomiary".
Buttons finishLayout(QDialog *dialog, QGridLayout *grid, const QString &okName,
                     const QString &abortName);

} // namespace DialogParts
