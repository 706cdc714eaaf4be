#include "core/document/documentdisplay.h"

#include "core/document/documentsession.h"
#include "core/document/tdanesprawdzania.h"

namespace {

const QString NoDocumentCaption = QStringLiteral("Sprawdzanie miernika");

} // namespace

void DocumentDisplay::setMenuEnabled(MenuItem item, bool enabled)
{
    if (m_menu[int(item)] == enabled)
        return;
    m_menu[int(item)] = enabled;
    Q_EMIT changed();
}

void DocumentDisplay::setTablePanelVisible(bool visible)
{
    if (m_tablePanelVisible == visible)
        return;
    m_tablePanelVisible = visible;
    Q_EMIT changed();
}

void DocumentDisplay::setRangeBoxVisible(bool visible)
{
    if (m_rangeBoxVisible == visible)
        return;
    m_rangeBoxVisible = visible;
    Q_EMIT changed();
}

QString DocumentDisplay::methodLabel(const QString &typ)
{
    return typ == QLatin1String("Analogowy") ? QStringLiteral("Metoda dok. odczytu")
                                             : QStringLiteral("Metoda dok. nastawy");
}

void DocumentDisplay::showFileName(const QString &fileName)
{
    m_caption = NoDocumentCaption + QStringLiteral(" : ") + DocumentSession::baseName(fileName);
}

void DocumentDisplay::showMeter(const TDaneSprawdzania &record)
{
    m_labelMetoda = methodLabel(record.Typ());
    m_labelNazwa = record.Nazwa();
    m_labelNumer = record.Numer();
    m_meterBoxVisible = true;
}

void DocumentDisplay::showNoDocument(std::initializer_list<MenuItem> disabled)
{
    m_labelMetoda.clear();
    m_labelNazwa.clear();
    m_labelNumer.clear();
    m_meterBoxVisible = false;
    m_rangeBoxVisible = false;
    enable(disabled, false);
    m_caption = NoDocumentCaption;
}

void DocumentDisplay::enable(std::initializer_list<MenuItem> items, bool enabled)
{
    for (MenuItem item : items)
        m_menu[int(item)] = enabled;
}
