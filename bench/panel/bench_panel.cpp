// How long the panel takes from a key press to handing the last byte of the
// setting frame to the link, against the time that frame then needs on the
// wire at 4800 baud (10 bits a byte with start and stop bit). The fixed pauses
// between frames are left out: the clock returns at once.

#include "bench/benchmain.h"
#include "core/base/clock.h"
#include "core/base/prompts.h"
#include "core/calibrator/services.h"
#include "core/link/link.h"
#include "core/panel/panelstate.h"
#include "gui/panel/tform_pulpit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QRadioButton>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

using SteadyClock = std::chrono::steady_clock;

constexpr double SecondsPerByte = 10.0 / 4800.0;

// Notes when the setting frame (the one with the value) was handed over.
class TimingLink : public Link
{
public:
    void setPortName(const QString &) override {}
    QString portName() const override { return {}; }
    bool open() override { return true; }
    void close() override {}
    bool isOpen() const override { return true; }
    void send(const QByteArray &frame) override
    {
        if (frame.contains('N')) {
            settingHandedAt = SteadyClock::now();
            settingBytes = frame.size();
        }
    }

    SteadyClock::time_point settingHandedAt;
    qsizetype settingBytes = 0;
};

class NoPause : public Clock
{
public:
    void pause(int) override {}
};

class OkPrompts : public Prompts
{
public:
    PromptButton message(const PromptMessage &) override { return PromptButton::Ok; }
    int exec(QDialog *) override { return 0; }
    QString openFileName(const FileRequest &) override { return {}; }
    QString saveFileName(const FileRequest &) override { return {}; }
};

struct BenchServices
{
    TimingLink link;
    NoPause clock;
    OkPrompts prompts;
    Services services{link, clock, prompts, {}};
};

void report(benchmark::State &state, double seconds, qint64 presses, qsizetype bytes)
{
    const double perPress = seconds / double(presses);
    const double wire = double(bytes) * SecondsPerByte;
    state.counters["frame_bytes"] = double(bytes);
    state.counters["wire_us"] = wire * 1e6;
    state.counters["panel_us"] = perPress * 1e6;
    state.counters["pct_of_wire"] = 100.0 * perPress / wire;
}

template <typename Press> void timePresses(benchmark::State &state, TimingLink &link, Press press)
{
    double total = 0;
    qint64 presses = 0;
    for (auto _ : state) {
        const auto start = SteadyClock::now();
        press(presses);
        const double seconds = std::chrono::duration<double>(link.settingHandedAt - start).count();
        state.SetIterationTime(seconds);
        total += seconds;
        ++presses;
    }
    report(state, total, presses, link.settingBytes);
}

// Grey plus and minus in turn on the 1 V range: every press sends a setting.
void BM_StateStepKey(benchmark::State &state)
{
    BenchServices b;
    PanelState panel(b.services);
    panel.FormShow();
    panel.FormActivate();
    for (int key : {Qt::Key_U, Qt::Key_1, Qt::Key_E})
        panel.keyDown(key, Qt::NoModifier);
    timePresses(state, b.link, [&](qint64 n) {
        panel.keyDown(n % 2 ? Qt::Key_Minus : Qt::Key_Plus, Qt::KeypadModifier);
    });
}
BENCHMARK(BM_StateStepKey)->UseManualTime();

// E after typing 1.5 on the 10 V range; only the E press is timed.
void BM_StateSendKey(benchmark::State &state)
{
    BenchServices b;
    PanelState panel(b.services);
    panel.FormShow();
    panel.FormActivate();
    panel.keyDown(Qt::Key_U, Qt::NoModifier);
    panel.keyDown(Qt::Key_U, Qt::NoModifier);
    double total = 0;
    qint64 presses = 0;
    for (auto _ : state) {
        for (int key : {Qt::Key_1, Qt::Key_Period, Qt::Key_5})
            panel.keyDown(key, Qt::NoModifier);
        const auto start = SteadyClock::now();
        panel.keyDown(Qt::Key_E, Qt::NoModifier);
        const double seconds =
            std::chrono::duration<double>(b.link.settingHandedAt - start).count();
        state.SetIterationTime(seconds);
        total += seconds;
        ++presses;
    }
    report(state, total, presses, b.link.settingBytes);
}
BENCHMARK(BM_StateSendKey)->UseManualTime();

// The same step key delivered to the window as the system delivers it: to the
// focused radio, through the application and the panel's key preview.
void BM_WindowStepKey(benchmark::State &state)
{
    BenchServices b;
    TForm_Pulpit pulpit(b.services);
    pulpit.show();
    for (int key : {Qt::Key_U, Qt::Key_1, Qt::Key_E}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(pulpit.Z[0], &press);
    }
    timePresses(state, b.link, [&](qint64 n) {
        QKeyEvent press(QEvent::KeyPress, n % 2 ? Qt::Key_Minus : Qt::Key_Plus, Qt::KeypadModifier);
        QApplication::sendEvent(pulpit.Z[1], &press);
    });
    pulpit.hide();
}
BENCHMARK(BM_WindowStepKey)->UseManualTime();

} // namespace

int main(int argc, char **argv)
{
    return benchmarkMain(argc, argv, {.windows = true});
}
