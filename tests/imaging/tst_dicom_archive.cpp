// SPDX-License-Identifier: MIT
// Archive to a real PACS: Orthanc from Debian, started here with its own configuration,
// storage folder and loopback ports. Every stored instance reaches it; one that arrived while
// it was down reaches it after it comes back; the local copy goes only after the PACS holds
// the instance (its REST interface is the witness).
#include "DicomFixtures.h"
#include "TestDatabase.h"
#include "imaging/DicomHeader.h"
#include "imaging/DicomIndex.h"
#include "imaging/DicomStore.h"
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <csignal>

using namespace wr::imaging;

namespace {

const QString kOrthanc = QStringLiteral("/usr/sbin/Orthanc");

class Pacs
{
public:
    Pacs(const QString& folder, int httpPort, int dicomPort) : m_folder(folder), m_http(httpPort)
    {
        QDir().mkpath(folder + QStringLiteral("/config"));
        QFile config(folder + QStringLiteral("/config/orthanc.json"));
        config.open(QIODevice::WriteOnly);
        config.write(QStringLiteral(R"({
  "Name": "WRTEST", "StorageDirectory": "%1/storage", "IndexDirectory": "%1/index",
  "HttpPort": %2, "DicomPort": %3, "DicomAet": "PACS", "RemoteAccessAllowed": false,
  "AuthenticationEnabled": false, "DicomCheckCalledAet": true, "Plugins": [],
  "DicomModalities": { "wr": [ "WRSTORE", "127.0.0.1", 104 ] }
})").arg(folder).arg(httpPort).arg(dicomPort).toUtf8());
    }
    ~Pacs() { Stop(); }

    bool Start()
    {
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.setStandardOutputFile(m_folder + QStringLiteral("/orthanc.log"), QIODevice::Append);
        m_process.start(kOrthanc, {m_folder + QStringLiteral("/config")});
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 30000) {
            if (Get(QStringLiteral("/system")).isObject()) return true;
            if (m_process.state() == QProcess::NotRunning) return false;
            QThread::msleep(200);
        }
        return false;
    }
    void Stop()
    {
        if (m_process.state() == QProcess::NotRunning) return;
        ::kill(static_cast<pid_t>(m_process.processId()), SIGTERM);
        m_process.waitForFinished(30000);
    }
    int InstanceCount() { return int(Get(QStringLiteral("/instances")).array().size()); }
    bool Holds(const QString& sopUid)
    {
        QString out;
        fixtures::Run(QStringLiteral("curl"), {QStringLiteral("-s"), QStringLiteral("-X"), QStringLiteral("POST"),
                                               QStringLiteral("--data"), sopUid, Url(QStringLiteral("/tools/lookup"))}, &out);
        return out.contains(QLatin1String("\"Instance\""));
    }

private:
    QString Url(const QString& path) const { return QStringLiteral("http://127.0.0.1:%1%2").arg(m_http).arg(path); }
    QJsonDocument Get(const QString& path)
    {
        QProcess curl;
        curl.start(QStringLiteral("curl"), {QStringLiteral("-s"), QStringLiteral("--max-time"), QStringLiteral("5"), Url(path)});
        curl.waitForFinished(10000);
        return QJsonDocument::fromJson(curl.readAllStandardOutput());
    }

    QString m_folder;
    int m_http;
    QProcess m_process;
};

QString UidOf(const QString& file)
{
    TDicomHeader h;
    QString error;
    return ReadDicomHeader(file, &h, &error) ? h.sopInstanceUid : QString();
}

template <typename Condition>
bool WaitFor(Condition condition, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeoutMs) {
        if (condition()) return true;
        QThread::msleep(100);
    }
    return condition();
}

} // namespace

class TstDicomArchive : public QObject
{
    Q_OBJECT

private slots:
    void everyInstanceReachesThePacs();
};

void TstDicomArchive::everyInstanceReachesThePacs()
{
    if (!QFile::exists(kOrthanc)) QSKIP("Orthanc is not installed (Debian package orthanc)");
    QTemporaryDir dir;
    const QString db = CreateTestDatabaseFile(dir.path(), false);
    const QString store = dir.path() + QStringLiteral("/store");
    const int dicomPort = fixtures::FreePort();
    Pacs pacs(dir.path() + QStringLiteral("/pacs"), fixtures::FreePort(), dicomPort);
    QVERIFY(pacs.Start());

    QFile config(dir.path() + QStringLiteral("/wr.ini"));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write(QStringLiteral("[Dicom]\r\nForwardTo=PACS@127.0.0.1:%1\r\nKeepDays=0\r\n").arg(dicomPort).toUtf8());
    config.close();
    const int port = fixtures::FreePort();
    fixtures::Daemon daemon({QStringLiteral("--port"), QString::number(port), QStringLiteral("--store"), store,
                             QStringLiteral("--db"), db, QStringLiteral("--config"), config.fileName()});
    QVERIFY(daemon.WaitListening());

    const QString a = fixtures::Make(dir.path(), QStringLiteral("sc"), QStringLiteral("a.dcm"));
    const QString b = fixtures::Make(dir.path(), QStringLiteral("jpeg-baseline"), QStringLiteral("b.dcm"));
    QCOMPARE(fixtures::StoreScu(port, QStringLiteral("WRSTORE"), {a}), 0);
    QCOMPARE(fixtures::StoreScu(port, QStringLiteral("WRSTORE"), {b}, nullptr, {QStringLiteral("-xy")}), 0);
    TDicomStore local(store);
    auto removedAfterArchived = [&](const QString& uid) {
        if (QFile::exists(local.PathFor(uid))) return false;
        // The moment the local copy is gone, the PACS must hold the instance already.
        if (!pacs.Holds(uid)) QTest::qFail("local copy removed before the PACS held it", __FILE__, __LINE__);
        return true;
    };
    QVERIFY2(WaitFor([&] { return removedAfterArchived(UidOf(a)) && removedAfterArchived(UidOf(b)); }, 30000),
             qPrintable(daemon.Log()));
    QCOMPARE(pacs.InstanceCount(), 2);

    // The PACS goes down; an instance arrives meanwhile and stays here, waiting.
    pacs.Stop();
    const QString c = fixtures::Make(dir.path(), QStringLiteral("multiframe"), QStringLiteral("c.dcm"));
    QCOMPARE(fixtures::StoreScu(port, QStringLiteral("WRSTORE"), {c}), 0);
    {
        auto conn = OpenDatabase(db);
        TDicomIndex index(*conn);
        QVERIFY2(WaitFor([&] { auto r = index.Find(UidOf(c)); return r && r->forwardAttempts > 0; }, 20000),
                 qPrintable(daemon.Log()));
        QCOMPARE(index.Find(UidOf(c))->forwardState, TForwardState::Pending);
        QVERIFY(!index.Find(UidOf(c))->forwardError.isEmpty());
    }
    QVERIFY(QFile::exists(local.PathFor(UidOf(c))));

    // Back again: the waiting instance arrives, then its local copy goes.
    QVERIFY(pacs.Start());
    QVERIFY2(WaitFor([&] { return removedAfterArchived(UidOf(c)); }, 60000), qPrintable(daemon.Log()));
    QCOMPARE(pacs.InstanceCount(), 3);
    auto conn = OpenDatabase(db);
    TDicomIndex index(*conn);
    for (const QString& f : {a, b, c}) {
        const auto row = index.Find(UidOf(f));
        QVERIFY(row.has_value());
        QCOMPARE(row->forwardState, TForwardState::Archived);
        QVERIFY(row->FileRemoved());
    }
    daemon.Terminate();
    QCOMPARE(daemon.ExitCode(), 0);
}

QTEST_GUILESS_MAIN(TstDicomArchive)
#include "tst_dicom_archive.moc"
