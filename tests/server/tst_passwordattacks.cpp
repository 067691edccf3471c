// SPDX-License-Identifier: MIT
// Attacks on the log-in by a workstation's own database login (wr_ws on the server, the file
// on SQLite), each of which worked while the workstation checked passwords itself: the
// procedures of older programs (read a hash, rehash to one's own password, report a success)
// and forged or replayed proofs. Each row runs one attack and then checks that the attacker's
// password opens nothing, the user's own still does, and the failure count stands.
#include "ServerFixture.h"
#include "TestDatabase.h"
#include "hostdata/UserAccounts.h"
#include "platform/PasswordProof.h"
#include <QTest>
#include <sodium.h>

namespace {
const QString kUser = QStringLiteral("D002");
const QString kPassword = QStringLiteral("Admin-Pass-1");
const QString kAttacker = QStringLiteral("Attacker-Pass-1");

void Call(TDbConnection& conn, const char* name, const QList<QPair<const char*, QVariant>>& args)
{
    auto sp = conn.CreateStoredProc();
    sp->SetProcedureName(QLatin1String(name));
    sp->RefreshParameters();
    for (const auto& [n, v] : args) sp->ParamByName(QLatin1Char('@') + QLatin1String(n)).Value = TDbValue(v);
    sp->ExecProc();
    sp->Close();
}

struct TChallengeReply {
    QByteArray salt, nonce;
    int ops = 0, memKiB = 0;
};

TChallengeReply Challenge(TDbConnection& conn)
{
    auto sp = conn.CreateStoredProc();
    sp->SetProcedureName(QStringLiteral("sp_UserLoginChallenge"));
    sp->RefreshParameters();
    sp->ParamByName(QStringLiteral("@UserCode")).SetAsString(kUser);
    sp->ExecProc();
    TChallengeReply c;
    c.salt = QByteArray::fromHex(sp->ParamByName(QStringLiteral("@Salt")).Value.AsString().toLatin1());
    c.nonce = sp->ParamByName(QStringLiteral("@ServerNonce")).Value.AsString().toLatin1();
    c.ops = sp->ParamByName(QStringLiteral("@Ops")).Value.AsInteger();
    c.memKiB = sp->ParamByName(QStringLiteral("@MemKiB")).Value.AsInteger();
    sp->Close();
    return c;
}

QByteArray Salted(const QString& password, const TChallengeReply& c)
{
    const QByteArray pw = password.toUtf8();
    QByteArray out(32, '\0');
    if (crypto_pwhash(reinterpret_cast<unsigned char*>(out.data()), 32, pw.constData(), pw.size(),
                      reinterpret_cast<const unsigned char*>(c.salt.constData()), c.ops, size_t(c.memKiB) * 1024,
                      crypto_pwhash_ALG_ARGON2ID13) != 0)
        qFatal("crypto_pwhash failed");
    return out;
}

// Sends a proof for the challenge's nonce; the outcome (0 right, 1 refused, 2 locked).
int Prove(TDbConnection& conn, const TChallengeReply& c, const QByteArray& clientNonce, const QByteArray& proof)
{
    auto sp = conn.CreateStoredProc();
    sp->SetProcedureName(QStringLiteral("sp_UserLoginProof"));
    sp->RefreshParameters();
    sp->ParamByName(QStringLiteral("@UserCode")).SetAsString(kUser);
    sp->ParamByName(QStringLiteral("@ServerNonce")).SetAsString(QString::fromLatin1(c.nonce));
    sp->ParamByName(QStringLiteral("@ClientNonce")).SetAsString(QString::fromLatin1(clientNonce));
    sp->ParamByName(QStringLiteral("@ClientProof")).SetAsString(QString::fromLatin1(proof.toHex()));
    sp->ExecProc();
    const int outcome = sp->ParamByName(QStringLiteral("@Outcome")).Value.AsInteger();
    sp->Close();
    return outcome;
}

template <typename F> bool Refused(F call)
{
    try {
        call();
        return false;
    } catch (const EDatabaseError&) {
        return true;
    }
}
} // namespace

class TstPasswordAttacks : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_db.reset(); }
    void attackFails_data();
    void attackFails();

private:
    std::unique_ptr<TBackendDatabase> m_db;
};

void TstPasswordAttacks::init()
{
    if (const QString why = TBackendDatabase::SkipReason(); !why.isEmpty()) QSKIP(qPrintable(why));
    m_db = std::make_unique<TBackendDatabase>(true);
    TUserAccounts(m_db->AdminConnection()).ResetPassword(kUser, kPassword, false);
}

void TstPasswordAttacks::attackFails_data()
{
    QTest::addColumn<QString>("attack");
    QTest::newRow("read the stored hash (older program's procedure)") << QStringLiteral("read-hash");
    QTest::newRow("rehash the administrator to one's own password") << QStringLiteral("rehash");
    QTest::newRow("change the password with a hash as the old one") << QStringLiteral("change");
    QTest::newRow("report a success to clear the failures") << QStringLiteral("report-success");
    QTest::newRow("stored keys read by the file's owner used as a proof") << QStringLiteral("keys-as-proof");
    QTest::newRow("a right proof replayed") << QStringLiteral("replay");
}

void TstPasswordAttacks::attackFails()
{
    QFETCH(QString, attack);
    TDbConnection& ws = m_db->Connection();
    TUserAccounts users(ws);
    // Two failures first, so that a reset count would show.
    for (int i = 0; i < 2; ++i) users.LogIn(kUser, QStringLiteral("guess-%1").arg(i));
    const QString attackerHash = HashPassword(kAttacker);

    if (attack == QLatin1String("read-hash")) {
        QVERIFY(Refused([&] { Call(ws, "sp_UserLoginInfo", {{"UserCode", kUser}}); }));
        QCOMPARE(m_db->Value(QStringLiteral("SELECT PasswordHash FROM WrUser WHERE UserCode = 'D002'")).AsString(), QString());
    } else if (attack == QLatin1String("rehash")) {
        QVERIFY(Refused([&] { Call(ws, "sp_RehashUserPassword", {{"UserCode", kUser}, {"OldHash", QString()}, {"NewHash", attackerHash}}); }));
    } else if (attack == QLatin1String("change")) {
        QVERIFY(Refused([&] { Call(ws, "sp_ChangeUserPassword", {{"UserCode", kUser}, {"OldHash", QString()}, {"NewHash", attackerHash}}); }));
    } else if (attack == QLatin1String("report-success")) {
        QVERIFY(Refused([&] { Call(ws, "sp_UserLoginResult", {{"UserCode", kUser}, {"Success", 1}}); }));
    } else if (attack == QLatin1String("keys-as-proof")) {
        // Whoever reads the row gets StoredKey and ServerKey; a proof needs ClientKey, which
        // they do not give. The likeliest forgeries: StoredKey or ServerKey in its place.
        const QByteArray stored = QByteArray::fromHex(
            m_db->Value(QStringLiteral("SELECT StoredKey FROM WrUser WHERE UserCode = 'D002'")).AsString().toLatin1());
        const QByteArray server = QByteArray::fromHex(
            m_db->Value(QStringLiteral("SELECT ServerKey FROM WrUser WHERE UserCode = 'D002'")).AsString().toLatin1());
        QCOMPARE(stored.size(), 20);
        for (const QByteArray& claimed : {stored, server}) {
            const TChallengeReply c = Challenge(ws);
            const QByteArray nonce = QByteArray(32, 'a');
            const QByteArray auth = PasswordProof::AuthMessage(nonce, c.nonce);
            QByteArray proof = PasswordProof::Hmac(stored, auth);
            for (int i = 0; i < proof.size(); ++i) proof[i] = char(proof[i] ^ claimed[i]);
            QCOMPARE(Prove(ws, c, nonce, proof), 1);
        }
        QCOMPARE(m_db->Value(QStringLiteral("SELECT FailedCount FROM WrUser WHERE UserCode = 'D002'")).AsInteger(), 4);
        return;
    } else {
        const TChallengeReply c = Challenge(ws);
        const QByteArray nonce = QByteArray(32, 'b');
        const QByteArray proof = PasswordProof::ClientProof(Salted(kPassword, c), PasswordProof::AuthMessage(nonce, c.nonce));
        QCOMPARE(Prove(ws, c, nonce, proof), 0);
        // Seen once on the wire, the same proof opens nothing again.
        QVERIFY(Refused([&] { Prove(ws, c, nonce, proof); }));
        QCOMPARE(m_db->Value(QStringLiteral("SELECT FailedCount FROM WrUser WHERE UserCode = 'D002'")).AsInteger(), 0);
        return;
    }
    QCOMPARE(m_db->Value(QStringLiteral("SELECT FailedCount FROM WrUser WHERE UserCode = 'D002'")).AsInteger(), 2);
    QCOMPARE(users.LogIn(kUser, kAttacker).outcome, TLoginOutcome::WrongPassword);
    QCOMPARE(users.LogIn(kUser, kPassword).outcome, TLoginOutcome::Ok);
}

QTEST_GUILESS_MAIN(TstPasswordAttacks)
#include "tst_passwordattacks.moc"
