#pragma once

#include <QObject>
#include <QString>

#include <array>
#include <initializer_list>

class TDaneSprawdzania;

// What the verification window shows around the open document: the
// caption, the menu items that follow the document, the table panel, the
// "Miernik" group box with its three labels, and the "Zakres" group box.
// The window mirrors it whenever changed() is emitted.
//
// The document's operations (DocumentSession) make several of these
// changes at once and tell changed() once they are all made: the show...()
// functions, enable() and publish() are theirs. The set...() functions are
// for the rest of the program, and each tells changed() at once.
class DocumentDisplay : public QObject
{
    Q_OBJECT

public:
    // Menu items whose enabled state follows the document.
    enum class MenuItem { Excel, Zapisz, ZapiszJako, Drukuj, Zamknij, Pomiary, DaneMiernika };
    static constexpr int MenuItemCount = 7;

    using QObject::QObject;

    QString caption() const { return m_caption; }
    bool menuEnabled(MenuItem item) const { return m_menu[int(item)]; }
    bool tablePanelVisible() const { return m_tablePanelVisible; }
    bool meterBoxVisible() const { return m_meterBoxVisible; }
    bool rangeBoxVisible() const { return m_rangeBoxVisible; }
    QString labelMetoda() const { return m_labelMetoda; }
    QString labelNazwa() const { return m_labelNazwa; }
    QString labelNumer() const { return m_labelNumer; }

    void setMenuEnabled(MenuItem item, bool enabled);
    void setTablePanelVisible(bool visible);
    void setRangeBoxVisible(bool visible);

    // "Metoda dok. odczytu" for "Analogowy", "Metoda dok. nastawy" otherwise.
    static QString methodLabel(const QString &typ);

    // The caption of a document in this file: "Sprawdzanie miernika : "
    // and the file's name without its folder.
    void showFileName(const QString &fileName);
    // The meter's labels filled from the record, and their group box shown.
    void showMeter(const TDaneSprawdzania &record);
    // No document: no caption after the window's name, the labels emptied,
    // both group boxes hidden, and these menu items disabled.
    void showNoDocument(std::initializer_list<MenuItem> disabled);
    void showTablePanel(bool visible) { m_tablePanelVisible = visible; }
    void enable(std::initializer_list<MenuItem> items, bool enabled);
    // Tells changed(): an operation has made its changes.
    void publish() { Q_EMIT changed(); }

Q_SIGNALS:
    // Caption, menu items, panel, group boxes or labels changed.
    void changed();

private:
    QString m_caption = QStringLiteral("Sprawdzanie miernika");
    std::array<bool, MenuItemCount> m_menu{};
    bool m_tablePanelVisible = false;
    bool m_meterBoxVisible = false;
    bool m_rangeBoxVisible = false;
    QString m_labelMetoda;
    QString m_labelNazwa;
    QString m_labelNumer;
};
