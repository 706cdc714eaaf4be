#pragma once

#include <QDialog>

#include <functional>

class QButtonGroup;
class QGroupBox;
class QPushButton;
struct Services;

// "Wybór wykonania kalibratora": which of the four calibrator variants is
// connected. OK stores the choice for the user; Cancel stores nothing.
class TForm_WyborKal : public QDialog
{
    Q_OBJECT

public:
    explicit TForm_WyborKal(Services &services, QWidget *parent = nullptr);

    QGroupBox *RadioGroup_ModelKal = nullptr;
    QButtonGroup *modelButtons = nullptr;
    QPushButton *Button_OK = nullptr;
    QPushButton *Button_Anuluj = nullptr;

    // Called after a new model is confirmed: the main window updates its
    // status bar and arms the front panel's reset.
    std::function<void()> onModelChosen;

    int selectedIndex() const;
    void select(int index);

    void FormActivate();
    void Button_OKClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    Services &m_services;
};
