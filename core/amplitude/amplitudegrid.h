#pragma once

#include "core/characteristic/gridrules.h"

#include <functional>

class DocumentSession;
class TZakresAmpl;

// The amplitude characteristic as the grid shows it: per range its value,
// frequency and class, per point the value typed (the indication for an
// "Analogowy" meter, the setting for a "Cyfrowy" one) and the results of a
// run. It edits ZakresyAmpl of the open record, and the current range is
// the session's BiezacyZakres.
class AmplitudeGridRules : public GridRules
{
public:
    explicit AmplitudeGridRules(DocumentSession &session);

    // Asks for a frequency of the user's own ("f"): the frequency entry
    // dialog's text, empty when it was cancelled.
    std::function<QString()> askFrequency;

    GridTags tags() const override;
    CellKind kind(GridArea area, int column) const override;
    int maxLength(GridArea area, int column) const override;
    int entryColumn() const override;
    bool lastPointGoesToButton() const override { return true; }

    int currentRange() const override;
    void setCurrentRange(int k) override;
    int rangeCount() const override;
    bool rangeDefined(int k) const override;
    int pointCount() const override;
    bool pointDefined(int j) const override;
    bool resultsShown(int j) const override;

    QString text(GridArea area, int column, int row) const override;
    QStringList items(const GridCellRef &cell) const override;
    int item(const GridCellRef &cell) const override;
    Decision decision(int j) const override;
    bool ticked(int j) const override;

    CellOutcome leave(const GridCellRef &cell, const CellInput &input) override;
    CellOutcome choose(const GridCellRef &cell, int item) override;
    CellOutcome enter(const GridCellRef &) override { return {}; }
    CellOutcome confirm(const GridCellRef &cell, int item) override;

    bool tick(int j, bool on) override;
    bool setTicks(bool on) override;
    void clearRange(int k) override;
    void removePoint(int j) override;

    RangeSummary summary(int k, const QStringList &rowTexts) const override;
    QList<GridHeader> headers() const override;
    QStringList widestTexts(GridArea area, int column) const override;

private:
    bool cyfrowy() const;
    TZakresAmpl range(int k) const;

    DocumentSession &m_session;
};
