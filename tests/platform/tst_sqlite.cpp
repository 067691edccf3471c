// SPDX-License-Identifier: MIT
// The SQLite backend against real database files built from db/sqlite.
#include "TestDatabase.h"
#include "platform/DatabaseOpeners.h"
#include "platform/SqliteDatabase.h"
#include "platform/SqliteScript.h"
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TstSqlite : public QObject {
    Q_OBJECT

private slots:
    void smoke()
    {
        QTemporaryDir dir;
        auto conn = CreateTestDatabase(dir.path(), true);
        auto q = conn->CreateQuery();
        q->SQL() << QStringLiteral("select cname from 检查途径 order by uorder");
        q->Open();
        QCOMPARE(q->RecordCount(), 2);
        QCOMPARE(q->FieldByName(QStringLiteral("CNAME")).AsString(), QStringLiteral("经阴道"));
    }
};

QTEST_GUILESS_MAIN(TstSqlite)
#include "tst_sqlite.moc"
