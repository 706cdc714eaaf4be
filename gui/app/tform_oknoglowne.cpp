#include "gui/app/tform_oknoglowne.h"

#include "core/base/errorbox.h"
#include "core/base/errors.h"
#include "core/base/prompts.h"
#include "core/calibrator/frames.h"
#include "core/calibrator/services.h"
#include "core/link/linkguard.h"
#include "gui/app/mainwindowlayout.h"
#include "gui/app/tform_oprogramie.h"
#include "gui/app/tform_wyborkal.h"
#include "gui/panel/tform_pulpit.h"
#include "gui/resources/artwork.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>
#include <optional>

namespace {

constexpr int verificationWindowHeight = 530;
const QColor olive(0x80, 0x80, 0x00);

void centreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

} // namespace

TForm_OknoGlowne::TForm_OknoGlowne(Services &services, const Windows &windows,
                                   const QStringList &arguments, QWidget *parent)
    : QMainWindow(parent), m_services(services), m_windows(windows), m_arguments(arguments)
{
    setObjectName(QStringLiteral("Form_OknoGlowne"));
    setWindowTitle(QStringLiteral("Orvane 707"));
    setMinimumSize(MainWindowLayout::MinimumWidth, MainWindowLayout::MinimumHeight);
    resize(MainWindowLayout::MinimumWidth, MainWindowLayout::MinimumHeight);

    auto *central = new QWidget(this);
    central->setAutoFillBackground(true);
    QPalette green = central->palette();
    green.setColor(QPalette::Window, QColor(0, 128, 0));
    central->setPalette(green);
    setCentralWidget(central);

    Image_Kalibrator = new QLabel(central);
    Image_Kalibrator->setObjectName(QStringLiteral("Image_Kalibrator"));
    Image_Kalibrator->setPixmap(Artwork::calibrator(devicePixelRatioF()));
    Image_Kalibrator->setFixedSize(MainWindowLayout::PictureWidth, MainWindowLayout::PictureHeight);
    Image_Kalibrator->setMouseTracking(true);
    Image_Kalibrator->installEventFilter(this);

    Button_WyborKal = addButton(QStringLiteral("&Wybór wykonania kalibratora"),
                                QStringLiteral("Wybór wykonania kalibratora"), 170);
    Button_SterowanieKal = addButton(QStringLiteral("&Sterowanie kalibratora"),
                                     QStringLiteral("Sterowanie kalibratora  (RS 232)"), 170);
    Button_SprawdzanieMier = addButton(QStringLiteral("Sprawdzanie &mierników"),
                                       QStringLiteral("Sprawdzanie mierników"), 170);
    Button_Oprogramie =
        addButton(QStringLiteral("&O programie"), QStringLiteral("Informacje o programie"), 95);
    Button_Koniec = addButton(QStringLiteral("&Koniec"), QStringLiteral("Wyjście z programu"), 95);
    // The register has the free place above "&O programie", in the right
    // column, as wide as its caption needs.
    Button_Rejestr =
        addButton(QStringLiteral("&Rejestr mierników"),
                  QStringLiteral("Rejestr mierników: historia i terminy sprawdzeń"), 95);
    Button_Rejestr->setObjectName(QStringLiteral("Button_Rejestr"));
    Button_Rejestr->resize(std::max(95, Button_Rejestr->sizeHint().width()), 25);
    Button_WyborKal->setObjectName(QStringLiteral("Button_WyborKal"));
    Button_SterowanieKal->setObjectName(QStringLiteral("Button_SterowanieKal"));
    Button_SprawdzanieMier->setObjectName(QStringLiteral("Button_SprawdzanieMier"));
    Button_Oprogramie->setObjectName(QStringLiteral("Button_Oprogramie"));
    Button_Koniec->setObjectName(QStringLiteral("Button_Koniec"));
    // The design widths, or wider where the font needs the room; the buttons
    // of a column keep one width.
    for (const QList<QPushButton *> &column :
         {QList<QPushButton *>{Button_WyborKal, Button_SterowanieKal, Button_SprawdzanieMier},
          QList<QPushButton *>{Button_Oprogramie, Button_Koniec}}) {
        int width = 0;
        for (const QPushButton *button : column)
            width = std::max({width, button->width(), button->sizeHint().width()});
        for (QPushButton *button : column)
            button->resize(width, button->height());
    }

    connect(Button_WyborKal, &QPushButton::clicked, this, &TForm_OknoGlowne::Button_WyborKalClick);
    connect(Button_SterowanieKal, &QPushButton::clicked, this,
            &TForm_OknoGlowne::Button_SterowanieKalClick);
    connect(Button_SprawdzanieMier, &QPushButton::clicked, this,
            &TForm_OknoGlowne::Button_SprawdzanieMierClick);
    connect(Button_Oprogramie, &QPushButton::clicked, this,
            &TForm_OknoGlowne::Button_OprogramieClick);
    connect(Button_Koniec, &QPushButton::clicked, this, &TForm_OknoGlowne::Button_KoniecClick);
    connect(Button_Rejestr, &QPushButton::clicked, this, &TForm_OknoGlowne::Button_RejestrClick);

    static constexpr int panelWidths[4] = {60, 70, 170, 500};
    for (int i = 0; i < 4; ++i) {
        statusPanels[i] = new QLabel(this);
        statusPanels[i]->setMinimumWidth(panelWidths[i]);
        statusPanels[i]->setAlignment(i == 3 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
        statusPanels[i]->setFrameShape(QFrame::StyledPanel);
        statusPanels[i]->setFrameShadow(QFrame::Sunken);
        statusBar()->addWidget(statusPanels[i], i == 3 ? 1 : 0);
    }
    statusPanels[0]->setText(QStringLiteral("Time"));
    statusPanels[1]->setText(QStringLiteral("Date"));
    statusBar()->setSizeGripEnabled(false);
    // The design height, or higher where the font needs it.
    statusBar()->setFixedHeight(
        std::max(MainWindowLayout::StatusBarHeight, statusBar()->sizeHint().height()));

    CzasTimer = new QTimer(this);
    CzasTimer->setInterval(500);
    connect(CzasTimer, &QTimer::timeout, this, &TForm_OknoGlowne::CzasTimerTimer);
    CzasTimer->start();
    CzasTimerTimer();

    if (m_windows.wyborKal) {
        m_windows.wyborKal->onModelChosen = [this] {
            statusPanels[2]->setText(m_services.model.statusText());
            if (m_windows.pulpit)
                m_windows.pulpit->requestResetOnActivation();
        };
    }

    m_services.model = CalibratorModel::load();
    statusPanels[2]->setText(m_services.model.statusText());
    // Room for the longest model text in the font the machine has.
    statusPanels[2]->setMinimumWidth(
        std::max(panelWidths[2], statusPanels[2]->fontMetrics().horizontalAdvance(
                                     QStringLiteral("Wykonanie kalibratora: R-707FC")) +
                                     12));

    Button_Oprogramie->setFocus();
    applyLayout();
}

QPushButton *TForm_OknoGlowne::addButton(const QString &caption, const QString &hint, int width)
{
    auto *button = new QPushButton(caption, centralWidget());
    QFont font(QStringLiteral("Arial"), 8, QFont::Bold);
    button->setFont(font);
    button->setStyleSheet(QStringLiteral("color: black;"));
    button->resize(width, 25);
    button->setProperty("hint", hint);
    button->setToolTip(hint);
    button->setMouseTracking(true);
    button->installEventFilter(this);
    return button;
}

QString TForm_OknoGlowne::statusText(int panel) const
{
    return statusPanels[panel]->text();
}

bool TForm_OknoGlowne::controlsVisible() const
{
    return !Image_Kalibrator->isHidden() && !Button_WyborKal->isHidden() &&
           !Button_SterowanieKal->isHidden() && !Button_SprawdzanieMier->isHidden() &&
           !Button_Oprogramie->isHidden() && !Button_Koniec->isHidden() &&
           !Button_Rejestr->isHidden();
}

void TForm_OknoGlowne::setControlsVisible(bool visible)
{
    for (QWidget *control :
         {static_cast<QWidget *>(Image_Kalibrator), static_cast<QWidget *>(Button_WyborKal),
          static_cast<QWidget *>(Button_SterowanieKal),
          static_cast<QWidget *>(Button_SprawdzanieMier), static_cast<QWidget *>(Button_Oprogramie),
          static_cast<QWidget *>(Button_Koniec), static_cast<QWidget *>(Button_Rejestr)})
        control->setVisible(visible);
}

bool TForm_OknoGlowne::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        if (watched == Image_Kalibrator) {
            statusPanels[3]->clear();
        } else if (auto *button = qobject_cast<QPushButton *>(watched)) {
            statusPanels[3]->setText(QStringLiteral("   ") + button->property("hint").toString());
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm_OknoGlowne::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
    QMainWindow::changeEvent(event);
}

void TForm_OknoGlowne::closeEvent(QCloseEvent *event)
{
    QMainWindow::closeEvent(event);
    // Closing the main window ends the program, also while the splash or the
    // About box is still up: a window left on screen must not keep it alive.
    if (event->isAccepted())
        QCoreApplication::quit();
}

void TForm_OknoGlowne::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    applyLayout();
}

void TForm_OknoGlowne::applyLayout()
{
    const MainWindowLayout layout = MainWindowLayout::compute(size(), height());
    Image_Kalibrator->move(layout.picture);
    Button_WyborKal->move(layout.leftButtonsLeft, layout.wyborKalTop);
    Button_SterowanieKal->move(layout.leftButtonsLeft, layout.sterowanieKalTop);
    Button_SprawdzanieMier->move(layout.leftButtonsLeft, layout.sprawdzanieMierTop);
    Button_Oprogramie->move(layout.rightButtonsLeft, layout.oprogramieTop);
    Button_Koniec->move(layout.rightButtonsLeft, layout.koniecTop);
    Button_Rejestr->move(layout.rightButtonsLeft, layout.wyborKalTop);
}

void TForm_OknoGlowne::FormActivate()
{
    m_services.model = CalibratorModel::load();
    statusPanels[2]->setText(m_services.model.statusText());
    if (!m_firstActivation && !m_arguments.isEmpty()) {
        m_firstActivation = true;
        m_openedFromCommandLine = true;
        // Not from inside the activation event: the verification window runs
        // a modal loop of its own.
        QTimer::singleShot(0, this, &TForm_OknoGlowne::openCommandLineDocument);
    }
}

void TForm_OknoGlowne::openCommandLineDocument()
{
    openInVerificationWindow(m_arguments.constFirst());
}

void TForm_OknoGlowne::openInVerificationWindow(const QString &path)
{
    if (!m_windows.sprawdzanie)
        return;
    if (m_windows.openArgument)
        m_windows.openArgument(path);
    QDialog *window = m_windows.sprawdzanie();
    prepareVerificationWindow(window);
    m_services.prompts.exec(window);
}

void TForm_OknoGlowne::prepareVerificationWindow(QDialog *window)
{
    window->resize(window->width(), verificationWindowHeight);
    centreOnScreen(window);
    if (QWidget *panel = window->findChild<QWidget *>(QStringLiteral("Panel_Glowny")))
        panel->hide();
}

void TForm_OknoGlowne::CzasTimerTimer()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale;
    statusPanels[0]->setText(locale.toString(now.time(), QLocale::ShortFormat));
    statusPanels[1]->setText(locale.toString(now.date(), QLocale::ShortFormat));
}

void TForm_OknoGlowne::Button_WyborKalClick()
{
    if (!m_windows.wyborKal)
        return;
    setControlsVisible(false);
    m_services.prompts.exec(m_windows.wyborKal);
    setControlsVisible(true);
    FormActivate();
}

void TForm_OknoGlowne::showCommsError(const QString &text, const QString &detail)
{
    m_services.prompts.show(text, QStringLiteral("Błąd komunikacji"), PromptIcon::Critical,
                            PromptButton::Ok, detail);
}

void TForm_OknoGlowne::Button_SterowanieKalClick()
{
    setControlsVisible(false);
    std::optional<LinkGuard> open;
    try {
        open.emplace(m_services.link);
        m_services.link.send(Frames::standbyFrame());
    } catch (const ECommsError &error) {
        if (open)
            showGeneralError(m_services.prompts, error);
        else
            showCommsError(QStringLiteral("Nie można otworzyć portu komunikacyjnego."),
                           error.detail());
        setControlsVisible(true);
        return;
    }

    if (m_windows.pulpit) {
        m_windows.pulpit->setStandby(true);
        m_services.prompts.exec(m_windows.pulpit);
        // A panel that could not write has said so, closed the link and
        // closed itself; the reset would only fail again.
        if (!m_windows.pulpit->linkFailed())
            m_windows.pulpit->Button_CClick();
    }
    setControlsVisible(true);
}

void TForm_OknoGlowne::Button_SprawdzanieMierClick()
{
    if (!m_windows.sprawdzanie)
        return;
    setControlsVisible(false);
    QDialog *window = m_windows.sprawdzanie();
    for (const char *name : {"Label_Wm", "Label_Nk"}) {
        if (auto *label = window->findChild<QLabel *>(QLatin1String(name))) {
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, olive);
            label->setPalette(palette);
        }
    }
    prepareVerificationWindow(window);
    m_services.prompts.exec(window);
    setControlsVisible(true);
}

void TForm_OknoGlowne::Button_OprogramieClick()
{
    if (!m_windows.oprogramie)
        return;
    m_windows.oprogramie->show();
    m_windows.oprogramie->raise();
}

void TForm_OknoGlowne::Button_KoniecClick()
{
    close();
}

void TForm_OknoGlowne::Button_RejestrClick()
{
    if (!m_windows.rejestr)
        return;
    setControlsVisible(false);
    m_windows.rejestr();
    setControlsVisible(true);
}
