// SPDX-License-Identifier: MIT
// The owner-only rule for secret files, on real files: mode, owner, type and size decide,
// and a refusal names the file but never its content.
#include "platform/OwnerOnlyFile.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

class TstOwnerOnlyFile : public QObject {
    Q_OBJECT

private slots:
    void rule_data()
    {
        QTest::addColumn<QString>("type");   // "file" or "dir"
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("otherOwner");
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("refusal");  // empty: read
        QTest::newRow("owner only, small: read") << "file" << 0600 << false << 20 << "";
        QTest::newRow("owner read-only: read") << "file" << 0400 << false << 20 << "";
        QTest::newRow("group may read") << "file" << 0640 << false << 20 << "group or other users";
        QTest::newRow("others may change") << "file" << 0602 << false << 20 << "group or other users";
        QTest::newRow("another user's file") << "file" << 0600 << true << 20 << "belongs to another user";
        QTest::newRow("a folder") << "dir" << 0700 << false << 0 << "cannot be read";
        QTest::newRow("larger than the limit") << "file" << 0600 << false << 5000 << "too large";
    }
    void rule()
    {
        QFETCH(QString, type);
        QFETCH(int, mode);
        QFETCH(bool, otherOwner);
        QFETCH(int, size);
        QFETCH(QString, refusal);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("secret"));
        const QByteArray content = QByteArray("s3cret-").leftJustified(size, 'x');
        if (type == QLatin1String("dir")) {
            QVERIFY(QDir().mkdir(path));
        } else {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
        }
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode_t(mode)), 0);
        if (otherOwner) {
            // Changing a file's owner needs root, as these tests run; otherwise the case says so.
            if (::geteuid() != 0) QSKIP("giving a file to another user needs root");
            QCOMPARE(::chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
        }
        QByteArray bytes;
        QString error;
        const bool read = ReadOwnerOnlyFile(path, QStringLiteral("password file"), 4096, &bytes, &error);
        if (refusal.isEmpty()) {
            QVERIFY2(read, qPrintable(error));
            QCOMPARE(bytes, content);
            return;
        }
        QVERIFY(!read);
        QVERIFY2(error.contains(refusal) && error.contains(path), qPrintable(error));
        QVERIFY(!error.contains(QStringLiteral("s3cret")));
    }

    void firstLineOfSecret_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("line");
        QTest::newRow("LF") << QByteArray("pw\nrest") << "pw";
        QTest::newRow("CR LF") << QByteArray("pw\r\nrest") << "pw";
        QTest::newRow("no line break") << QByteArray("pw") << "pw";
        QTest::newRow("UTF-8") << QByteArray("密码\n") << "密码";
    }
    void firstLineOfSecret()
    {
        QFETCH(QByteArray, bytes);
        QTEST(FirstLineOfSecret(bytes), "line");
        QVERIFY(!bytes.contains("pw") && !bytes.contains("rest"));  // wiped
    }
};

QTEST_MAIN(TstOwnerOnlyFile)
#include "tst_owneronlyfile.moc"
