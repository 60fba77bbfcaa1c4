-- The school server of Gonioma: one database per school, holding the answers
-- sent by every classroom computer and the class lists.
--
-- Run it as the database's owner or a superuser, in the school's database:
--   psql -d gonioma -v ON_ERROR_STOP=1 -v classroom_password=SECRET -f server-setup.sql
-- Optional variables: classroom_role (default gonioma_classroom) and
-- teacher_role (default gonioma_teacher). Running it again changes nothing
-- but the classroom role's password, so it may be run after each upgrade.
--
-- Two roles:
--   the classroom role (LOGIN) may only add answers, report how many answers
--     wait on a computer, and read the class lists. Its password lies on every
--     classroom computer, so it can read, change or delete no answer.
--   the teacher role (NOLOGIN) is a group: each teacher logs in with a role of
--     his or her own made a member of it, and may read everything here and
--     keep the class lists.

\set ON_ERROR_STOP on
\if :{?classroom_role}
\else
  \set classroom_role gonioma_classroom
\endif
\if :{?teacher_role}
\else
  \set teacher_role gonioma_teacher
\endif
\if :{?classroom_password}
\else
  DO $$ BEGIN RAISE EXCEPTION 'give the classroom role a password: -v classroom_password=...'; END $$;
\endif

BEGIN;

-- Roles are shared by the databases of a server: made only when missing.
SELECT format('CREATE ROLE %I LOGIN', :'classroom_role')
 WHERE NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = :'classroom_role') \gexec
SELECT format('CREATE ROLE %I NOLOGIN', :'teacher_role')
 WHERE NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = :'teacher_role') \gexec
SELECT format('ALTER ROLE %I LOGIN NOSUPERUSER NOCREATEDB NOCREATEROLE PASSWORD %L',
              :'classroom_role', :'classroom_password') \gexec

CREATE SCHEMA IF NOT EXISTS gonioma;

-- One row per answer: the id made where it was answered is the key, so an
-- answer sent twice (its acknowledgement lost) is kept once.
CREATE TABLE IF NOT EXISTS gonioma.answers (
    id             uuid PRIMARY KEY,
    answered_at    timestamptz NOT NULL,
    pupil          text NOT NULL,
    exercise       text NOT NULL,
    question       text NOT NULL DEFAULT '',
    answer         text NOT NULL DEFAULT '',
    is_right       boolean NOT NULL,
    attempt        integer NOT NULL CHECK (attempt >= 1),
    seconds_shown  double precision NOT NULL DEFAULT 0,
    language       text NOT NULL DEFAULT '',
    round          text NOT NULL DEFAULT '',
    class          text NOT NULL DEFAULT '',
    computer       text NOT NULL DEFAULT '',
    received_at    timestamptz NOT NULL DEFAULT clock_timestamp()
);
CREATE INDEX IF NOT EXISTS answers_pupil_exercise ON gonioma.answers (pupil, exercise, answered_at);
CREATE INDEX IF NOT EXISTS answers_class ON gonioma.answers (class);
CREATE INDEX IF NOT EXISTS answers_time ON gonioma.answers (answered_at, id);

-- The class lists, in the teacher's order.
CREATE TABLE IF NOT EXISTS gonioma.class_lists (
    class     text NOT NULL,
    pupil     text NOT NULL,
    position  integer NOT NULL DEFAULT 0,
    PRIMARY KEY (class, pupil)
);

-- What each computer account last said about the answers it has not sent yet.
CREATE TABLE IF NOT EXISTS gonioma.computers (
    computer     text NOT NULL,
    account      text NOT NULL,
    class        text NOT NULL DEFAULT '',
    unsent       integer NOT NULL DEFAULT 0,
    reported_at  timestamptz NOT NULL DEFAULT clock_timestamp(),
    PRIMARY KEY (computer, account)
);

-- The one way the classroom role writes to that table: its own line.
CREATE OR REPLACE FUNCTION gonioma.report_unsent(p_computer text, p_account text, p_class text, p_unsent integer)
RETURNS void LANGUAGE sql SECURITY DEFINER SET search_path = pg_catalog, gonioma AS $$
    INSERT INTO gonioma.computers (computer, account, class, unsent, reported_at)
    VALUES (left(p_computer, 200), left(p_account, 200), left(p_class, 200), greatest(p_unsent, 0), clock_timestamp())
    ON CONFLICT (computer, account) DO UPDATE
        SET class = EXCLUDED.class, unsent = EXCLUDED.unsent, reported_at = EXCLUDED.reported_at
$$;

-- Privileges, given afresh on every run.
REVOKE ALL ON SCHEMA gonioma FROM PUBLIC;
REVOKE ALL ON ALL TABLES IN SCHEMA gonioma FROM PUBLIC;
REVOKE ALL ON FUNCTION gonioma.report_unsent(text, text, text, integer) FROM PUBLIC;
SELECT format('REVOKE ALL ON ALL TABLES IN SCHEMA gonioma FROM %I', r)
  FROM unnest(ARRAY[:'classroom_role', :'teacher_role']) AS r \gexec

SELECT format('GRANT USAGE ON SCHEMA gonioma TO %I, %I', :'classroom_role', :'teacher_role') \gexec
SELECT format('GRANT INSERT ON gonioma.answers TO %I', :'classroom_role') \gexec
SELECT format('GRANT SELECT ON gonioma.class_lists TO %I', :'classroom_role') \gexec
SELECT format('GRANT EXECUTE ON FUNCTION gonioma.report_unsent(text, text, text, integer) TO %I', :'classroom_role') \gexec
SELECT format('GRANT SELECT ON ALL TABLES IN SCHEMA gonioma TO %I', :'teacher_role') \gexec
SELECT format('GRANT INSERT, UPDATE, DELETE ON gonioma.class_lists TO %I', :'teacher_role') \gexec
-- Forgetting a pupil is the teacher's to do.
SELECT format('GRANT DELETE ON gonioma.answers TO %I', :'teacher_role') \gexec
SELECT format('GRANT CONNECT ON DATABASE %I TO %I, %I', current_database(), :'classroom_role', :'teacher_role') \gexec

COMMIT;
