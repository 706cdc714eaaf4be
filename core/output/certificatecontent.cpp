#include "core/output/certificatecontent.h"

#include "core/base/localdate.h"
#include "core/characteristic/numbertext.h"
#include "core/characteristic/uncertainty.h"
#include "core/characteristic/uncertaintycontent.h"
#include "core/document/certificatedata.h"
#include "core/document/labsettings.h"
#include "core/document/tdanesprawdzania.h"
#include "core/output/reportcontent.h"

namespace {

using Field = CertificateContent::Field;
using Block = CertificateContent::Block;

QString orNone(const QString &text)
{
    return text.trimmed().isEmpty() ? CertificateContent::none() : text.trimmed();
}

QString dateOrNone(QDate date)
{
    return date.isValid() ? LocalDate::text(date) : CertificateContent::none();
}

QString quantityOrNone(const std::optional<double> &value, const QString &unit)
{
    return value ? NumberText::general(*value) + QLatin1Char(' ') + unit
                 : CertificateContent::none();
}

QString kindOf(const TDaneSprawdzania &record)
{
    if (record.isAnalogowy())
        return QStringLiteral("analogowy");
    if (record.isCyfrowy())
        return QStringLiteral("cyfrowy");
    return CertificateContent::none();
}

QString nextVerification(const CertificateData &data)
{
    if (!data.intervalMonths)
        return CertificateContent::none();
    const QString interval = QStringLiteral("co %1 mies.").arg(*data.intervalMonths);
    const QDate due = data.dueOn();
    return due.isValid() ? LocalDate::text(due) + QStringLiteral(" (") + interval + QLatin1Char(')')
                         : interval;
}

// Which ranges of the results have the meter's resolution in their budget.
struct ResolutionTerms
{
    int with = 0;
    int without = 0;
};

QString uncertaintyStatement(const ResolutionTerms &terms)
{
    QString counted = QStringLiteral("dokładność kalibratora (rozkład prostokątny)");
    if (terms.with > 0 && terms.without == 0)
        counted += QStringLiteral(" i rozdzielczość miernika");
    else if (terms.with > 0)
        counted += QStringLiteral(" oraz rozdzielczość miernika na zakresach, na których ją "
                                  "podano (na pozostałych ") +
                   Uncertainty::noResolutionText() + QLatin1Char(')');
    else
        counted += QStringLiteral("; ") + Uncertainty::noResolutionText();
    return QStringLiteral("Podana niepewność rozszerzona U jest iloczynem niepewności standardowej "
                          "złożonej i współczynnika rozszerzenia k = 2, co odpowiada poziomowi "
                          "ufności około 95 %. Uwzględniono: ") +
           counted + QLatin1Char('.');
}

QString conclusionOf(const DecisionCounts &counts, DecisionRule rule)
{
    if (counts.total() == 0)
        return QStringLiteral("Nie zmierzono żadnego punktu: zgodności nie stwierdza się.");
    if (counts.fail > 0)
        return QStringLiteral("Miernik nie spełnia wymagań klasy dokładności.");
    if (counts.pass == counts.total())
        return QStringLiteral("Miernik spełnia wymagania klasy dokładności w sprawdzonych "
                              "punktach.");
    return QStringLiteral("Wynik warunkowy: %1 pkt. warunkowo zgodnych, %2 pkt. warunkowo "
                          "niezgodnych (reguła: %3).")
        .arg(counts.conditionalPass)
        .arg(counts.conditionalFail)
        .arg(Uncertainty::ruleName(rule));
}

// The results of one characteristic: a table for every measured range, in
// the tab's texts, under the report's heading lines.
struct Results
{
    CertificateContent::Section section;
    DecisionCounts counts;
    ResolutionTerms terms;
    bool marked = false;
};

Results resultsOf(const TDaneSprawdzania &record, const DocumentExtension &extension,
                  Characteristic characteristic)
{
    Results results;
    results.section.title = characteristic == Characteristic::Amplitude
                                ? QStringLiteral("Charakterystyka amplitudowa")
                                : QStringLiteral("Charakterystyka częstotliwościowa");
    // The remarks column of the tab is the mark here.
    constexpr int Remarks = CertificateContent::Columns;
    for (int k = 1; k <= TDaneSprawdzania::Slots; ++k) {
        const UncertaintyContent points =
            UncertaintyContent::fill(record, extension, characteristic, k);
        if (points.rows.isEmpty())
            continue;
        const ReportContent heading = ReportContent::heading(record, {characteristic, k});
        const QString resolution = points.resolution.isEmpty()
                                       ? QStringLiteral("nie podano (") +
                                             Uncertainty::noResolutionText() + QLatin1Char(')')
                                       : points.resolution + points.unit;
        (points.resolution.isEmpty() ? results.terms.without : results.terms.with) += 1;
        CertificateContent::Table table;
        table.heading = {QStringLiteral("Zakres nr %1").arg(k),
                         heading.zakres + QStringLiteral("; ") + heading.secondLine +
                             QStringLiteral("; Rozdzielczość: ") + resolution,
                         heading.klasa};
        for (const UncertaintyContent::Row &point : points.rows) {
            CertificateContent::Row row;
            for (int c = 0; c < CertificateContent::Columns; ++c)
                row[c] = point.cells.value(c);
            if (!point.cells.value(Remarks).isEmpty()) {
                row[CertificateContent::TurColumn] += CertificateContent::mark();
                results.marked = true;
            }
            results.counts.add(point.decision);
            table.rows.append(row);
        }
        results.section.tables.append(table);
    }
    return results;
}

} // namespace

CertificateContent CertificateContent::fill(const TDaneSprawdzania &record,
                                            const DocumentExtension &extension,
                                            const LabSettings &lab, QDate today)
{
    const CertificateData data = CertificateData::of(extension);
    const StandardInUse standard = StandardInUse::of(extension);
    const Uncertainty::Settings settings = Uncertainty::Settings::of(extension);

    CertificateContent content;
    content.labName = orNone(lab.name);
    if (!lab.address.trimmed().isEmpty())
        content.labLines.append(lab.address.trimmed());
    if (!lab.accreditation.trimmed().isEmpty())
        content.labLines.append(QStringLiteral("Akredytacja nr ") + lab.accreditation.trimmed());
    content.title = orNone(lab.title);
    content.number = QStringLiteral("Nr ") + orNone(data.number);

    ResolutionTerms terms;
    DecisionCounts counts;
    bool marked = false;
    for (Characteristic characteristic : {Characteristic::Amplitude, Characteristic::Frequency}) {
        const Results results = resultsOf(record, extension, characteristic);
        terms.with += results.terms.with;
        terms.without += results.terms.without;
        counts = counts + results.counts;
        marked = marked || results.marked;
        if (!results.section.tables.isEmpty())
            content.sections.append(results.section);
    }

    const QString method = record.hasMethod() ? ReportContent::methodOf(record) : none();
    const QString rule = Uncertainty::ruleName(settings.rule) + QStringLiteral(" (") +
                         Uncertainty::ruleReference(settings.rule) + QStringLiteral("): ") +
                         Uncertainty::ruleStatement(settings.rule);
    content.blocks = {
        Block{QStringLiteral("Przyrząd sprawdzany"),
              {{QStringLiteral("Nazwa"), orNone(record.Nazwa())},
               {QStringLiteral("Numer"), orNone(record.Numer())},
               {QStringLiteral("Typ"), kindOf(record)}},
              {}},
        Block{QStringLiteral("Zleceniodawca"),
              {{QStringLiteral("Nazwa"), orNone(data.customer)},
               {QStringLiteral("Adres"), orNone(data.customerAddress)}},
              {}},
        Block{QStringLiteral("Miejsce i daty"),
              {{QStringLiteral("Miejsce sprawdzenia"), orNone(data.place)},
               {QStringLiteral("Data sprawdzenia"), dateOrNone(data.verifiedOn)},
               {QStringLiteral("Data wystawienia"),
                LocalDate::text(data.issuedOn.isValid() ? data.issuedOn : today)},
               {QStringLiteral("Następne sprawdzenie"), nextVerification(data)}},
              {}},
        Block{QStringLiteral("Metoda sprawdzenia"), {}, {method}},
        Block{QStringLiteral("Warunki środowiskowe"),
              {{QStringLiteral("Temperatura"),
                quantityOrNone(data.temperature, QStringLiteral("°C"))},
               {QStringLiteral("Wilgotność względna"),
                quantityOrNone(data.humidity, QStringLiteral("%"))}},
              {}},
        Block{QStringLiteral("Wzorzec i spójność pomiarowa"),
              {{QStringLiteral("Kalibrator"), orNone(standard.model)},
               {QStringLiteral("Numer fabryczny"), orNone(standard.serial)},
               {QStringLiteral("Świadectwo wzorcowania"), orNone(standard.certificate)},
               {QStringLiteral("Ważne do"), dateOrNone(standard.validUntil)}},
              {}},
        Block{QStringLiteral("Reguła decyzyjna"),
              {},
              {rule, QStringLiteral("Minimalny TUR (stosunek T/U): ") +
                         NumberText::general(settings.minTur) + QStringLiteral(":1.")}},
        Block{QStringLiteral("Niepewność pomiaru"), {}, {uncertaintyStatement(terms)}},
    };

    const QStringList columns = UncertaintyContent::columns();
    for (int c = 0; c < Columns; ++c)
        content.columns[c] = columns.value(c);
    if (marked)
        content.markNote = mark() + QStringLiteral(" – ") +
                           Uncertainty::belowMinTurText(settings.minTur) +
                           QStringLiteral(": stosunek T/U niższy od przyjętego minimum.");
    content.conclusion = conclusionOf(counts, settings.rule);

    if (standard.expiredOn(data.verifiedOn))
        content.remarks.append(QStringLiteral("Pomiary wykonano wzorcem, którego świadectwo "
                                              "wzorcowania straciło ważność dnia %1.")
                                   .arg(LocalDate::text(standard.validUntil)));
    for (const QString &line : data.remarks.split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty())
            content.remarks.append(line.trimmed());
    if (content.remarks.isEmpty())
        content.remarks.append(none());
    content.signatures = {Field{QStringLiteral("Wykonał"), orNone(data.performedBy)},
                          Field{QStringLiteral("Zatwierdził"), orNone(data.approvedBy)}};
    content.closing = {QStringLiteral("Wyniki odnoszą się wyłącznie do sprawdzonego przyrządu."),
                       QStringLiteral("Świadectwo może być powielane wyłącznie w całości.")};
    return content;
}
