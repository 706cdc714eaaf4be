#pragma once

#include "core/document/labsettings.h"

#include <QDialog>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
struct Services;

// "Dane laboratorium" of the verification window's menu: what the lab's
// certificates say of the lab, its standard and the names "Wykonał" and
// "Zatwierdził" start with ("orvane.ini", section "Laboratorium"). The model
// of the standard is the one chosen in the program, shown but not typed.
class TForm_DaneLaboratorium : public QDialog
{
    Q_OBJECT

public:
    TForm_DaneLaboratorium(Services &services, QWidget &window, QAction &menuItem);

    QLineEdit *Edit_Nazwa = nullptr;
    QLineEdit *Edit_Adres = nullptr;
    QLineEdit *Edit_Akredytacja = nullptr;
    QLineEdit *Edit_Tytul = nullptr;
    QLabel *Label_Model = nullptr;
    QLineEdit *Edit_WzorzecNumer = nullptr;
    QLineEdit *Edit_WzorzecSwiadectwo = nullptr;
    QLineEdit *Edit_WzorzecWaznyDo = nullptr;
    QLineEdit *Edit_Wykonal = nullptr;
    QLineEdit *Edit_Zatwierdzil = nullptr;
    QPushButton *Button_OK = nullptr;
    QPushButton *Button_Anuluj = nullptr;

    // Shows the lab's settings and keeps what the dialog ends with on OK.
    void Menu_DaneLaboratoriumClick();
    // Closes with OK when the date reads.
    void Button_OKClick();

private:
    Services &m_services;
    LabSettings m_settings;
};
