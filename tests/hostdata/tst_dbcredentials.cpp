// SPDX-License-Identifier: MIT
// The password file put into a server's connection string (wr-admin --db-password-file):
// whatever the target already carries, the result holds exactly one password, the file's.
#include "hostdata/DbCredentials.h"
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TstDbCredentials : public QObject {
    Q_OBJECT

private slots:
    void passwordFileGivesExactlyOnePassword_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no password yet") << "DSN=wr" << "DSN=wr;Pwd={file pw}";
        QTest::newRow("trailing separator") << "DSN=wr; " << "DSN=wr;Pwd={file pw}";
        QTest::newRow("Pwd= already there") << "DSN=wr;Pwd=old;UID=u" << "DSN=wr;UID=u;Pwd={file pw}";
        QTest::newRow("Password= spelled out") << "Driver={X};PASSWORD=old" << "Driver={X};Pwd={file pw}";
        QTest::newRow("braced old password with separators") << "DSN=wr;Pwd={a;b}}c};UID=u" << "DSN=wr;UID=u;Pwd={file pw}";
    }
    void passwordFileGivesExactlyOnePassword()
    {
        QFETCH(QString, target);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("pw"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("file pw\n") > 0);
        f.close();
        QVERIFY(f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QString error;
        const QString result = TargetWithPasswordFile(target, file, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QTEST(result, "expected");
        QCOMPARE(OdbcValue(result, {QStringLiteral("Pwd"), QStringLiteral("Password")}), QStringLiteral("file pw"));
    }
};

QTEST_MAIN(TstDbCredentials)
#include "tst_dbcredentials.moc"
