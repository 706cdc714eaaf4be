#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>

// One JSON object on one line, its keys in the order they are added: the
// listings of orvane707-cal, one line per row.
class JsonLine
{
public:
    JsonLine &add(const char *key, const QJsonValue &value)
    {
        const QByteArray text = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
        m_text += (m_text.isEmpty() ? "{\"" : ",\"") + QByteArray(key) +
                  "\":" + text.mid(1, text.size() - 2);
        return *this;
    }
    QByteArray line() const { return m_text + "}\n"; }

private:
    QByteArray m_text;
};
