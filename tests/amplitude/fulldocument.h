#pragma once

#include "core/document/tdanesprawdzania.h"

#include <QString>

// A verification with every slot used: 35 measured ranges of 35 measured
// points in each of the three tables, with values that do not show whole (a
// class of one third, a user frequency), amplitudes held in the unit of the
// calibrator range, and bytes after the texts of short strings, so that a
// document that is only shown and saved again must come out byte for byte.
inline TDaneSprawdzania fullDocument(const QString &typ = QStringLiteral("Analogowy"))
{
    TDaneSprawdzania record;
    record.setNazwa(QStringLiteral("Woltomierz LM-3"));
    record.setNumer(QStringLiteral("0815"));
    record.setTyp(typ);
    record.setWidokAmpl(true);
    for (int k = 1; k <= TDaneSprawdzania::Slots; ++k) {
        TZakresAmpl range = record.ZakresyAmpl(k);
        const bool milli = k % 2 == 0;
        range.setZak(milli ? 100 * k : k);
        range.setJm(milli ? QStringLiteral("mV") : QStringLiteral("V"));
        range.setCz(k % 5);
        range.setCzHz(k % 5 == 4 ? 55.5L : (k % 5 == 0 ? 0 : 50));
        range.setKmm(1.0L / 3);
        range.setKmz(0.5L + k / 7.0L);
        // A long term first, then a short one over it: the tail stays.
        range.setKmzDod(QStringLiteral("1234567"));
        range.setKmzDod(k % 3 ? QStringLiteral("2mV") : QStringLiteral("0"));
        range.setZmierzony(true);
        for (int j = 1; j <= TDaneSprawdzania::Slots; ++j) {
            TPunktAmpl point = range.Punkty(j);
            const long double value = range.Zak() * j / 35.0L;
            point.setWm(value);
            point.setNk(value * (1 + (j % 7 - 3) / 1000.0L));
            point.setBmr(point.Wm() - point.Nk());
            point.setBmd(value / 300);
            point.setBk(0.0000252L * j);
            point.setJmBk(QStringLiteral("mA"));
            point.setJmBk(milli ? QStringLiteral("mV") : QStringLiteral("V"));
            point.setDokl(static_cast<std::uint8_t>(3 + j % 4));
            point.setWl(j % 2 == 1);
            point.setWpisany(true);
            point.setZmierzony(true);
        }
    }
    for (const bool exactReading : {false, true}) {
        for (int k = 1; k <= TDaneSprawdzania::Slots; ++k) {
            TZakresCz range = exactReading ? record.ZakresyCzDO(k) : record.ZakresyCzDN(k);
            const bool milli = k % 2 == 0;
            range.setZak(milli ? 100 * k : k);
            range.setJm(milli ? QStringLiteral("mV") : QStringLiteral("V"));
            // A volt range at a tenth of its value goes out on a millivolt
            // range, and a run left the amplitude in millivolts.
            range.setNkDN_WmDO(milli ? 10.0L * k : 100.0L * k);
            range.setKmm(1.0L / 3);
            range.setKmz(0.5L + k / 7.0L);
            range.setKmzDod(QStringLiteral("1234567"));
            range.setKmzDod(k % 3 ? QStringLiteral("2mV") : QStringLiteral("0"));
            range.setZmierzony(true);
            for (int j = 1; j <= TDaneSprawdzania::Slots; ++j) {
                TPunktCz point = range.Punkty(j);
                point.setWmDN_NkDO(range.NkDN_WmDO() * (1 + (j % 7 - 3) / 1000.0L));
                point.setCz(j % 4);
                point.setCzHz(j % 4 == 3 ? 45 + j * 55.5L
                                         : (j % 4 == 0   ? 50
                                            : j % 4 == 1 ? 60
                                                         : 400));
                point.setBmr(point.WmDN_NkDO() - range.NkDN_WmDO());
                point.setBmd(range.NkDN_WmDO() / 300);
                point.setBk(0.0000652L * j);
                point.setJmBk(QStringLiteral("mA"));
                point.setJmBk(QStringLiteral("mV"));
                point.setDokl(static_cast<std::uint8_t>(3 + j % 4));
                point.setWl(j % 2 == 1);
                point.setWpisany(true);
                point.setZmierzony(true);
            }
        }
    }
    return record;
}
