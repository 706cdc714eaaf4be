#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class TDaneSprawdzania;
struct Services;

// "Miernik": the name and serial number of the meter under verification and
// the verification method, which fixes Typ ("Analogowy" for exact reading,
// "Cyfrowy" for exact setting). Created once and shown modally.
class TForm_Miernik : public QDialog
{
    Q_OBJECT

public:
    explicit TForm_Miernik(Services &services, QWidget *parent = nullptr);

    QLineEdit *Edit_Miernik_Nazwa = nullptr;
    QLineEdit *Edit_Miernik_Numer = nullptr;
    QComboBox *ComboBox_MetodaSprawdzania = nullptr;
    QPushButton *BitBtn_Miernik_OK = nullptr;
    QPushButton *BitBtn_Miernik_Anuluj = nullptr;

    // Shows the dialog for the record: the edits take its Nazwa and Numer.
    // For a new document the method may be chosen (the combo keeps the item
    // it last had); otherwise the combo shows the record's method, disabled.
    // Returns whether the dialog ended with OK; only then has the record
    // been written.
    bool showFor(TDaneSprawdzania &record, bool newDocument);

    // The Typ written for a combo item, and the other way round.
    static QString typForMethod(const QString &comboText);
    static int methodIndexForTyp(const QString &typ);
    // The message that refuses OK, or empty when OK may close the dialog.
    static QString refusal(const QString &name, const QString &number);

    void BitBtn_Miernik_OKClick();

Q_SIGNALS:
    // OK wrote this Typ; the entry column's header turns green.
    void typChosen(const QString &typ);

private:
    Services &m_services;
    TDaneSprawdzania *m_record = nullptr;
};
