-- SPDX-License-Identifier: MIT
-- Text columns get the lengths SQL Server's schema gives them (nvarchar(n) there,
-- varchar(n) here), so that a value too long for the hospital's server fails here too
-- instead of being stored. GUID columns stay citext (matched without regard to case); the
-- report code checks their length before it saves.
--
-- A column that already holds a longer value keeps its type, with a notice naming it:
-- shortening it would fail, and no stored text is ever cut. Safe to run again: a column
-- that already has its length is left alone.
DO $$
DECLARE
    c record;
    current_type text;
    longest integer;
BEGIN
    FOR c IN SELECT * FROM (VALUES
        ('report', 'accnu', 100), ('report', 'nbid', 100), ('report', 'jcmethod', 500),
        ('report', 'itemname', 2000), ('report', 'itemcode', 2000), ('report', 'jcdalei', 100),
        ('report', 'jctujing', 100), ('report', 'imgquality', 100), ('report', 'tantourate', 100),
        ('report', 'tixing', 100), ('report', 'examdoctor', 50), ('report', 'examdoctorcode', 50),
        ('report', 'reportdoctor', 50), ('report', 'reportdoctorcode', 50), ('report', 'shenhedoctor', 50),
        ('report', 'shenhedoctorcode', 50), ('report', 'huizhendoctor', 50), ('report', 'huizhendoctorcode', 50),
        ('report', 'weijivalue', 500), ('report', 'jcpart', 2000), ('report', 'jcpartcode', 2000),
        ('report', 'kgjlbaseline', 50), ('report', 'kgjlkjgd', 50), ('report', 'kgjlgxtq', 50),
        ('report', 'kgjlrgyc', 50), ('report', 'kgjlgxzx', 50), ('report', 'kgjrbaseline', 50),
        ('report', 'kgjrkjgd', 50), ('report', 'kgjrgxtq', 50), ('report', 'kgjrrgyc', 50),
        ('report', 'kgjrgxzx', 50), ('report', 'kgjl_a', 50), ('report', 'kgjr_a', 50),
        ('report', 'kgjl_b', 50), ('report', 'kgjr_b', 50),
        ('csdoctor', '姓名', 50), ('csdoctor', 'kscode', 50), ('csdoctor', 'code', 50),
        ('检查途径', 'cname', 100), ('探头频率', '探头频率', 100), ('图像质量', '图像质量', 100),
        ('study', 'accnu', 100), ('study', 'patientname', 100), ('study', 'sex', 10),
        ('study', 'age', 20), ('study', 'kscode', 50), ('study', 'modality', 20),
        ('examitem', 'accnu', 100), ('examitem', 'itemcode', 100), ('examitem', 'itemname', 200),
        ('phrase', 'kind', 10), ('phrase', 'kscode', 50), ('phrase', 'code', 50),
        ('reporttemplate', 'kscode', 50), ('reporttemplate', 'category', 100), ('reporttemplate', 'name', 200),
        ('specialsymbol', 'symbol', 20)
    ) AS t(tab, col, len)
    LOOP
        SELECT format_type(a.atttypid, a.atttypmod) INTO current_type
          FROM pg_catalog.pg_attribute a
         WHERE a.attrelid = to_regclass(quote_ident(c.tab)) AND a.attname = c.col AND NOT a.attisdropped;
        -- Only plain text columns: a missing table or column, or one a site has typed
        -- otherwise, is not ours to change.
        CONTINUE WHEN current_type IS DISTINCT FROM 'text';
        EXECUTE format('SELECT max(char_length(%I)) FROM %I', c.col, c.tab) INTO longest;
        IF coalesce(longest, 0) > c.len THEN
            RAISE NOTICE '%.% keeps type text: a stored value has % characters, more than %',
                c.tab, c.col, longest, c.len;
            CONTINUE;
        END IF;
        EXECUTE format('ALTER TABLE %I ALTER COLUMN %I TYPE varchar(%s)', c.tab, c.col, c.len);
    END LOOP;
END
$$;
