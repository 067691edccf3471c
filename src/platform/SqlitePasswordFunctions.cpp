// SPDX-License-Identifier: MIT
#include "SqlitePasswordFunctions.h"
#include "PasswordProof.h"
#include <sqlite3.h>

namespace {

QByteArray Arg(sqlite3_value* v)
{
    const auto* p = static_cast<const char*>(sqlite3_value_blob(v));
    return p ? QByteArray(p, sqlite3_value_bytes(v)) : QByteArray();
}

void ResultText(sqlite3_context* ctx, const QByteArray& text)
{
    sqlite3_result_text(ctx, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

void PasswordCheck(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    for (int i = 0; i < 4; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    const QByteArray stored = QByteArray::fromHex(Arg(argv[0]));
    const QByteArray server = QByteArray::fromHex(Arg(argv[1]));
    const QByteArray auth = Arg(argv[2]);
    const QByteArray proof = QByteArray::fromHex(Arg(argv[3]));
    if (!PasswordProof::Verify(stored, auth, proof)) return sqlite3_result_null(ctx);
    ResultText(ctx, PasswordProof::ServerSignature(server, auth).toHex());
}

void PasswordKey(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    const PasswordProof::TArgon2idString h = PasswordProof::ParseArgon2id(QString::fromUtf8(Arg(argv[0])));
    if (!h.valid) return sqlite3_result_null(ctx);
    const QByteArray part = Arg(argv[1]);
    if (part == "ops") return sqlite3_result_int(ctx, h.ops);
    if (part == "mem") return sqlite3_result_int(ctx, h.memKiB);
    if (part == "salt") return ResultText(ctx, h.salt.toHex());
    const PasswordProof::TKeys keys = PasswordProof::KeysFrom(h.hash);
    if (part == "stored") return ResultText(ctx, keys.storedKey.toHex());
    if (part == "server") return ResultText(ctx, keys.serverKey.toHex());
    sqlite3_result_null(ctx);
}

void HmacSha1(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    ResultText(ctx, PasswordProof::Hmac(Arg(argv[0]), Arg(argv[1])).toHex());
}

} // namespace

bool RegisterSqlitePasswordFunctions(sqlite3* db)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    return db && sqlite3_create_function_v2(db, "wr_password_check", 4, flags, nullptr, &PasswordCheck, nullptr, nullptr, nullptr) == SQLITE_OK
        && sqlite3_create_function_v2(db, "wr_password_key", 2, flags, nullptr, &PasswordKey, nullptr, nullptr, nullptr) == SQLITE_OK
        && sqlite3_create_function_v2(db, "wr_hmac_sha1", 2, flags, nullptr, &HmacSha1, nullptr, nullptr, nullptr) == SQLITE_OK;
}
