#pragma once

#include "core/document/tdanesprawdzania.h"

#include <QByteArray>
#include <QRandomGenerator>
#include <QString>

// The image of a document whose every byte is random but for what makes it
// a document: the length bytes of its short strings, which stay within their
// fields, and Typ. It stands for a document with leftovers after every text
// and in every unused corner, all of which must survive.
inline QByteArray randomDocumentImage(quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(TDaneSprawdzania::Size, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = char(random.bounded(256));
    TDaneSprawdzania record = TDaneSprawdzania::fromBytes(bytes);
    // A text set to what it reads gets a length byte within its field and
    // keeps every other byte.
    record.setNazwa(record.Nazwa());
    record.setNumer(record.Numer());
    record.setTyp(QStringLiteral("Cyfrowy"));
    auto fixRange = [](auto range) {
        range.setJm(range.Jm());
        range.setKmzDod(range.KmzDod());
        for (int j = 1; j <= TDaneSprawdzania::Slots; ++j)
            range.Punkty(j).setJmBk(range.Punkty(j).JmBk());
    };
    for (int k = 1; k <= TDaneSprawdzania::Slots; ++k) {
        fixRange(record.ZakresyAmpl(k));
        fixRange(record.ZakresyCzDN(k));
        fixRange(record.ZakresyCzDO(k));
    }
    return record.toBytes();
}
