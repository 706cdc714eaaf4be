#include "gui/measure/dialogparts.h"

#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace DialogParts {

QLineEdit *addField(QGridLayout *grid, int row, int column, const QString &caption,
                    const QString &name, QWidget *parent, QWidget *besides)
{
    auto *group = new QGroupBox(caption, parent);
    auto *layout = new QHBoxLayout(group);
    auto *edit = new QLineEdit(group);
    edit->setObjectName(name);
    layout->addWidget(edit);
    if (besides)
        layout->addWidget(besides);
    grid->addWidget(group, row, column);
    return edit;
}

QLabel *unitLabel(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    int widest = 0;
    for (const char *unit : {"mV", "mA", "V", "A"})
        widest = std::max(widest, label->fontMetrics().horizontalAdvance(QLatin1String(unit)));
    label->setMinimumWidth(widest);
    return label;
}

Buttons finishLayout(QDialog *dialog, QGridLayout *grid, const QString &okName,
                     const QString &abortName)
{
    Buttons buttons;
    buttons.ok = new QPushButton(QStringLiteral("&OK"), dialog);
    buttons.ok->setObjectName(okName);
    buttons.ok->setDefault(true);
    buttons.abort = new QPushButton(QStringLiteral("&Przerwij pomiary"), dialog);
    buttons.abort->setObjectName(abortName);
    buttons.abort->setAutoDefault(false);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(buttons.ok);
    row->addWidget(buttons.abort);

    auto *layout = new QVBoxLayout(dialog);
    layout->addLayout(grid);
    layout->addLayout(row);
    return buttons;
}

} // namespace DialogParts
