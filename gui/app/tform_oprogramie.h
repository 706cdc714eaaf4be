#pragma once

#include <QDialog>

class QPushButton;

// "Informacje o programie": what the program does and its version. It is also
// the splash that stays up at start-up until its OK closes it.
class TForm_Oprogramie : public QDialog
{
    Q_OBJECT

public:
    explicit TForm_Oprogramie(QWidget *parent = nullptr);

    QPushButton *BitBtn1 = nullptr;

    void BitBtn1Click();
};
