-- SPDX-License-Identifier: MIT
-- What the ultrasound machines' worklist needs beside the work list's own columns. Safe to
-- run again: the loader skips an ADD COLUMN whose column exists, the rest is IF NOT EXISTS.

-- The exam's Study Instance UID, given once by the worklist service (wr-dicomd) the first
-- time a machine is told about the exam and never changed after, so the images that come
-- back carry it.
ALTER TABLE Study ADD COLUMN StudyUid TEXT;
-- The AE title of the machine the exam is scheduled on; NULL: any machine of the room.
ALTER TABLE Study ADD COLUMN StationAet TEXT;

-- A machine asks for one day's exams: the day's rows come from this index, however long the
-- table has grown.
CREATE INDEX IF NOT EXISTS ix_Study_ExamTime ON Study (ExamTime);
