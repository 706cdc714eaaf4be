#pragma once

#include "core/calibrator/calibratorranges.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <array>

struct Services;

// What one cell of the panel's display shows. Digit cells take a digit, a
// blank, the letter H or the delta sign; point cells are lit or dark.
enum class Glyph {
    Digit0,
    Digit1,
    Digit2,
    Digit3,
    Digit4,
    Digit5,
    Digit6,
    Digit7,
    Digit8,
    Digit9,
    Clear,
    H,
    Delta
};

// The name of the bitmap a digit cell shows: "CYF0".."CYF9", "CYFCLEAR", "H",
// "DELTA".
QString glyphName(Glyph glyph);
Glyph digitGlyph(int digit);

// The eight-digit display. Index 0 is the rightmost cell (Cyfra1, Kropka1),
// index 7 the leftmost (Cyfra8, Kropka8); a point sits at the lower right of
// the digit with the same number.
struct DisplayCells
{
    std::array<Glyph, 8> digits{};
    std::array<bool, 8> points{};

    Glyph cyfra(int n) const { return digits[n - 1]; }
    bool kropka(int n) const { return points[n - 1]; }

    // The display as it reads, leftmost cell first: a digit, ' ' for a blank,
    // 'H', 'd' for the delta sign, each followed by '.' when its point is lit.
    // "  1.50000" is 1.5 on the 10 V range.
    QString text() const;

    // A value text as sent ("1.50000"): its digits right-aligned, a blank
    // rightmost cell showing 0 so the display never goes dark, and the point
    // lit after the range's decimals.
    static DisplayCells ofValue(const QByteArray &valueText, int decimals);
};

// The keys of a digit or frequency entry as typed, with the point.
class PanelEntry
{
public:
    explicit PanelEntry(int cells) : m_size(cells) {}

    void clear();
    // Cells and count only; the point flag stays.
    void clearDigits();
    // Shifts the digit in from the right. A lone '0' typed before any point
    // is replaced rather than kept as a leading zero. Returns false when the
    // entry is already full and the digit is ignored.
    bool addDigit(int digit, int maxDigits);
    // A point after the rightmost digit; "0." when nothing was typed yet.
    // Returns false when a point is already there.
    bool addPoint();
    // The typed number in units of 10^-scale (scale 6 gives millionths).
    // Nothing typed reads as 0, as the display shows.
    qint64 compose(int scale) const;
    // Fills the cells from a number text such as "45.00" or "2000".
    void fill(const QByteArray &text);

    // Cell n, 1 = leftmost; 0 when empty, else the digit's character.
    char cell(int n) const { return m_cells[n - 1]; }
    int size() const { return m_size; }
    int count() const { return m_count; }
    bool hasPoint() const { return m_point; }
    int pointPosition() const { return m_pointPosition; }

private:
    int m_size;
    std::array<char, 8> m_cells{};
    int m_count = 0;
    bool m_point = false;
    // 1 = after the rightmost digit; grows by one with every digit typed.
    int m_pointPosition = 0;
};

// The front panel's state machine: what is typed, which range and function
// are chosen, what was last sent, and the frames each key sends. It holds the
// display cells the window paints and the radio and key states the window
// mirrors. Choosing a radio from code runs its handler only when the radio was
// not checked before, as clicking it would.
class PanelState
{
public:
    static constexpr int RangeCount = CalibratorRanges::Count;
    static constexpr int FunctionCount = 6;
    static constexpr int FrequencyFunction = 5;
    static constexpr int HundredAmpRange = CalibratorRanges::HighCurrentRange;

    explicit PanelState(Services &services);

    // The caption of a range's radio ("100mV") and its hint, which names the
    // highest setting ("zakres 1V   maksymalna wartość nastawy 2,05 V").
    static QString rangeCaption(int index);
    static QString rangeHint(int index);
    static QString functionCaption(int function, bool frequencyModel);
    static QString functionHint(int function, bool frequencyModel);

    // Window events.
    void FormShow();
    // Returns true when it reset the calibrator (after a model change), so the
    // window can put the focus on the first range.
    bool FormActivate();
    void FormClose();

    // Keys.
    void CyfraClick(int digit);
    void KrBtnClick();
    void CEBtnClick();
    void UBtnClick();
    void IBtnClick();
    void FBtnClick();
    void EBtnClick();
    void SBtnClick();
    void CBtnClick();
    void DeltaBtnClick();
    void MinDeltaBtnClick();
    void PlusDeltaBtnClick();
    void DDownBtnClick();
    void DownBtnClick();
    void UpBtnClick();
    void DUpBtnClick();
    // A range or function radio chosen by the user.
    void checkRange(int range);
    void checkFunction(int function);

    // The keyboard table. Returns false for keys the panel does not take.
    bool keyDown(int key, Qt::KeyboardModifiers modifiers);

    // The standby button: down is standby.
    void setStandby(bool down);
    bool standbyDown() const { return m_standbyDown; }
    QString standbyHint() const;
    void requestResetOnActivation() { m_resetOnActivation = true; }

    // What the window mirrors.
    const DisplayCells &display() const { return m_display; }
    int checkedRange() const { return m_checkedRange; }
    int checkedFunction() const { return m_checkedFunction; }
    bool frequencyMode() const { return m_checkedFunction == FrequencyFunction; }
    bool stepKeysEnabled() const { return m_stepKeysEnabled; }
    bool dcEnabled() const { return m_dcEnabled; }
    bool frequencyFunctionVisible() const;
    bool highCurrentRangeVisible() const;
    QString modelCaption() const;

    // The state behind it, for the tests and the benchmark.
    int functionIndex() const { return m_function; }
    // Amplitudes in millionths of the range unit, frequencies in millihertz.
    qint64 value() const { return m_value; }
    qint64 sentValue() const { return m_sentValue; }
    qint64 delta() const { return m_delta; }
    qint64 frequency() const { return m_frequency; }
    bool functionChanged() const { return m_functionChanged; }

private:
    enum class StepKind { Small, Large, Delta };

    void ZRadioClick(int range);
    void FRadioClick(int function);
    void setRangeRadio(int range);
    void setFunctionRadio(int function);
    void PokazZakresUI();
    void PokazCzestotliwosc();
    void applyButtonEnabling();
    void KasujPoZmianieZakresu();
    void leaveFrequencyMode();
    void DodajCyfre(int digit);
    void DodajKropke();
    void frequencyDigit(int digit);
    void frequencyPoint();
    void Wyslij();
    void recordSentSetting();
    void stepUp(StepKind kind);
    void stepDown(StepKind kind);
    void beginStep();
    void endStep();
    qint64 stepAmount(StepKind kind) const;

    void Wyswietl();
    void Wyswietl7();
    void showFrequencyEntry();
    void showSentFrequency();
    void fillFrequencyEntry();

    void sendStandbyOrOperate();

    Services &m_services;

    int m_range = 0;
    int m_function = 0;
    int m_checkedRange = 0;
    int m_checkedFunction = 0;
    qint64 m_value = 0;
    qint64 m_frequency = 2'000'000;
    qint64 m_enteredFrequency = 2'000'000;
    PanelEntry m_amplitude{8};
    PanelEntry m_frequencyEntry{4};
    bool m_frequencyEntryStarted = false;
    QByteArray m_sentValueText;
    QByteArray m_sentFrequencyText;
    int m_sentFrequencyDecimals = 0;
    int m_sentRange = 0;
    int m_sentFunction = 0;
    qint64 m_sentValue = 0;
    qint64 m_delta = 0;
    bool m_entryComplete = true;
    bool m_functionChanged = false;
    bool m_pendingFunction = false;
    bool m_sendCompleted = false;
    bool m_highVoltageWarned = false;
    bool m_resetOnActivation = false;
    bool m_stepKeysEnabled = true;
    bool m_dcEnabled = true;
    bool m_standbyDown = true;
    DisplayCells m_display;
};
