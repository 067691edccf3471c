// SPDX-License-Identifier: MIT
// The database password out of sight: connection strings taken apart and masked, password
// files only their owner may read, and the order in which a password is looked for.
#include "database/DbConnect.h"
#include "database/DbPasswordLookup.h"
#include "database/HostDataModule.h"
#include "platform/DialogService.h"
#if WR_WITH_ODBC
#include "platform/odbc/OdbcDatabase.h"
#endif
#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <sys/stat.h>

namespace {
// A password with every character that could end a value or a pair early.
const QString kNasty = QStringLiteral("p;w}d={x};Server=evil");

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes, int mode)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return {};
    f.write(bytes);
    f.close();
    ::chmod(QFile::encodeName(path).constData(), mode_t(mode));
    return path;
}

// Answers password questions from a list and remembers what was asked.
class TPasswordAnswers final : public IDialogService {
public:
    QStringList answers;   // "" stands for cancelling
    QList<TPasswordRequest> asked;
    TMsgResult MessageBox(const TMessageRequest&) override { return TMsgResult::Closed; }
    std::optional<QString> AskPassword(const TPasswordRequest& r) override
    {
        asked << r;
        if (answers.isEmpty() || answers.first().isEmpty()) return std::nullopt;
        return answers.takeFirst();
    }
};

struct TKeyringStub {
    int calls = 0;
    QString key;
    QString password;    // empty: holds none
    bool available = true;
};
} // namespace

class TstHostCredentials : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { SetKeyringReaderForTests({}); }
    void connectionStrings();
    void maskedEverywhere();
    void passwordFiles();
    void lookupOrder();
    void askedOnlyWhereSomeoneCanAnswer();
};

void TstHostCredentials::connectionStrings()
{
    const QString base = QStringLiteral("Driver={ODBC Driver 18 for SQL Server};Server=tcp:db,1433;Uid=wr");
    // A password put in reads back whole, however it is spelled, and is the only one.
    const QString with = WithOdbcPassword(base + QStringLiteral(";PWD=old"), kNasty);
    QCOMPARE(OdbcValue(with, {QStringLiteral("pwd")}), kNasty);
    QCOMPARE(OdbcValue(with, {QStringLiteral("Server")}), QStringLiteral("tcp:db,1433"));
    QCOMPARE(OdbcValue(with, {QStringLiteral("Driver")}), QStringLiteral("ODBC Driver 18 for SQL Server"));
    QCOMPARE(with.count(QStringLiteral("old")), 0);
    QVERIFY(HasOdbcPassword(with));
    // Taken out again, nothing of it remains, and the rest is as it was.
    QCOMPARE(WithoutOdbcPassword(with), base);
    QVERIFY(!HasOdbcPassword(base));
    QCOMPARE(WithoutOdbcPassword(QStringLiteral("DSN=x;Password={a;b};Uid=u")), QStringLiteral("DSN=x;Uid=u"));
    QCOMPARE(DbKeyringKey(QStringLiteral("  DSN=WriteReport;Uid=wr;Pwd=x ")), QStringLiteral("DSN=WriteReport;Uid=wr"));

    QVERIFY(UsesIntegratedAuthentication(QStringLiteral("Driver=x;Server=s;Trusted_Connection=Yes")));
    QVERIFY(UsesIntegratedAuthentication(QStringLiteral("Server=s;Integrated Security=SSPI")));
    QVERIFY(UsesIntegratedAuthentication(QStringLiteral("Server=s;Authentication=ActiveDirectoryIntegrated")));
    QVERIFY(!UsesIntegratedAuthentication(QStringLiteral("Server=s;Trusted_Connection=no;Uid=wr")));
    QVERIFY(!UsesIntegratedAuthentication(QStringLiteral("DSN=WriteReport")));
}

void TstHostCredentials::maskedEverywhere()
{
    const QString db = WithOdbcPassword(QStringLiteral("DSN=WriteReport;Uid=wr"), kNasty);
    const QStringList args{QStringLiteral("wr-host"), QStringLiteral("--db"), db, QStringLiteral("--script"),
                           QStringLiteral("s.txt"), QStringLiteral("--db=DSN=y;PASSWORD=hunter2"),
                           QStringLiteral("DSN=z;Pwd=stray")};
    const QString shown = MaskPasswordsInArguments(args).join(QLatin1Char(' '));
    for (const QString& secret : {QStringLiteral("p;w"), QStringLiteral("evil"), QStringLiteral("hunter2"), QStringLiteral("stray")})
        QVERIFY2(!shown.contains(secret), qPrintable(shown));
    QVERIFY2(shown.contains(QStringLiteral("--db DSN=WriteReport;Uid=wr;Pwd=***")), qPrintable(shown));
    QVERIFY2(shown.contains(QStringLiteral("--script s.txt")), qPrintable(shown));
#if WR_WITH_ODBC
    // What the backend shows of a connection (errors, the status bar) keeps nothing of a
    // braced password either, '}}' inside it included.
    const QString description = OdbcDescription(db);
    QVERIFY2(!description.contains(QStringLiteral("evil")) && !description.contains(QStringLiteral("p;w")),
             qPrintable(description));
    QVERIFY2(description.contains(QStringLiteral("Uid=wr")), qPrintable(description));
#endif
}

void TstHostCredentials::passwordFiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString good = WriteFile(dir, QStringLiteral("good"), (kNasty + QStringLiteral("\r\nsecond line\n")).toUtf8(), 0600);
    const TSecretFile ok = ReadOwnerOnlySecretFile(good);
    QVERIFY2(ok.ok, qPrintable(ok.error));
    QCOMPARE(ok.secret, kNasty);

    // Readable (or changeable) by the group or everyone: refused, naming the file and mode.
    for (int mode : {0644, 0640, 0604, 0620}) {
        const QString path = WriteFile(dir, QStringLiteral("open%1").arg(mode, 0, 8), "secret\n", mode);
        const TSecretFile r = ReadOwnerOnlySecretFile(path);
        QVERIFY2(!r.ok && r.secret.isEmpty(), qPrintable(path));
        QVERIFY2(r.error.contains(path) && r.error.contains(QString::number(mode, 8)), qPrintable(r.error));
        QVERIFY2(!r.error.contains(QStringLiteral("secret")), qPrintable(r.error));
    }
    QVERIFY(!ReadOwnerOnlySecretFile(WriteFile(dir, QStringLiteral("empty"), "\n", 0600)).ok);
    QVERIFY(!ReadOwnerOnlySecretFile(dir.filePath(QStringLiteral("missing"))).ok);
    QVERIFY(!ReadOwnerOnlySecretFile(dir.path()).ok);
}

void TstHostCredentials::lookupOrder()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // The default file lives in the configuration folder: keep it away from the real one.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath(QStringLiteral("config"))));
    const QString file = WriteFile(dir, QStringLiteral("pw"), "from-file\n", 0600);
    const QString db = QStringLiteral("DSN=WriteReport;Uid=wr");
    auto stub = std::make_shared<TKeyringStub>();
    SetKeyringReaderForTests([stub](const QString& key, QString* password, bool* available, QString*) {
        ++stub->calls;
        stub->key = key;
        *available = stub->available;
        *password = stub->password;
        return !stub->password.isEmpty();
    });
    QStringList lines;
    const TCredentialLogFn log = [&lines](const QString& l) { lines << l; };
    auto resolve = [&](const QString& target, const QString& passwordFile) {
        TDbCredentialOptions o;
        o.db = target;
        o.passwordFile = passwordFile;
        return ResolveDbCredentials(o, log);
    };

    // The keyring first: its password goes into the connection, the file is not read.
    stub->password = QStringLiteral("from-keyring");
    TDbCredentials c = resolve(db, file);
    QCOMPARE(c.source, QStringLiteral("keyring"));
    QCOMPARE(stub->key, db);
    QCOMPARE(OdbcValue(c.connectionString, {QStringLiteral("Pwd")}), QStringLiteral("from-keyring"));
    QCOMPARE(c.display, db);

    // Nothing in the keyring (or no keyring at all): the file.
    stub->password.clear();
    for (bool available : {true, false}) {
        stub->available = available;
        c = resolve(db, file);
        QCOMPARE(c.source, QStringLiteral("file ") + file);
        QCOMPARE(OdbcValue(c.connectionString, {QStringLiteral("Pwd")}), QStringLiteral("from-file"));
    }

    // A file others may read stops the start rather than be used.
    ::chmod(QFile::encodeName(file).constData(), 0644);
    c = resolve(db, file);
    QVERIFY(c.error.contains(file));
    QVERIFY(!HasOdbcPassword(c.connectionString));

    // No file named and none at the default place: connect without (integrated log-ins).
    c = resolve(db, QString());
    QCOMPARE(c.source, QStringLiteral("none"));
    QVERIFY(c.error.isEmpty());
    QCOMPARE(c.connectionString, db);
    // ... but a file at the default place is used.
    QVERIFY(QDir().mkpath(QFileInfo(DefaultDbPasswordFile()).path()));
    QVERIFY(QFile::copy(file, DefaultDbPasswordFile()));
    ::chmod(QFile::encodeName(DefaultDbPasswordFile()).constData(), 0600);
    c = resolve(db, QString());
    QCOMPARE(OdbcValue(c.connectionString, {QStringLiteral("Pwd")}), QStringLiteral("from-file"));

    // Integrated authentication looks nothing up; a password on the command line wins, with
    // a warning that says where it can be seen.
    const int calls = stub->calls;
    c = resolve(QStringLiteral("Driver=x;Server=s;Trusted_Connection=yes"), file);
    QCOMPARE(stub->calls, calls);
    QVERIFY(!HasOdbcPassword(c.connectionString));
    c = resolve(db + QStringLiteral(";Pwd=typed-in"), file);
    QCOMPARE(stub->calls, calls);
    QCOMPARE(c.source, QStringLiteral("command line"));
    QCOMPARE(c.display, db);
    QVERIFY(lines.last().startsWith(QStringLiteral("warning:")) && lines.last().contains(QStringLiteral("process list")));

    for (const QString& l : lines)
        for (const QString& secret : {QStringLiteral("from-keyring"), QStringLiteral("from-file"), QStringLiteral("typed-in")})
            QVERIFY2(!l.contains(secret), qPrintable(l));
}

void TstHostCredentials::askedOnlyWhereSomeoneCanAnswer()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath(QStringLiteral("config"))));
    SetKeyringReaderForTests([](const QString&, QString*, bool* available, QString*) {
        *available = false;
        return false;
    });
    TPasswordAnswers dialogs;
    IDialogService* previous = SetDialogService(&dialogs);
    // No such data source: every try fails, so each answer is used up.
    const QString db = QStringLiteral("DSN=wr_no_such_dsn;Uid=zhang");
    THostDbConnectOptions o;
    QString shown, error;

    // Headless: never asked; the message says where a password can be put.
    {
        THostDataModule module(db);
        QVERIFY(!ConnectHostDatabase(module, o, {}, &shown, &error));
        QVERIFY(dialogs.asked.isEmpty());
        QVERIFY2(error.contains(QStringLiteral("--db-password-file")), qPrintable(error));
    }
    // Interactive: asked up to three times, the user shown, each typed password tried.
    o.mayAsk = true;
    dialogs.answers = QStringList{QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three"), QStringLiteral("four")};
    {
        THostDataModule module(db);
        QVERIFY(!ConnectHostDatabase(module, o, {}, &shown, &error));
        QCOMPARE(dialogs.asked.size(), 3);
        QCOMPARE(dialogs.asked.first().userCode, QStringLiteral("zhang"));
        QCOMPARE(OdbcValue(module.Target(), {QStringLiteral("Pwd")}), QStringLiteral("three"));
        QCOMPARE(shown, db);
        for (const TPasswordRequest& r : dialogs.asked)
            QVERIFY2(!r.text.contains(QStringLiteral("one")) && !r.text.contains(QStringLiteral("two")), qPrintable(r.text));
        QVERIFY(!error.contains(QStringLiteral("three")));
    }
    // Cancelling stops at once.
    dialogs.asked.clear();
    dialogs.answers = QStringList{QString()};
    {
        THostDataModule module(db);
        QVERIFY(!ConnectHostDatabase(module, o, {}, &shown, &error));
        QCOMPARE(dialogs.asked.size(), 1);
        QVERIFY2(error.contains(QStringLiteral("not given")), qPrintable(error));
    }
    // A password given on the command line is not asked again.
    dialogs.asked.clear();
    {
        THostDataModule module(db + QStringLiteral(";Pwd=typed"));
        QVERIFY(!ConnectHostDatabase(module, o, {}, &shown, &error));
        QVERIFY(dialogs.asked.isEmpty());
        QCOMPARE(shown, db);
        QVERIFY(!error.contains(QStringLiteral("typed")));
    }
    SetDialogService(previous);
}

QTEST_GUILESS_MAIN(TstHostCredentials)
#include "tst_host_credentials.moc"
