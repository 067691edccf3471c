-- SPDX-License-Identifier: MIT
-- Passwords checked by the database itself (the twin of db/sqlite/upgrades/022): a user's row
-- keeps the Argon2id salt and parameters and two keys derived from the salted password
-- (StoredKey, ServerKey, hex), from which no one can log in; a workstation proves the
-- password against a fresh single-use nonce (WrLoginNonce) and sp_UserLoginProof decides
-- and records the outcome. See src/platform/PasswordProof.h. HMAC and SHA-1 come from
-- pgcrypto, created here (the database's owner runs the upgrades). Safe to run again.

CREATE EXTENSION IF NOT EXISTS pgcrypto;

ALTER TABLE WrUser ADD COLUMN IF NOT EXISTS ProofSalt text NOT NULL DEFAULT '';
ALTER TABLE WrUser ADD COLUMN IF NOT EXISTS ProofOps integer NOT NULL DEFAULT 0;
ALTER TABLE WrUser ADD COLUMN IF NOT EXISTS ProofMemKiB integer NOT NULL DEFAULT 0;
ALTER TABLE WrUser ADD COLUMN IF NOT EXISTS StoredKey text NOT NULL DEFAULT '';
ALTER TABLE WrUser ADD COLUMN IF NOT EXISTS ServerKey text NOT NULL DEFAULT '';

-- One row per challenge, removed when used or expired. No workstation reads it.
CREATE TABLE IF NOT EXISTS WrLoginNonce (
    Nonce    text PRIMARY KEY,
    UserCode text NOT NULL,
    Expires  timestamp(3) NOT NULL
);

-- A random key from which an unknown user's challenge is made, so that it looks like a
-- known user's and stays the same between calls. No workstation reads it.
CREATE TABLE IF NOT EXISTS WrSecret (
    Name  text PRIMARY KEY,
    Value text NOT NULL
);
INSERT INTO WrSecret (Name, Value) VALUES ('LoginDecoyKey', encode(gen_random_bytes(32), 'hex')) ON CONFLICT DO NOTHING;

-- The salt, parameters and keys held by a libsodium Argon2id string (whose hash part is the
-- salted password); all NULL for anything else.
CREATE OR REPLACE FUNCTION wr_Argon2idKeys(hash text, OUT salt text, OUT ops integer, OUT memkib integer,
                                           OUT storedkey text, OUT serverkey text)
LANGUAGE plpgsql IMMUTABLE SET search_path = public, pg_temp AS $$
DECLARE
    m text[];
    s bytea;
    raw bytea;
BEGIN
    m := regexp_match(coalesce(hash, ''),
                      '^\$argon2id\$v=19\$m=([0-9]{1,9}),t=([0-9]{1,9}),p=1\$([A-Za-z0-9+/]+)\$([A-Za-z0-9+/]+)$');
    IF m IS NULL THEN
        RETURN;
    END IF;
    BEGIN
        s := decode(rpad(m[3], (length(m[3]) + 3) / 4 * 4, '='), 'base64');
        raw := decode(rpad(m[4], (length(m[4]) + 3) / 4 * 4, '='), 'base64');
    EXCEPTION WHEN others THEN
        RETURN;
    END;
    IF length(s) <> 16 OR length(raw) <> 32 OR m[1]::integer < 8 OR m[2]::integer < 1 THEN
        RETURN;
    END IF;
    salt := encode(s, 'hex');
    ops := m[2]::integer;
    memkib := m[1]::integer;
    storedkey := encode(digest(hmac(convert_to('Client Key', 'UTF8'), raw, 'sha1'), 'sha1'), 'hex');
    serverkey := encode(hmac(convert_to('Server Key', 'UTF8'), raw, 'sha1'), 'hex');
END
$$;

-- The proof: H(ClientProof XOR HMAC(StoredKey, AuthMessage)) = StoredKey. Answers the
-- ServerSignature HMAC(ServerKey, AuthMessage) as hex when it holds, else NULL.
CREATE OR REPLACE FUNCTION wr_PasswordCheck(storedkey text, serverkey text, authmessage text, clientproof text)
RETURNS text
LANGUAGE plpgsql IMMUTABLE SET search_path = public, pg_temp AS $$
DECLARE
    sk bytea;
    proof bytea;
    sig bytea;
BEGIN
    IF NOT (coalesce(storedkey, '') ~ '^[0-9a-f]{40}$' AND coalesce(serverkey, '') ~ '^[0-9a-f]{40}$'
            AND coalesce(clientproof, '') ~ '^[0-9a-fA-F]{40}$' AND authmessage IS NOT NULL) THEN
        RETURN NULL;
    END IF;
    sk := decode(storedkey, 'hex');
    proof := decode(clientproof, 'hex');
    sig := hmac(convert_to(authmessage, 'UTF8'), sk, 'sha1');
    FOR i IN 0..19 LOOP
        proof := set_byte(proof, i, get_byte(proof, i) # get_byte(sig, i));
    END LOOP;
    IF digest(proof, 'sha1') <> sk THEN
        RETURN NULL;
    END IF;
    RETURN encode(hmac(convert_to(authmessage, 'UTF8'), decode(serverkey, 'hex'), 'sha1'), 'hex');
END
$$;

-- Every stored Argon2id string becomes keys now and is removed.
UPDATE WrUser AS u
   SET ProofSalt = k.salt, ProofOps = k.ops, ProofMemKiB = k.memkib, StoredKey = k.storedkey, ServerKey = k.serverkey,
       PasswordHash = ''
  FROM (SELECT w.UserCode, (wr_Argon2idKeys(w.PasswordHash)).* FROM WrUser AS w) AS k
 WHERE u.UserCode = k.UserCode AND k.salt IS NOT NULL;
