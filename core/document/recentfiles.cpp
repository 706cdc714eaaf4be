#include "core/document/recentfiles.h"

#include "core/base/configpaths.h"

#include <QFile>
#include <QSaveFile>
#include <QTextStream>

namespace {

const QString Section = QStringLiteral("Recent Files");

bool isSectionLine(const QString &line, QString *name)
{
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(QLatin1Char('[')) || !trimmed.endsWith(QLatin1Char(']')))
        return false;
    *name = trimmed.mid(1, trimmed.size() - 2).trimmed();
    return true;
}

QStringList readLines(const QString &path)
{
    if (!ConfigPaths::isUsable(path))
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList lines;
    QTextStream in(&file);
    while (!in.atEnd())
        lines.append(in.readLine());
    return lines;
}

} // namespace

QString RecentFiles::defaultIniFile()
{
    return ConfigPaths::file(ConfigPaths::RecentFilesName);
}

QString RecentFiles::entry(int k) const
{
    return k >= 1 && k <= Count ? m_entries[k] : QString();
}

void RecentFiles::setEntry(int k, const QString &fileName)
{
    if (k >= 1 && k <= Count)
        m_entries[k] = fileName;
}

QStringList RecentFiles::entries() const
{
    QStringList list;
    for (int k = 1; k <= Count; ++k)
        list.append(m_entries[k]);
    return list;
}

void RecentFiles::add(const QString &fileName)
{
    const int spare = Count + 1;
    for (int k = spare; k >= 2; --k)
        m_entries[k] = m_entries[k - 1];
    m_entries[1] = fileName;
    for (int k = 2; k <= Count; ++k) {
        if (m_entries[k] == fileName)
            m_entries[k].clear();
    }
    // One pass: an empty entry takes the next one, which is emptied.
    for (int k = 2; k <= Count; ++k) {
        if (m_entries[k].isEmpty()) {
            m_entries[k] = m_entries[k + 1];
            m_entries[k + 1].clear();
        }
    }
    m_entries[spare].clear();
}

void RecentFiles::load(const QString &iniFile)
{
    const QString path = iniFile.isEmpty() ? defaultIniFile() : iniFile;
    for (QString &entry : m_entries)
        entry.clear();
    bool inSection = false;
    for (const QString &line : readLines(path)) {
        QString name;
        if (isSectionLine(line, &name)) {
            inSection = name.compare(Section, Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!inSection || equals < 0)
            continue;
        bool ok = false;
        const int k = line.left(equals).trimmed().toInt(&ok);
        if (ok && k >= 1 && k <= Count)
            m_entries[k] = line.mid(equals + 1).trimmed();
    }
}

bool RecentFiles::save(const QString &iniFile) const
{
    const QString path = iniFile.isEmpty() ? defaultIniFile() : iniFile;
    if (!ConfigPaths::isUsable(path))
        return false;
    const QStringList lines = readLines(path);

    QStringList section{QLatin1Char('[') + Section + QLatin1Char(']')};
    for (int k = 1; k <= Count; ++k)
        section.append(QString::number(k) + QLatin1Char('=') + m_entries[k]);

    QStringList out;
    bool inSection = false;
    bool written = false;
    for (const QString &line : lines) {
        QString name;
        if (isSectionLine(line, &name)) {
            inSection = name.compare(Section, Qt::CaseInsensitive) == 0;
            if (inSection && !written) {
                out.append(section);
                written = true;
            }
            if (inSection)
                continue;
        }
        if (!inSection)
            out.append(line);
    }
    if (!written) {
        if (!out.isEmpty() && !out.constLast().trimmed().isEmpty())
            out.append(QString());
        out.append(section);
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    const QByteArray text = (out.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
    if (file.write(text) != text.size())
        return false;
    return file.commit();
}
