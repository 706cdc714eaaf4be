#include "gui/output/certificatemenu.h"

#include "core/base/clock.h"
#include "core/base/errorbox.h"
#include "core/base/prompts.h"
#include "core/calibrator/services.h"
#include "core/document/certificatedata.h"
#include "core/document/documentsession.h"
#include "core/document/labsettings.h"
#include "core/output/certificatecontent.h"
#include "gui/output/outputmenu.h"
#include "gui/output/pagepainter.h"
#include "gui/output/qttextmeasurer.h"
#include "gui/output/tform_swiadectwo.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QPrintDialog>

CertificateMenu::CertificateMenu(Services &services, DocumentSession &session, QWidget &window,
                                 QAction &swiadectwo, OutputMenu &output)
    : QObject(&window), m_services(services), m_session(session), m_output(output)
{
    Form_Swiadectwo = new TForm_Swiadectwo(&window);
    connect(&swiadectwo, &QAction::triggered, this, &CertificateMenu::Menu_Plik_SwiadectwoClick);
}

QList<OutputPage> CertificateMenu::pages() const
{
    const CertificateContent content = CertificateContent::fill(
        m_session.record(), m_session.extension(), LabSettings::load(), m_services.clock.today());
    const QList<CertificatePage> sheets = CertificateLayout::pages(content, QtTextMeasurer());
    return {sheets.begin(), sheets.end()};
}

void CertificateMenu::issue()
{
    CertificateData data = CertificateData::of(m_session.extension());
    if (data.issuedOn.isValid())
        return;
    data.issuedOn = m_services.clock.today();
    DocumentExtension extension = m_session.extension();
    data.storeIn(extension);
    m_session.setExtension(extension);
}

void CertificateMenu::Menu_Plik_SwiadectwoClick()
{
    guarded(m_services.prompts, [this] {
        // The value being typed into a cell belongs on the certificate.
        Q_EMIT m_session.aboutToSave();
        if (!m_session.hasDocument())
            return;
        const int choice = m_services.prompts.exec(Form_Swiadectwo);
        if (choice != TForm_Swiadectwo::Drukuj && choice != TForm_Swiadectwo::Podglad &&
            choice != TForm_Swiadectwo::Pdf)
            return;
        issue();
        const QList<OutputPage> certificate = pages();
        switch (choice) {
        case TForm_Swiadectwo::Drukuj: {
            QPrintDialog dialog(&m_output.printer(), Form_Swiadectwo->parentWidget());
            dialog.setObjectName(QStringLiteral("CertificatePrintDialog"));
            if (m_services.prompts.exec(&dialog) == QDialog::Accepted)
                m_output.printPages(certificate);
            break;
        }
        case TForm_Swiadectwo::Podglad:
            m_output.previewPages(certificate, Form_Swiadectwo->parentWidget());
            break;
        default:
            writePdf(certificate);
            break;
        }
    });
}

void CertificateMenu::writePdf(const QList<OutputPage> &pages)
{
    // Beside the document, named after it; in the home folder for a
    // document never saved.
    const QString document = m_session.fileName();
    const bool saved = !document.isEmpty() && document != DocumentSession::untitledName();
    const QString folder = saved ? QFileInfo(document).absolutePath() : QDir::homePath();
    const QString name =
        saved ? QFileInfo(document).completeBaseName()
              : m_session.record().Nazwa().replace(QLatin1Char('/'), QLatin1Char('_'));
    const QString fileName = m_services.prompts.saveFileName(
        {QStringLiteral("Zapisz świadectwo"), folder, QStringLiteral("PDF (*.pdf)"),
         QStringLiteral("pdf"), name + QStringLiteral(" świadectwo.pdf")});
    if (fileName.isEmpty())
        return;
    PdfPagePrinter(fileName).print(pages);
}
