#pragma once

#include "core/document/documentsession.h"
#include "core/measure/measurementstate.h"
#include "core/measure/pointloop.h"
#include "gui/characteristic/measuremenu.h"
#include "gui/measure/tform_pomiary.h"
#include "tests/support/core/testservices.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>

// What the run tests of both characteristics share: their real dialogs and
// the procedure chooser over a record, with every dialog answered from a
// script. Each characteristic's bench adds its runs and the "Po&miary"
// command.

inline const QString Analogowy = QStringLiteral("Analogowy");
inline const QString Cyfrowy = QStringLiteral("Cyfrowy");

inline bool near(long double actual, long double expected)
{
    return std::fabs(static_cast<double>(actual - expected)) <=
           1e-10 * std::max(1.0, std::fabs(static_cast<double>(expected)));
}

// A point's bytes, to tell that nothing in it changed.
template <typename Point> QByteArray bytesOf(const Point &point)
{
    return QByteArray(reinterpret_cast<const char *>(point.bytes()), Point::Size);
}

class RecordingView : public RunView
{
public:
    void showPoint(int j) override { shownPoints.append(j); }
    void showProgress(int j) override { progress.append(j); }
    void centreVerificationWindow() override { ++centred; }

    QList<int> shownPoints;
    QList<int> progress;
    int centred = 0;
};

template <typename ReadingDialog, typename SettingDialog> struct RunBench
{
    TestServices t;
    MeasurementState state;
    DocumentSession session{t.prompts};
    ReadingDialog reading{t.services, state};
    SettingDialog setting{t.services, state};
    TForm_Pomiary chooser{t.services};
    MeasurementDialogs dialogs{reading, setting};
    ProcedureChooser procedure{chooser};
    RecordingView view;

    RunBench(const QString &typ, const QString &model)
    {
        t.services.model.name = model;
        record().setTyp(typ);
    }

    TDaneSprawdzania &record() { return session.record(); }

    // "Procedura pomiarowa" answered with the items of its two groups.
    void choose(int zakresy, int punkty)
    {
        t.prompts.dialogHandlers.push_back(
            {QStringLiteral("TForm_Pomiary"), [zakresy, punkty](QDialog *dialog) {
                 auto *d = qobject_cast<TForm_Pomiary *>(dialog);
                 d->setZakresy(zakresy);
                 d->setPunkty(punkty);
                 d->PPOKClick();
                 return d->result();
             }});
    }

    QStringList lines() const { return t.transcript.lines(); }
    QStringList frames() const { return t.transcript.frames(); }
    QStringList messages() const { return t.prompts.texts(); }
};
