// SPDX-License-Identifier: MIT
// The SQL functions with which the SQLite database checks a password proof itself, as the
// server databases do with their own hash functions (see PasswordProof.h):
//   wr_password_check(StoredKeyHex, ServerKeyHex, AuthMessage, ClientProofHex)
//       -> ServerSignature as hex when the proof is right, else NULL
//   wr_password_key(Argon2idString, Part) -> 'salt', 'stored', 'server' (hex), 'ops', 'mem'
//       (integers) of an older stored hash, or NULL when it is not one
//   wr_hmac_sha1(Key, Message) -> hex, for answers that must not vary between calls
// Registered on every connection of the backend.
#pragma once

struct sqlite3;

// False when SQLite refused a registration.
bool RegisterSqlitePasswordFunctions(sqlite3* db);
