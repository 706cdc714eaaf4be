#pragma once

#include <QMainWindow>
#include <QStringList>

#include <functional>

class QLabel;
class QPushButton;
class QTimer;
class TForm_Oprogramie;
class TForm_Pulpit;
class TForm_WyborKal;
struct Services;

// The hub: the calibrator picture with its five buttons, and a status bar with
// the clock, the date, the calibrator model and the hint of the button under
// the mouse.
class TForm_OknoGlowne : public QMainWindow
{
    Q_OBJECT

public:
    struct Windows
    {
        TForm_Pulpit *pulpit = nullptr;
        TForm_WyborKal *wyborKal = nullptr;
        TForm_Oprogramie *oprogramie = nullptr;
        // The verification window, with its main panel "Panel_Glowny" and its
        // labels "Label_Wm" and "Label_Nk"; made when first asked for.
        std::function<QDialog *()> sprawdzanie;
        // Tells the verification window to load this document when it shows.
        std::function<void(const QString &)> openArgument;
        // Shows the window "Rejestr mierników" modally.
        std::function<void()> rejestr;
    };

    TForm_OknoGlowne(Services &services, const Windows &windows, const QStringList &arguments,
                     QWidget *parent = nullptr);

    QLabel *Image_Kalibrator = nullptr;
    QPushButton *Button_WyborKal = nullptr;
    QPushButton *Button_SterowanieKal = nullptr;
    QPushButton *Button_SprawdzanieMier = nullptr;
    QPushButton *Button_Oprogramie = nullptr;
    QPushButton *Button_Koniec = nullptr;
    QPushButton *Button_Rejestr = nullptr;
    QLabel *statusPanels[4] = {};
    QTimer *CzasTimer = nullptr;

    QString statusText(int panel) const;
    bool controlsVisible() const;

    void FormActivate();
    void CzasTimerTimer();
    void Button_WyborKalClick();
    void Button_SterowanieKalClick();
    void Button_SprawdzanieMierClick();
    void Button_OprogramieClick();
    void Button_KoniecClick();
    void Button_RejestrClick();
    // The verification window with this document loaded, as for a document
    // named on the command line.
    void openInVerificationWindow(const QString &path);

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPushButton *addButton(const QString &caption, const QString &hint, int width);
    void setControlsVisible(bool visible);
    void applyLayout();
    void prepareVerificationWindow(QDialog *window);
    void openCommandLineDocument();
    void showCommsError(const QString &text, const QString &detail);

    Services &m_services;
    Windows m_windows;
    QStringList m_arguments;
    bool m_firstActivation = false;
    bool m_openedFromCommandLine = false;
};
