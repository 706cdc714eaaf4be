#pragma once

#include "core/characteristic/chartkind.h"
#include "core/document/characteristic.h"
#include "core/document/documentsession.h"

#include <QObject>
#include <QString>

#include <functional>

class Prompts;
class TDaneSprawdzania;

// What the verification window shows: the amplitude or the frequency
// characteristic ("Charakterystyka amplitudowa", "Charakterystyka
// częstotliwościowa"), and for each its table, one of its two charts
// ("Tabela", "Wykres punktów", "Wykres błędów") or its uncertainties
// ("Niepewność"). The three tab bars under the notebook show this state;
// the notebook shows page().
//
// The characteristic changes whenever the user asks and when a document is
// shown (the view recorded in WidokAmpl); each change starts on the table.
// A chart is shown only when its range has been measured and the chart
// could be built; anything else keeps, or brings back, the table. The
// uncertainties are always there to be shown: their tab is also where the
// meter's resolution is typed, before anything is measured.
//
// The notebook's pages: 0 the amplitude table, 1 and 2 its points and
// errors charts, 3 the frequency table, 4 and 5 its charts for the exact
// setting method ("Cyfrowy"), 6 and 7 those for the exact reading one
// ("Analogowy"), 8 and 9 the uncertainties of the amplitude and the
// frequency characteristic.
class ViewSwitch : public QObject
{
    Q_OBJECT

public:
    // How a characteristic's tab bar is drawn: teal with a white selected
    // tab while its characteristic is shown, silver all over otherwise.
    enum class Tone { Active, Inactive };

    static constexpr int TableTab = 0;
    static constexpr int PointsTab = 1;
    static constexpr int ErrorsTab = 2;
    static constexpr int UncertaintyTab = 3;

    ViewSwitch(DocumentSession &session, Prompts &prompts, QObject *parent = nullptr);

    // Builds the chart of the current range of a characteristic on its
    // page; false, after its own box, when there is nothing to plot.
    std::function<bool(Characteristic, ChartKind)> buildChart;

    // The notebook page of a characteristic's table, and of a chart of it
    // for the record's method.
    static int tablePage(Characteristic characteristic);
    static int chartPage(const TDaneSprawdzania &record, Characteristic characteristic,
                         ChartKind kind);

    Characteristic characteristic() const { return m_characteristic; }
    // The notebook page shown (0..9).
    int page() const { return m_page; }
    // The page of a characteristic's uncertainties: 8 for the amplitude
    // one, 9 for the frequency one.
    static int uncertaintyPage(Characteristic characteristic);
    // The tab selected on a characteristic's bar (0..3).
    int tab(Characteristic characteristic) const;
    bool enabled(Characteristic characteristic) const { return characteristic == m_characteristic; }
    Tone tone(Characteristic characteristic) const;
    // What the session records in WidokAmpl.
    DocumentSession::View shownView() const;
    // The caption "Zakres" box's second line starts with in this view.
    QString czestNastWskaCaption() const;

    // TabSet_Ampli_Czest: always allowed; the characteristic's table shows.
    void selectCharacteristic(Characteristic characteristic);
    // A characteristic's own tab bar. False when the change was refused:
    // the bar is not the shown characteristic's, or a chart's range has no
    // measurements ("Brak danych", said when the table has a range at all).
    // A chart that could not be built brings the table back.
    bool selectTab(Characteristic characteristic, int tab);

    // "Na zakresie 200mV nie przeprowadzono jeszcze pomiarów."; empty when
    // the current range has been measured. `said` tells whether the user is
    // told so: not when the table has no range.
    QString refusal(Characteristic characteristic, bool *said) const;

Q_SIGNALS:
    // Anything shown changed: page, tabs, enabling, tones.
    void changed();
    // The characteristic shown changed (its grid lays its bars out again).
    void characteristicChanged(Characteristic characteristic);

private:
    DocumentSession &m_session;
    Prompts &m_prompts;
    Characteristic m_characteristic = Characteristic::Amplitude;
    int m_page = 0;
    int m_amplitudeTab = TableTab;
    int m_frequencyTab = TableTab;
};
