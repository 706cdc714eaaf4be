#pragma once

#include <QString>
#include <QStringList>

#include <array>

// The five most recently used documents, entry 1 newest, kept in
// "orvane2.ini" under "[Recent Files]" with keys "1" to "5".
class RecentFiles
{
public:
    static constexpr int Count = 5;

    // Entry k = 1..5; empty when unused.
    QString entry(int k) const;
    void setEntry(int k, const QString &fileName);
    QStringList entries() const;

    // Puts the name at the top. A name already in the list moves up and the
    // list closes the gap it leaves; otherwise the oldest entry drops off.
    // Names are compared exactly, case included.
    void add(const QString &fileName);

    // The settings file; an empty file name means "orvane2.ini" in the
    // program's settings folder.
    void load(const QString &iniFile = {});
    // Rewrites the "[Recent Files]" section and keeps every other line of
    // the file as it was. Returns false when the file cannot be written.
    bool save(const QString &iniFile = {}) const;

    static QString defaultIniFile();

private:
    // Entries 1..5 and the spare slot that add() shifts into.
    std::array<QString, Count + 2> m_entries;
};
