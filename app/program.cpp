#include "program.h"

#include "tform_oknoglowne.h"
#include "tform_oprogramie.h"
#include "tform_pulpit.h"
#include "tform_rs232.h"
#include "tform_wyborkal.h"

#include <QApplication>

Program::Program(const QStringList &arguments) : m_arguments(arguments) {}

Program::~Program()
{
    m_link.close();
}

void Program::showSplash()
{
    m_oprogramie = std::make_unique<TForm_Oprogramie>();
    m_oprogramie->show();
    m_oprogramie->repaint();
    QApplication::processEvents();
}

void Program::createWindows()
{
    // The main window comes first, but it needs the windows it opens; they are
    // created right after it in the order the program always had, and handed
    // to it before the message loop starts.
    TForm_OknoGlowne::Windows windows;
    windows.oprogramie = m_oprogramie.get();

    m_pulpit = std::make_unique<TForm_Pulpit>(m_services);
    windows.pulpit = m_pulpit.get();
    m_rs232 = std::make_unique<TForm_RS232>(m_services);
    m_wyborKal = std::make_unique<TForm_WyborKal>(m_services);
    windows.wyborKal = m_wyborKal.get();

    m_mainWindow = std::make_unique<TForm_OknoGlowne>(m_services, windows, m_arguments);
}
