-- SPDX-License-Identifier: MIT
-- Passwords checked by the database itself: a user's row keeps the Argon2id salt and
-- parameters and two keys derived from the salted password (StoredKey, ServerKey, hex), from
-- which no one can log in; a workstation proves the password against a fresh single-use
-- nonce (WrLoginNonce) and sp_UserLoginProof decides and records the outcome. See
-- src/platform/PasswordProof.h. Safe to run again: the loader skips an ADD COLUMN whose
-- column exists, the rest is IF NOT EXISTS or changes only rows not yet converted.

ALTER TABLE WrUser ADD COLUMN ProofSalt TEXT NOT NULL DEFAULT '';
ALTER TABLE WrUser ADD COLUMN ProofOps INTEGER NOT NULL DEFAULT 0;
ALTER TABLE WrUser ADD COLUMN ProofMemKiB INTEGER NOT NULL DEFAULT 0;
ALTER TABLE WrUser ADD COLUMN StoredKey TEXT NOT NULL DEFAULT '';
ALTER TABLE WrUser ADD COLUMN ServerKey TEXT NOT NULL DEFAULT '';

-- One row per challenge: used once, within its few minutes. Signature holds the outcome of
-- the proof while the procedure that checks it runs.
CREATE TABLE IF NOT EXISTS WrLoginNonce (
    Nonce     TEXT PRIMARY KEY,
    UserCode  TEXT NOT NULL,
    Expires   DATETIME NOT NULL,
    Used      INTEGER NOT NULL DEFAULT 0,
    Signature TEXT
);

-- A random key from which an unknown user's challenge is made, so that it looks like a
-- known user's and stays the same between calls.
CREATE TABLE IF NOT EXISTS WrSecret (
    Name  TEXT PRIMARY KEY,
    Value TEXT NOT NULL
);
INSERT OR IGNORE INTO WrSecret (Name, Value) VALUES ('LoginDecoyKey', lower(hex(randomblob(32))));

-- A stored Argon2id string already holds the salted password: its keys are made here and
-- the string removed, so no row keeps anything a log-in could be made from.
UPDATE WrUser
   SET ProofSalt = wr_password_key(PasswordHash, 'salt'),
       ProofOps = wr_password_key(PasswordHash, 'ops'),
       ProofMemKiB = wr_password_key(PasswordHash, 'mem'),
       StoredKey = wr_password_key(PasswordHash, 'stored'),
       ServerKey = wr_password_key(PasswordHash, 'server'),
       PasswordHash = ''
 WHERE wr_password_key(PasswordHash, 'salt') IS NOT NULL;
