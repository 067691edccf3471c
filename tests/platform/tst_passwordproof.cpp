// SPDX-License-Identifier: MIT
// The password proof's formulas are SCRAM-SHA-1's (RFC 5802's worked example, whose salted
// password is PBKDF2 where ours is Argon2id), a proof is taken only whole and only for its
// own message, and only a libsodium Argon2id string of the expected shape gives keys.
#include "platform/PasswordProof.h"
#include <QTest>

using namespace PasswordProof;

namespace {
// PBKDF2-HMAC-SHA1 for one output block, as the RFC's example derives its salted password.
QByteArray Pbkdf2Sha1(const QByteArray& password, const QByteArray& salt, int iterations)
{
    QByteArray u = Hmac(password, salt + QByteArray("\0\0\0\1", 4));
    QByteArray out = u;
    for (int i = 1; i < iterations; ++i) {
        u = Hmac(password, u);
        for (int j = 0; j < out.size(); ++j) out[j] = char(out[j] ^ u[j]);
    }
    return out;
}

QByteArray B64(const QByteArray& raw) { return raw.toBase64(QByteArray::OmitTrailingEquals); }
} // namespace

class TstPasswordProof : public QObject {
    Q_OBJECT
private slots:
    void formulasAreScramSha1s();
    void proofIsTakenOnlyWholeAndForItsMessage();
    void argon2idStrings_data();
    void argon2idStrings();
};

void TstPasswordProof::formulasAreScramSha1s()
{
    const QByteArray salted = Pbkdf2Sha1("pencil", QByteArray::fromBase64("QSXCR+Q6sek8bf92"), 4096);
    const QByteArray auth = "n=user,r=fyko+d2lbbFgONRv9qkxdawL,r=fyko+d2lbbFgONRv9qkxdawL3rfcNHYJY1ZVvWVs7j,"
                            "s=QSXCR+Q6sek8bf92,i=4096,c=biws,r=fyko+d2lbbFgONRv9qkxdawL3rfcNHYJY1ZVvWVs7j";
    const QByteArray proof = ClientProof(salted, auth);
    QCOMPARE(proof.toBase64(), QByteArray("v0X8v3Bz2T0CJGbJQyF0X+HI4Ts="));
    QCOMPARE(ServerSignature(KeysFrom(salted).serverKey, auth).toBase64(), QByteArray("rmF9pqV8S7suAoZWja4dJRkFsKQ="));
    QVERIFY(Verify(KeysFrom(salted).storedKey, auth, proof));
}

void TstPasswordProof::proofIsTakenOnlyWholeAndForItsMessage()
{
    const QByteArray salted(kSaltedBytes, '\x5a');
    const QByteArray stored = KeysFrom(salted).storedKey;
    const QByteArray auth = AuthMessage(QByteArray(32, 'a'), QByteArray(32, 'b'));
    const QByteArray proof = ClientProof(salted, auth);
    QVERIFY(Verify(stored, auth, proof));
    QByteArray flipped = proof;
    flipped[7] = char(flipped[7] ^ 1);
    QVERIFY(!Verify(stored, auth, flipped));
    QVERIFY(!Verify(stored, AuthMessage(QByteArray(32, 'a'), QByteArray(32, 'c')), proof));   // another nonce
    QVERIFY(!Verify(stored, auth, proof.left(19)));
    QVERIFY(!Verify(stored, auth, stored));   // the stored key itself is no proof
    QVERIFY(IsNonce(QByteArray(32, 'f')) && !IsNonce(QByteArray(32, 'F')) && !IsNonce(QByteArray(31, 'a')));
}

void TstPasswordProof::argon2idStrings_data()
{
    const QByteArray salt(kSaltBytes, '\x11'), hash(kSaltedBytes, '\x22');
    const QByteArray tail = "$" + B64(salt) + "$" + B64(hash);
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("libsodium's form") << QByteArray("$argon2id$v=19$m=65536,t=2,p=1" + tail) << true;
    QTest::newRow("cheaper parameters") << QByteArray("$argon2id$v=19$m=8,t=1,p=1" + tail) << true;
    QTest::newRow("Argon2i") << QByteArray("$argon2i$v=19$m=65536,t=2,p=1" + tail) << false;
    QTest::newRow("four lanes") << QByteArray("$argon2id$v=19$m=65536,t=2,p=4" + tail) << false;
    QTest::newRow("older version") << QByteArray("$argon2id$v=16$m=65536,t=2,p=1" + tail) << false;
    QTest::newRow("short salt") << QByteArray("$argon2id$v=19$m=65536,t=2,p=1$" + B64(salt.left(8)) + "$" + B64(hash)) << false;
    QTest::newRow("short hash") << QByteArray("$argon2id$v=19$m=65536,t=2,p=1$" + B64(salt) + "$" + B64(hash.left(16))) << false;
    QTest::newRow("trailing text") << QByteArray("$argon2id$v=19$m=65536,t=2,p=1" + tail + "$x") << false;
    QTest::newRow("empty") << QByteArray() << false;
}

void TstPasswordProof::argon2idStrings()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, valid);
    const TArgon2idString h = ParseArgon2id(QString::fromLatin1(text));
    QCOMPARE(h.valid, valid);
    if (!valid) return;
    QCOMPARE(h.salt, QByteArray(kSaltBytes, '\x11'));
    QCOMPARE(h.hash, QByteArray(kSaltedBytes, '\x22'));
    QVERIFY(h.ops >= 1 && h.memKiB >= 8);
}

QTEST_GUILESS_MAIN(TstPasswordProof)
#include "tst_passwordproof.moc"
