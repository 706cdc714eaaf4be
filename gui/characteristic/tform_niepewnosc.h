#pragma once

#include "core/document/uncertaintysettings.h"

#include <QDialog>

#include <optional>

class DocumentSession;
class QAction;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
struct Services;

// "Niepewność" of the verification window's menu: the decision rule and the
// minimum accuracy ratio of the open document, and those the lab starts its
// new documents with ("orvane.ini", section "Niepewnosc"). The two are kept
// apart on purpose: a document keeps the rule it was judged under whatever
// the lab later chooses, and a change of the lab's choice never changes the
// document open.
class TForm_Niepewnosc : public QDialog
{
    Q_OBJECT

public:
    // Opened by the verification window's menu item.
    TForm_Niepewnosc(Services &services, DocumentSession &session, QWidget &window,
                     QAction &menuItem);

    QGroupBox *GroupBox_Dokument = nullptr;
    QComboBox *ComboBox_Regula = nullptr;
    QLineEdit *Edit_MinTUR = nullptr;
    QGroupBox *GroupBox_Domyslne = nullptr;
    QComboBox *ComboBox_RegulaDomyslna = nullptr;
    QLineEdit *Edit_MinTURDomyslny = nullptr;
    QPushButton *Button_OK = nullptr;
    QPushButton *Button_Anuluj = nullptr;

    // Shows the dialog with what the document and the lab have now, and
    // stores what it ends with on OK.
    void Menu_NiepewnoscClick();
    // Closes with OK when both ratios read.
    void Button_OKClick();

private:
    // A ratio as typed (decimal comma); none for one that does not read or
    // is negative, after saying so.
    std::optional<long double> readRatio(QLineEdit *edit);

    Services &m_services;
    DocumentSession &m_session;
    UncertaintySettings m_chosen;
    UncertaintySettings m_document;
};
