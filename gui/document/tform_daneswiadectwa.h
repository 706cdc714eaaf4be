#pragma once

#include "core/document/certificatedata.h"

#include <QDialog>

class DocumentSession;
class QAction;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
struct Services;

// "Dane świadectwa" of the verification window's menu: the open document's
// certificate data, kept in its extension data. The names "Wykonał" and
// "Zatwierdził" start as the lab's where the document has none. What the
// dialog ends with on OK goes into the document, which counts as changed
// when it differs.
class TForm_DaneSwiadectwa : public QDialog
{
    Q_OBJECT

public:
    TForm_DaneSwiadectwa(Services &services, DocumentSession &session, QWidget &window,
                         QAction &menuItem);

    QLineEdit *Edit_Numer = nullptr;
    QLineEdit *Edit_Zleceniodawca = nullptr;
    QLineEdit *Edit_AdresZleceniodawcy = nullptr;
    QLineEdit *Edit_Miejsce = nullptr;
    QLineEdit *Edit_DataSprawdzenia = nullptr;
    QLineEdit *Edit_DataWystawienia = nullptr;
    QLineEdit *Edit_Temperatura = nullptr;
    QLineEdit *Edit_Wilgotnosc = nullptr;
    QLineEdit *Edit_Wykonal = nullptr;
    QLineEdit *Edit_Zatwierdzil = nullptr;
    QLineEdit *Edit_Okres = nullptr;
    QPlainTextEdit *Memo_Uwagi = nullptr;
    QPushButton *Button_OK = nullptr;
    QPushButton *Button_Anuluj = nullptr;

    void Menu_DaneSwiadectwaClick();
    // Closes with OK when every date and number reads.
    void Button_OKClick();

private:
    void showData(const CertificateData &data);

    Services &m_services;
    DocumentSession &m_session;
    CertificateData m_data;
};
