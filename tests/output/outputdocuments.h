#pragma once

#include "core/document/certificatedata.h"
#include "core/document/tdanesprawdzania.h"

#include <QString>

// The documents the output tests print, chart and export: one range of each
// characteristic with points defined around a gap, measured in the range's
// unit and in the other one, inside and outside the tolerance, and one point
// not measured yet.
namespace OutputDocuments {

struct AmplPoint
{
    int j;
    long double wm, nk, bmr, bmd, bk;
    const char *jmBk;
    int dokl;
    bool wl;
    bool measured;
};

inline void setAmplitudeRange(TDaneSprawdzania &record, int k, long double zak, const QString &jm,
                              const QList<AmplPoint> &points, bool measured = true)
{
    TZakresAmpl range = record.ZakresyAmpl(k);
    range.setZak(zak);
    range.setJm(jm);
    range.setCz(1);
    range.setCzHz(50);
    range.setKmm(0.5);
    range.setKmz(0.1);
    range.setKmzDod(QStringLiteral("0"));
    range.setZmierzony(measured);
    for (const AmplPoint &p : points) {
        TPunktAmpl point = range.Punkty(p.j);
        point.setWm(p.wm);
        point.setNk(p.nk);
        point.setBmr(p.bmr);
        point.setBmd(p.bmd);
        point.setBk(p.bk);
        point.setJmBk(QString::fromLatin1(p.jmBk));
        point.setDokl(std::uint8_t(p.dokl));
        point.setWl(p.wl);
        point.setWpisany(true);
        point.setZmierzony(p.measured);
    }
}

// An analogue meter's 100 mV range: point 1 on the calibrator's 100 mV
// range, point 2 on its 1 V range with an actual error of 2 mV against 1 mV
// permitted, points 3 and 4 removed, point 5 typed but not measured.
inline TDaneSprawdzania amplitude()
{
    TDaneSprawdzania record;
    record.setNazwa(QStringLiteral("Woltomierz LM-3"));
    record.setNumer(QStringLiteral("0042"));
    record.setTyp(QStringLiteral("Analogowy"));
    record.setWidokAmpl(true);
    setAmplitudeRange(record, 1, 100, QStringLiteral("mV"),
                      {{1, 50, 49.98L, 0.02L, 0.3L, 0.0000123L, "mV", 4, true, true},
                       {2, 0.08L, 0.078L, 0.002L, 1, 0.0000556L, "V", 6, false, true},
                       {5, 90, 0, 0, 0, 0, "", 0, true, false}});
    return record;
}

struct CzPoint
{
    int j;
    long double value;
    int cz;
    long double czHz;
    long double bmr, bmd, bk;
    bool measured;
};

// A 10 V range of the frequency characteristic at an amplitude of 5 V, in
// the array of the document's method.
inline TDaneSprawdzania frequency(const QString &typ, const QString &kmzDod, long double kmm,
                                  const QList<CzPoint> &points)
{
    TDaneSprawdzania record;
    record.setNazwa(QStringLiteral("Woltomierz LM-3"));
    record.setNumer(QStringLiteral("0042"));
    record.setTyp(typ);
    TZakresCz range = record.ZakresyCz(1);
    range.setZak(10);
    range.setJm(QStringLiteral("V"));
    range.setNkDN_WmDO(5);
    range.setKmm(kmm);
    range.setKmz(0.5);
    range.setKmzDod(kmzDod);
    range.setZmierzony(true);
    for (const CzPoint &p : points) {
        TPunktCz point = range.Punkty(p.j);
        point.setWmDN_NkDO(p.value);
        point.setCz(p.cz);
        point.setCzHz(p.czHz);
        point.setBmr(p.bmr);
        point.setBmd(p.bmd);
        point.setBk(p.bk);
        point.setJmBk(QStringLiteral("V"));
        point.setDokl(5);
        point.setWl(true);
        point.setWpisany(true);
        point.setZmierzony(p.measured);
    }
    return record;
}

// Exact reading: the calibrator's settings at 50 Hz and at 55.5 Hz, the
// second one outside the tolerance.
inline TDaneSprawdzania frequencyAnalogowy()
{
    return frequency(QStringLiteral("Analogowy"), QStringLiteral("2mV"), 1,
                     {{1, 4.99L, 0, 50, 0.01L, 0.102L, 0.00357L, true},
                      {2, 5.2L, 3, 55.5L, -0.2L, 0.102L, 0.00367L, true}});
}

// Exact setting: one indication at 60 Hz, one point at 400 Hz still to be
// measured; a class of 0.2, which the six-byte real cannot hold exactly.
inline TDaneSprawdzania frequencyCyfrowy()
{
    return frequency(
        QStringLiteral("Cyfrowy"), QStringLiteral("0"), 0.2L,
        {{1, 5.01L, 1, 60, 0.01L, 0.075L, 0.00357L, true}, {2, 0, 2, 400, 0, 0, 0, false}});
}

// Certificate data with every field filled in, the remarks in lines with
// blanks around them.
inline CertificateData certificateData()
{
    CertificateData data;
    data.number = QStringLiteral("ŚW/12/2025");
    data.customer = QStringLiteral("Zakład Energetyczny");
    data.customerAddress = QStringLiteral("ul. Długa 1, Kraków");
    data.place = QStringLiteral("siedziba laboratorium");
    data.verifiedOn = QDate(2025, 1, 31);
    data.issuedOn = QDate(2025, 2, 3);
    data.temperature = 23.1;
    data.humidity = 45;
    data.performedBy = QStringLiteral("Jan Kowalski");
    data.approvedBy = QStringLiteral("Anna Żółkiewska");
    data.remarks = QStringLiteral("Miernik po naprawie.\n\n  Bez obudowy.  ");
    data.intervalMonths = 13;
    return data;
}

} // namespace OutputDocuments
