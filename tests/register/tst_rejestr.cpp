#include "core/calibrator/services.h"
#include "core/register/meterregister.h"
#include "gui/register/tform_rejestr.h"
#include "tests/support/core/registerfixture.h"
#include "tests/support/core/testmain.h"
#include "tests/support/core/testservices.h"

#include <QCryptographicHash>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>

#include <memory>

class RejestrTest : public RegisterFixture
{
    Q_OBJECT

private Q_SLOTS:
    void windowShowsHistoriesAndDueMetersAndOpensDocuments();

private:
    // A verification whose file holds contents, or is gone.
    Verification recorded(const QString &name, QDate verifiedOn, int interval, const char *contents)
    {
        const QString file = path(name + verifiedOn.toString(Qt::ISODate) + ".cal");
        QFile written(file);
        if (contents && written.open(QIODevice::WriteOnly))
            written.write(contents);
        return {name,
                "1",
                "Cyfrowy",
                file,
                QCryptographicHash::hash("as recorded", QCryptographicHash::Sha256).toHex(),
                verifiedOn,
                interval,
                dueDate(verifiedOn, interval),
                {},
                {},
                "simple",
                VerificationSummary{{5, 0, 0, 1}, {2, 0, 0, 0}}};
    }
};

void RejestrTest::windowShowsHistoriesAndDueMetersAndOpensDocuments()
{
    {
        MeterRegister meterRegister(RegisterLocation::parse(m_url));
        meterRegister.record(recorded("V640", QDate(2024, 3, 20), 12, "as recorded"));
        meterRegister.record(recorded("V640", QDate(2023, 3, 15), 12, nullptr));
        meterRegister.record(recorded("Łuk", QDate(2024, 1, 31), 1, "changed since"));
    }
    TestServices t;
    TForm_Rejestr window(t.services);
    window.browser().location = [this] { return RegisterLocation::parse(m_url); };
    window.today = [] { return QDate(2025, 3, 1); };
    QStringList opened;
    window.openDocument = [&opened](const QString &path) { opened.append(path); };
    window.show();

    QCOMPARE(window.Table_Mierniki->rowCount(), 2);
    window.Edit_Szukaj->setText(QStringLiteral("v6"));
    window.Button_Szukaj->click();
    QCOMPARE(window.Table_Mierniki->rowCount(), 1);
    QCOMPARE(window.Table_Historia->rowCount(), 2);
    QCOMPARE(window.Table_Historia->item(0, 0)->text(), QStringLiteral("20.03.2024"));
    QCOMPARE(window.Table_Historia->item(1, 1)->text(), QStringLiteral("15.03.2024"));
    QCOMPARE(window.Table_Historia->item(0, 4)->text(),
             QStringLiteral("zgodne: 5, warunkowe: 0, niezgodne: 1"));

    // The older verification's file is gone: said, with the path it had.
    window.Table_Historia->selectRow(1);
    window.Button_Otworz->click();
    QCOMPARE(t.prompts.messages.size(), 1);
    QVERIFY(t.prompts.messages[0].text.contains(path("V6402023-03-15.cal")));

    // Overdue in red; due within the days asked for in black.
    window.PageControl_Rejestr->setCurrentIndex(1);
    QCOMPARE(window.SpinEdit_Dni->value(), 30);
    QCOMPARE(window.Table_DoSprawdzenia->rowCount(), 2);
    QCOMPARE(window.Table_DoSprawdzenia->item(0, 3)->text(), QStringLiteral("29.02.2024"));
    QCOMPARE(window.Table_DoSprawdzenia->item(0, 0)->foreground().color(), QColor(255, 0, 0));
    QVERIFY(window.Table_DoSprawdzenia->item(1, 0)->foreground().color() != QColor(255, 0, 0));
    window.SpinEdit_Dni->setValue(18);
    QCOMPARE(window.Table_DoSprawdzenia->rowCount(), 1);
    window.SpinEdit_Dni->setValue(19);

    // A file changed since: asked first, and opened only on Yes.
    window.Table_DoSprawdzenia->selectRow(0);
    t.prompts.answers = {PromptButton::No, PromptButton::Yes};
    window.Button_Otworz->click();
    QVERIFY(opened.isEmpty());
    window.Button_Otworz->click();
    QVERIFY(t.prompts.messages[2].text.contains(path("Łuk2024-01-31.cal")));
    window.Table_DoSprawdzenia->selectRow(1);
    window.Button_Otworz->click();
    QCOMPARE(opened, (QStringList{path("Łuk2024-01-31.cal"), path("V6402024-03-20.cal")}));
    QCOMPARE(t.prompts.messages.size(), 3);
}

ORVANE_TEST_MAIN(RejestrTest)
#include "tst_rejestr.moc"
