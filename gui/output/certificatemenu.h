#pragma once

#include "core/output/printplan.h"

#include <QObject>

class DocumentSession;
class OutputMenu;
class QAction;
class QWidget;
class TForm_Swiadectwo;
struct Services;

// "Plik" -> "Świadectwo…" of the verification window: the open document's
// certificate printed on the program's printer, previewed, or written as a
// PDF file as carefully as every output of the program. Making it issues
// it: a document that names no day of issue takes the clock's today, and
// counts as changed.
class CertificateMenu : public QObject
{
    Q_OBJECT

public:
    CertificateMenu(Services &services, DocumentSession &session, QWidget &window,
                    QAction &swiadectwo, OutputMenu &output);

    TForm_Swiadectwo *Form_Swiadectwo = nullptr;

    void Menu_Plik_SwiadectwoClick();

    // The certificate's pages of the open document as it is.
    QList<OutputPage> pages() const;

private:
    // The day of issue, when the document has none yet.
    void issue();
    void writePdf(const QList<OutputPage> &pages);

    Services &m_services;
    DocumentSession &m_session;
    OutputMenu &m_output;
};
