#pragma once

#include "core/characteristic/gridrules.h"

#include <array>
#include <functional>

class DocumentSession;
class TZakresCz;

// The frequency characteristic as the grid shows it: per range the meter
// range, the one amplitude of all its points and the class; per point the
// frequency, chosen from a list, and the results of a run. It edits the
// frequency array of the document's method, ZakresyCzDN for "Cyfrowy" and
// ZakresyCzDO for "Analogowy", with the current range kept in the
// session's BiezacyZakresCzDN or BiezacyZakresCzDO. A document of neither
// kind has no frequency table: the page then takes nothing in.
class FrequencyGridRules : public GridRules
{
public:
    explicit FrequencyGridRules(DocumentSession &session);

    // Asks for a frequency of the user's own ("f"): the frequency entry
    // dialog's text, empty when it was ended without one.
    std::function<QString()> askFrequency;

    // The items of a point's list; the fourth reads "f" until the point has
    // a frequency of the user's own.
    static QStringList frequencyItems();

    GridTags tags() const override;
    bool inUse() const override;
    CellKind kind(GridArea area, int column) const override;
    int maxLength(GridArea area, int column) const override;
    int entryColumn() const override;
    bool lastPointGoesToButton() const override { return false; }

    int currentRange() const override;
    void setCurrentRange(int k) override;
    int rangeCount() const override;
    bool rangeDefined(int k) const override;
    int pointCount() const override;
    bool pointDefined(int j) const override;
    bool resultsShown(int j) const override;
    void pointsShown() override;

    QString text(GridArea area, int column, int row) const override;
    QStringList items(const GridCellRef &cell) const override;
    int item(const GridCellRef &cell) const override;
    Decision decision(int j) const override;
    bool silverPoints() const override { return true; }
    QString hint(GridArea area, int column) const override;
    bool ticked(int j) const override;

    CellOutcome leave(const GridCellRef &cell, const CellInput &input) override;
    CellOutcome choose(const GridCellRef &cell, int item) override;
    CellOutcome enter(const GridCellRef &cell) override;
    CellOutcome confirm(const GridCellRef &cell, int item) override;

    bool tick(int j, bool on) override;
    bool setTicks(bool on) override;
    void clearRange(int k) override;
    void removePoint(int j) override;

    RangeSummary summary(int k, const QStringList &rowTexts) const override;
    QList<GridHeader> headers() const override;
    QStringList widestTexts(GridArea area, int column) const override;

private:
    bool analogowy() const;
    TZakresCz range(int k) const;
    CellOutcome leaveAmplitude(int k, const QString &text);
    // A list left showing no item (a default CellInput) takes the point out.
    CellOutcome leavePoint(int j, const CellInput &input);
    // Whether point j's list shows the frequency of the record: the point
    // is defined, or the user chose in its list since the rows were shown.
    bool chosen(int j) const;

    DocumentSession &m_session;
    // Points of the current range whose list the user chose in before the
    // point was defined; the rows show "f" for the others.
    std::array<bool, GridTags::Rows + 1> m_chosen{};
};
