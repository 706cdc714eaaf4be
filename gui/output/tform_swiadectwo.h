#pragma once

#include <QDialog>

class QPushButton;

// "Świadectwo": what to do with the open document's certificate. It ends
// with the choice (done() with a Choice) or rejected; it makes nothing
// itself.
class TForm_Swiadectwo : public QDialog
{
    Q_OBJECT

public:
    enum Choice { Drukuj = 2, Podglad, Pdf };

    explicit TForm_Swiadectwo(QWidget *parent = nullptr);

    QPushButton *Button_Drukuj = nullptr;
    QPushButton *Button_Podglad = nullptr;
    QPushButton *Button_Pdf = nullptr;
    QPushButton *Button_Anuluj = nullptr;
};
