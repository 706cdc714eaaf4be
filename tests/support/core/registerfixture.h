#pragma once

#include "tests/support/core/postgrescluster.h"

#include <QObject>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The base of every register test class: each test runs on the global data
// row "sqlite" and again on "postgresql", a throwaway server started at the
// first such row (skipped, saying why, where the server is not installed).
// Before each test, m_url is a new, empty register and m_dir a new folder.
class RegisterFixture : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::newRow("sqlite") << QStringLiteral("sqlite");
        QTest::newRow("postgresql") << QStringLiteral("postgresql");
    }

    void init()
    {
        QFETCH_GLOBAL(QString, backend);
        m_dir = std::make_unique<QTemporaryDir>();
        if (backend == QLatin1String("sqlite")) {
            m_url = QStringLiteral("sqlite:") + path(QStringLiteral("rejestr.sqlite"));
            return;
        }
        if (!PostgresCluster::missingReason().isEmpty())
            QSKIP(qPrintable(PostgresCluster::missingReason()));
        if (!m_cluster)
            m_cluster = std::make_unique<PostgresCluster>();
        m_url = m_cluster->createDatabase(QStringLiteral("r%1").arg(++m_databases));
        QVERIFY2(!m_url.isEmpty(), qPrintable(m_cluster->error()));
    }

protected:
    QString path(const QString &name) const { return m_dir->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_url;

private:
    std::unique_ptr<PostgresCluster> m_cluster;
    int m_databases = 0;
};
