// SPDX-License-Identifier: MIT
// The password proof shared by the workstation and the database: a challenge-response in the
// manner of SCRAM-SHA-1 (RFC 5802) over an Argon2id-salted password.
//
//   SaltedPassword = Argon2id(password, salt, ops, memory), 32 bytes
//   ClientKey = HMAC(SaltedPassword, "Client Key")   StoredKey = SHA1(ClientKey)
//   ServerKey = HMAC(SaltedPassword, "Server Key")
//   AuthMessage = "c=" ClientNonce ",s=" ServerNonce  (both 32 lower-case hex digits)
//   ClientProof = ClientKey XOR HMAC(StoredKey, AuthMessage)
//   ServerSignature = HMAC(ServerKey, AuthMessage)
//
// The database keeps only the salt, the Argon2id parameters, StoredKey and ServerKey: none of
// them lets a reader log in, and the server nonce is used once. SHA-1 because SQL Server 2008
// R2's HASHBYTES offers nothing stronger; HMAC-SHA-1 stays a sound keyed hash, and guessing
// the password from StoredKey costs one Argon2id per guess.
//
// A libsodium Argon2id string ($argon2id$v=19$m=..,t=..,p=1$salt$hash) already holds the
// SaltedPassword, so older stored hashes convert to keys without the password.
// Pure functions, any thread.
#pragma once
#include "PlatformExport.h"
#include <QByteArray>
#include <QString>

namespace PasswordProof {

constexpr int kNonceBytes = 16;
constexpr int kSaltBytes = 16;
constexpr int kSaltedBytes = 32;

struct TKeys {
    QByteArray storedKey;   // raw, 20 bytes
    QByteArray serverKey;   // raw, 20 bytes
};

WR_PLATFORM_EXPORT QByteArray Hmac(const QByteArray& key, const QByteArray& message);
WR_PLATFORM_EXPORT TKeys KeysFrom(const QByteArray& saltedPassword);
WR_PLATFORM_EXPORT QByteArray AuthMessage(const QByteArray& clientNonceHex, const QByteArray& serverNonceHex);
WR_PLATFORM_EXPORT QByteArray ClientProof(const QByteArray& saltedPassword, const QByteArray& authMessage);
WR_PLATFORM_EXPORT QByteArray ServerSignature(const QByteArray& serverKey, const QByteArray& authMessage);
// What the database does: H(proof XOR HMAC(StoredKey, AuthMessage)) == StoredKey, in time
// independent of where the bytes differ.
WR_PLATFORM_EXPORT bool Verify(const QByteArray& storedKey, const QByteArray& authMessage, const QByteArray& proof);
// Whether the text is 2*kNonceBytes lower-case hex digits.
WR_PLATFORM_EXPORT bool IsNonce(const QByteArray& hex);

// The parts of a libsodium Argon2id string; valid is false for anything else (another
// algorithm, p other than 1, a salt or hash of the wrong length).
struct TArgon2idString {
    bool valid = false;
    QByteArray salt, hash;
    int ops = 0;
    int memKiB = 0;
};
WR_PLATFORM_EXPORT TArgon2idString ParseArgon2id(const QString& text);

} // namespace PasswordProof
