-- SPDX-License-Identifier: MIT
-- Passwords checked by the database itself (the twin of db/postgresql/upgrades/022): a user's
-- row keeps the Argon2id salt and parameters and two keys derived from the salted password
-- (StoredKey, ServerKey, hex), from which no one can log in; a workstation proves the
-- password against a fresh single-use nonce (WrLoginNonce) and dbo.sp_UserLoginProof
-- decides and records the outcome. See src/platform/PasswordProof.h.
--
-- SHA-1: SQL Server 2008 R2's HASHBYTES knows no SHA-2 (SHA2_256 came with 2012). HMAC-SHA-1
-- stays a sound keyed hash, and the work of a guess is the Argon2id, not the hash; the HMAC
-- is written out over HASHBYTES below. CRYPT_GEN_RANDOM and CONVERT's binary style 2 are
-- 2008's. Safe to run again.
SET ANSI_NULLS ON;
SET QUOTED_IDENTIFIER ON;
GO

IF COL_LENGTH(N'dbo.WrUser', N'ProofSalt') IS NULL
    ALTER TABLE dbo.WrUser ADD ProofSalt varchar(32) NOT NULL CONSTRAINT DF_WrUser_ProofSalt DEFAULT '';
IF COL_LENGTH(N'dbo.WrUser', N'ProofOps') IS NULL
    ALTER TABLE dbo.WrUser ADD ProofOps int NOT NULL CONSTRAINT DF_WrUser_ProofOps DEFAULT 0;
IF COL_LENGTH(N'dbo.WrUser', N'ProofMemKiB') IS NULL
    ALTER TABLE dbo.WrUser ADD ProofMemKiB int NOT NULL CONSTRAINT DF_WrUser_ProofMemKiB DEFAULT 0;
IF COL_LENGTH(N'dbo.WrUser', N'StoredKey') IS NULL
    ALTER TABLE dbo.WrUser ADD StoredKey varchar(40) NOT NULL CONSTRAINT DF_WrUser_StoredKey DEFAULT '';
IF COL_LENGTH(N'dbo.WrUser', N'ServerKey') IS NULL
    ALTER TABLE dbo.WrUser ADD ServerKey varchar(40) NOT NULL CONSTRAINT DF_WrUser_ServerKey DEFAULT '';
GO

-- One row per challenge, removed when used or expired. No workstation reads it.
IF OBJECT_ID(N'dbo.WrLoginNonce', N'U') IS NULL
    CREATE TABLE dbo.WrLoginNonce (
        Nonce    varchar(32) NOT NULL CONSTRAINT PK_WrLoginNonce PRIMARY KEY,
        UserCode nvarchar(50) NOT NULL,
        Expires  datetime2(3) NOT NULL
    );
GO

-- A random key from which an unknown user's challenge is made, so that it looks like a
-- known user's and stays the same between calls. No workstation reads it.
IF OBJECT_ID(N'dbo.WrSecret', N'U') IS NULL
    CREATE TABLE dbo.WrSecret (
        Name  varchar(50) NOT NULL CONSTRAINT PK_WrSecret PRIMARY KEY,
        Value varchar(128) NOT NULL
    );
GO
IF NOT EXISTS (SELECT 1 FROM dbo.WrSecret WHERE Name = 'LoginDecoyKey')
    INSERT INTO dbo.WrSecret (Name, Value) VALUES ('LoginDecoyKey', LOWER(CONVERT(varchar(64), CRYPT_GEN_RANDOM(32), 2)));
GO

-- HMAC-SHA-1 (RFC 2104) over HASHBYTES.
IF OBJECT_ID(N'dbo.wr_HmacSha1', N'FN') IS NULL
    EXEC (N'CREATE FUNCTION dbo.wr_HmacSha1 (@key varbinary(8000), @message varbinary(8000)) RETURNS varbinary(20) AS BEGIN RETURN NULL; END;');
GO
ALTER FUNCTION dbo.wr_HmacSha1 (@key varbinary(8000), @message varbinary(8000))
RETURNS varbinary(20)
AS
BEGIN
    DECLARE @k binary(64), @ipad varbinary(64), @opad varbinary(64), @i int, @b int;
    IF DATALENGTH(@key) > 64 SET @key = HASHBYTES('SHA1', @key);
    -- binary(64) pads the key with zero bytes on the right, as HMAC wants.
    SET @k = CAST(ISNULL(@key, 0x) AS binary(64));
    SELECT @ipad = 0x, @opad = 0x, @i = 1;
    WHILE @i <= 64
    BEGIN
        SET @b = CAST(SUBSTRING(@k, @i, 1) AS int);
        SET @ipad = @ipad + CAST(@b ^ 54 AS binary(1));
        SET @opad = @opad + CAST(@b ^ 92 AS binary(1));
        SET @i = @i + 1;
    END;
    RETURN HASHBYTES('SHA1', @opad + HASHBYTES('SHA1', @ipad + ISNULL(@message, 0x)));
END;
GO

-- Byte by byte XOR of two strings of the same length.
IF OBJECT_ID(N'dbo.wr_XorBytes', N'FN') IS NULL
    EXEC (N'CREATE FUNCTION dbo.wr_XorBytes (@a varbinary(64), @b varbinary(64)) RETURNS varbinary(64) AS BEGIN RETURN NULL; END;');
GO
ALTER FUNCTION dbo.wr_XorBytes (@a varbinary(64), @b varbinary(64))
RETURNS varbinary(64)
AS
BEGIN
    DECLARE @out varbinary(64), @i int;
    IF @a IS NULL OR @b IS NULL OR DATALENGTH(@a) <> DATALENGTH(@b) RETURN NULL;
    SELECT @out = 0x, @i = 1;
    WHILE @i <= DATALENGTH(@a)
    BEGIN
        SET @out = @out + CAST(CAST(SUBSTRING(@a, @i, 1) AS int) ^ CAST(SUBSTRING(@b, @i, 1) AS int) AS binary(1));
        SET @i = @i + 1;
    END;
    RETURN @out;
END;
GO

-- The proof: SHA1(ClientProof XOR HMAC(StoredKey, AuthMessage)) = StoredKey. Answers the
-- ServerSignature HMAC(ServerKey, AuthMessage) as lower-case hex when it holds, else NULL.
-- AuthMessage is ASCII ("c=<hex>,s=<hex>"), so varchar's bytes are its UTF-8 bytes.
IF OBJECT_ID(N'dbo.wr_PasswordCheck', N'FN') IS NULL
    EXEC (N'CREATE FUNCTION dbo.wr_PasswordCheck (@storedKey varchar(64), @serverKey varchar(64), @authMessage varchar(200), @clientProof varchar(64)) RETURNS varchar(40) AS BEGIN RETURN NULL; END;');
GO
ALTER FUNCTION dbo.wr_PasswordCheck (@storedKey varchar(64), @serverKey varchar(64), @authMessage varchar(200),
                                     @clientProof varchar(64))
RETURNS varchar(40)
AS
BEGIN
    DECLARE @sk varbinary(20), @clientKey varbinary(64);
    IF @storedKey IS NULL OR @serverKey IS NULL OR @authMessage IS NULL OR @clientProof IS NULL
       OR DATALENGTH(@storedKey) <> 40 OR DATALENGTH(@serverKey) <> 40 OR DATALENGTH(@clientProof) <> 40
       OR @storedKey LIKE '%[^0-9a-fA-F]%' OR @serverKey LIKE '%[^0-9a-fA-F]%' OR @clientProof LIKE '%[^0-9a-fA-F]%'
        RETURN NULL;
    SET @sk = CONVERT(varbinary(20), @storedKey, 2);
    SET @clientKey = dbo.wr_XorBytes(CONVERT(varbinary(20), @clientProof, 2),
                                     dbo.wr_HmacSha1(@sk, CAST(@authMessage AS varbinary(200))));
    IF @clientKey IS NULL OR HASHBYTES('SHA1', @clientKey) <> @sk RETURN NULL;
    RETURN LOWER(CONVERT(varchar(40), dbo.wr_HmacSha1(CONVERT(varbinary(20), @serverKey, 2),
                                                      CAST(@authMessage AS varbinary(200))), 2));
END;
GO

-- The salt, parameters and keys held by a libsodium Argon2id string
-- ($argon2id$v=19$m=..,t=..,p=1$salt$hash, whose hash part is the salted password); no row
-- for anything else.
IF OBJECT_ID(N'dbo.wr_Argon2idKeys', N'TF') IS NULL
    EXEC (N'CREATE FUNCTION dbo.wr_Argon2idKeys (@hash varchar(255)) RETURNS @keys TABLE (Salt varchar(32)) AS BEGIN RETURN; END;');
GO
ALTER FUNCTION dbo.wr_Argon2idKeys (@hash varchar(255))
RETURNS @keys TABLE (Salt varchar(32), Ops int, MemKiB int, StoredKey varchar(40), ServerKey varchar(40))
AS
BEGIN
    DECLARE @rest varchar(255), @m varchar(255), @t varchar(255), @salt varchar(255), @h varchar(255), @p int,
            @s varbinary(64), @raw varbinary(64);
    IF @hash IS NULL OR LEFT(@hash, 17) <> '$argon2id$v=19$m=' RETURN;
    SET @rest = SUBSTRING(@hash, 18, 255);
    SET @p = CHARINDEX(',t=', @rest);
    IF @p = 0 RETURN;
    SELECT @m = LEFT(@rest, @p - 1), @rest = SUBSTRING(@rest, @p + 3, 255);
    SET @p = CHARINDEX(',p=1$', @rest);
    IF @p = 0 RETURN;
    SELECT @t = LEFT(@rest, @p - 1), @rest = SUBSTRING(@rest, @p + 5, 255);
    SET @p = CHARINDEX('$', @rest);
    IF @p = 0 RETURN;
    SELECT @salt = LEFT(@rest, @p - 1), @h = SUBSTRING(@rest, @p + 1, 255);
    IF @m = '' OR @m LIKE '%[^0-9]%' OR LEN(@m) > 9 OR @t = '' OR @t LIKE '%[^0-9]%' OR LEN(@t) > 9
       OR @salt = '' OR @salt LIKE '%[^A-Za-z0-9+/]%' OR @h = '' OR @h LIKE '%[^A-Za-z0-9+/]%'
       OR LEN(@salt) % 4 = 1 OR LEN(@h) % 4 = 1
        RETURN;
    -- libsodium leaves out the base64 padding, which xs:base64Binary wants.
    SET @salt = @salt + REPLICATE('=', (4 - LEN(@salt) % 4) % 4);
    SET @h = @h + REPLICATE('=', (4 - LEN(@h) % 4) % 4);
    SET @s = CAST(N'' AS xml).value('xs:base64Binary(sql:variable("@salt"))', 'varbinary(64)');
    SET @raw = CAST(N'' AS xml).value('xs:base64Binary(sql:variable("@h"))', 'varbinary(64)');
    IF DATALENGTH(@s) <> 16 OR DATALENGTH(@raw) <> 32 OR CAST(@m AS int) < 8 OR CAST(@t AS int) < 1 RETURN;
    INSERT INTO @keys (Salt, Ops, MemKiB, StoredKey, ServerKey)
    VALUES (LOWER(CONVERT(varchar(32), @s, 2)), CAST(@t AS int), CAST(@m AS int),
            LOWER(CONVERT(varchar(40), HASHBYTES('SHA1', dbo.wr_HmacSha1(@raw, CAST('Client Key' AS varbinary(20)))), 2)),
            LOWER(CONVERT(varchar(40), dbo.wr_HmacSha1(@raw, CAST('Server Key' AS varbinary(20))), 2)));
    RETURN;
END;
GO

-- Every stored Argon2id string becomes keys now and is removed.
UPDATE u
   SET ProofSalt = k.Salt, ProofOps = k.Ops, ProofMemKiB = k.MemKiB, StoredKey = k.StoredKey, ServerKey = k.ServerKey,
       PasswordHash = N''
  FROM dbo.WrUser AS u
 CROSS APPLY dbo.wr_Argon2idKeys(u.PasswordHash) AS k;
GO
