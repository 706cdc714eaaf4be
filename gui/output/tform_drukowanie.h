#pragma once

#include "core/output/printplan.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QGroupBox;
class QPushButton;

// "Drukowanie": what to print of the shown range, the table, the points
// chart and the errors chart. It lives as long as the program, so the marks
// keep their last state from one print to the next. The dialog itself
// prints nothing: its caller reads the marks after "&OK".
class TForm_Drukowanie : public QDialog
{
    Q_OBJECT

public:
    explicit TForm_Drukowanie(QWidget *parent = nullptr);

    QGroupBox *GroupBox1 = nullptr;
    QCheckBox *CB1 = nullptr;
    QCheckBox *CB2 = nullptr;
    QCheckBox *CB3 = nullptr;
    QPushButton *OKBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button_Podglad = nullptr;

    // "&Drukarka" and "&Podgląd" call these; the dialog stays open.
    std::function<void()> onPrinterSetup;
    std::function<void()> onPreview;

    // Which boxes the operator may change in this showing; their marks stay.
    void setEnabledMarks(const PrintPlan::Marks &enabled);
    PrintPlan::Marks marks() const;
    PrintPlan::Marks enabledMarks() const;

    void Button1Click();

protected:
    void showEvent(QShowEvent *event) override;
};
