// SPDX-License-Identifier: MIT
#include "PasswordProof.h"
#include <QCryptographicHash>
#include <QMessageAuthenticationCode>
#include <QRegularExpression>

namespace PasswordProof {

namespace {
QByteArray Xor(const QByteArray& a, const QByteArray& b)
{
    QByteArray out(a.size(), '\0');
    for (qsizetype i = 0; i < a.size(); ++i) out[i] = static_cast<char>(a[i] ^ (i < b.size() ? b[i] : 0));
    return out;
}

QByteArray Sha1(const QByteArray& data) { return QCryptographicHash::hash(data, QCryptographicHash::Sha1); }

QByteArray Base64NoPadding(const QString& text)
{
    QByteArray padded = text.toLatin1();
    while (padded.size() % 4 != 0) padded += '=';
    const auto r = QByteArray::fromBase64Encoding(padded, QByteArray::AbortOnBase64DecodingErrors);
    return r ? *r : QByteArray();
}
} // namespace

QByteArray Hmac(const QByteArray& key, const QByteArray& message)
{
    return QMessageAuthenticationCode::hash(message, key, QCryptographicHash::Sha1);
}

TKeys KeysFrom(const QByteArray& saltedPassword)
{
    return {Sha1(Hmac(saltedPassword, "Client Key")), Hmac(saltedPassword, "Server Key")};
}

QByteArray AuthMessage(const QByteArray& clientNonceHex, const QByteArray& serverNonceHex)
{
    return "c=" + clientNonceHex + ",s=" + serverNonceHex;
}

QByteArray ClientProof(const QByteArray& saltedPassword, const QByteArray& authMessage)
{
    const QByteArray clientKey = Hmac(saltedPassword, "Client Key");
    return Xor(clientKey, Hmac(Sha1(clientKey), authMessage));
}

QByteArray ServerSignature(const QByteArray& serverKey, const QByteArray& authMessage)
{
    return Hmac(serverKey, authMessage);
}

bool Verify(const QByteArray& storedKey, const QByteArray& authMessage, const QByteArray& proof)
{
    if (storedKey.size() != 20 || proof.size() != 20) return false;
    const QByteArray candidate = Sha1(Xor(proof, Hmac(storedKey, authMessage)));
    unsigned char diff = 0;
    for (int i = 0; i < 20; ++i) diff |= static_cast<unsigned char>(candidate[i] ^ storedKey[i]);
    return diff == 0;
}

bool IsNonce(const QByteArray& hex)
{
    if (hex.size() != 2 * kNonceBytes) return false;
    for (char c : hex)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    return true;
}

TArgon2idString ParseArgon2id(const QString& text)
{
    static const QRegularExpression re(
        QStringLiteral("^\\$argon2id\\$v=19\\$m=([0-9]{1,9}),t=([0-9]{1,9}),p=1\\$([A-Za-z0-9+/]+)\\$([A-Za-z0-9+/]+)$"));
    const QRegularExpressionMatch m = re.match(text);
    TArgon2idString r;
    if (!m.hasMatch()) return r;
    r.memKiB = m.captured(1).toInt();
    r.ops = m.captured(2).toInt();
    r.salt = Base64NoPadding(m.captured(3));
    r.hash = Base64NoPadding(m.captured(4));
    r.valid = r.ops > 0 && r.memKiB > 0 && r.salt.size() == kSaltBytes && r.hash.size() == kSaltedBytes;
    return r;
}

} // namespace PasswordProof
