#include "core/characteristic/uncertaintycontent.h"

#include "core/base/localnumber.h"
#include "core/characteristic/errormath.h"
#include "core/characteristic/numbertext.h"
#include "core/document/documentsession.h"
#include "core/document/tdanesprawdzania.h"

namespace {

// A measured point's values as the tab shows them, all in its calibrator
// unit.
struct PointValues
{
    long double indication = 0;
    long double setting = 0;
    int decimals = 0;
    QString unit;
};

PointValues valuesOf(ConstZakresAmpl, ConstPunktAmpl point, bool)
{
    return {point.Wm(), point.Nk(), point.Dokl(), point.JmBk()};
}

// The range's one amplitude is the meter's indication for exact reading and
// the calibrator's setting for exact setting; the point holds the other.
PointValues valuesOf(ConstZakresCz range, ConstPunktCz point, bool analogowy)
{
    const long double amplitude = ErrorMath::amplitudeIn(range, point.JmBk());
    const long double measured = point.WmDN_NkDO();
    return {analogowy ? amplitude : measured, analogowy ? measured : amplitude, point.Dokl(),
            point.JmBk()};
}

template <typename Range>
void fillRows(UncertaintyContent &content, const Range &range, const DocumentExtension &extension,
              Characteristic characteristic, int k, bool analogowy)
{
    const Uncertainty::Settings settings = Uncertainty::Settings::of(extension);
    const Uncertainty::RangeAssessment assessment =
        Uncertainty::assess(range, extension.resolution(characteristic, k), settings);
    for (const Uncertainty::RangeAssessment::Point &assessed : assessment.points) {
        const PointValues values = valuesOf(range, range.Punkty(assessed.j), analogowy);
        const Uncertainty::Budget &budget = assessed.budget;
        auto fixed = [&](long double value) { return NumberText::fixed(value, values.decimals); };
        content.rows.append(
            {assessed.j,
             {QString::number(assessed.j), fixed(values.indication), fixed(values.setting),
              fixed(budget.error), fixed(budget.tolerance),
              Uncertainty::expandedText(budget.expanded),
              budget.tur ? Uncertainty::turText(*budget.tur) : QStringLiteral("—"),
              Uncertainty::decisionWord(budget.decision), values.unit,
              budget.belowMinTur ? Uncertainty::belowMinTurText(settings.minTur) : QString()},
             budget.decision});
    }
    const DecisionCounts &counts = assessment.counts;
    content.counts = QStringLiteral("%1: %2, %3: %4, %5: %6, %7: %8")
                         .arg(Uncertainty::decisionWord(Decision::Pass))
                         .arg(counts.pass)
                         .arg(Uncertainty::decisionWord(Decision::ConditionalPass))
                         .arg(counts.conditionalPass)
                         .arg(Uncertainty::decisionWord(Decision::ConditionalFail))
                         .arg(counts.conditionalFail)
                         .arg(Uncertainty::decisionWord(Decision::Fail))
                         .arg(counts.fail);
    content.lowestTur =
        QStringLiteral("Najniższy TUR: ") +
        (assessment.lowestTur ? Uncertainty::turText(*assessment.lowestTur) : QStringLiteral("—"));
}

} // namespace

QStringList UncertaintyContent::columns()
{
    return {QStringLiteral("Pkt"),  QStringLiteral("Wskazanie"), QStringLiteral("Nastawa"),
            QStringLiteral("e"),    QStringLiteral("T"),         QStringLiteral("U"),
            QStringLiteral("TUR"),  QStringLiteral("Ocena"),     QStringLiteral("j. m."),
            QStringLiteral("Uwagi")};
}

UncertaintyContent UncertaintyContent::fill(const TDaneSprawdzania &record,
                                            const DocumentExtension &extension,
                                            Characteristic characteristic, int k)
{
    UncertaintyContent content;
    const DecisionRule rule = extension.decisionRule();
    content.rule = QStringLiteral("Reguła: ") + Uncertainty::ruleName(rule) + QStringLiteral(" (") +
                   Uncertainty::ruleReference(rule) + QLatin1Char(')');
    // Without a method a document has no frequency table.
    const bool amplitude = characteristic == Characteristic::Amplitude;
    if (k < 1 || k > TDaneSprawdzania::Slots || (!amplitude && !record.hasMethod()) ||
        (amplitude ? record.ZakresyAmpl(k).isEmpty() : record.ZakresyCz(k).isEmpty()))
        return content;
    const long double resolution = extension.resolution(characteristic, k);
    content.editable = true;
    content.resolution = resolution > 0 ? NumberText::general(resolution) : QString();
    if (resolution == 0)
        content.resolutionNote = Uncertainty::noResolutionText();
    auto fillRange = [&](auto shown) {
        content.unit = shown.Jm();
        content.zakres = QStringLiteral("Zakres: ") + NumberText::general(shown.Zak()) + shown.Jm();
        fillRows(content, shown, extension, characteristic, k, record.isAnalogowy());
    };
    if (amplitude)
        fillRange(record.ZakresyAmpl(k));
    else
        fillRange(record.ZakresyCz(k));
    return content;
}

QString UncertaintyContent::enterResolution(DocumentSession &session, Characteristic characteristic,
                                            int k, const QString &text)
{
    if (!fill(session.record(), session.extension(), characteristic, k).editable)
        return {};
    long double resolution = 0;
    if (!text.trimmed().isEmpty()) {
        const std::optional<long double> value = readLocalNumber(text);
        if (!value || *value < 0)
            return QStringLiteral("Rozdzielczość „%1” nie jest liczbą nieujemną.").arg(text);
        resolution = *value;
    }
    DocumentExtension extension = session.extension();
    extension.setResolution(characteristic, k, resolution);
    session.setExtension(extension);
    return {};
}
