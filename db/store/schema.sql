-- The store of one data set: race days, races as cards and as results,
-- runners, odds and payouts, horses with their pedigrees, the people behind
-- them, and the user's own data (check marks, run memos, theories, bought
-- tickets). SCHEMA.md beside this file tells every column's meaning and
-- which record fields it feeds.
--
-- Conventions: dates are INTEGER YYYYMMDD; codes are TEXT in their record
-- form ('05', '0123456'); times and weights carried are INTEGER tenths;
-- odds are INTEGER tenths (odds x 10); money is INTEGER yen; texts are
-- UTF-8. NULL means "not known" or "none", never a blank code.
--
-- A CHECK lists the codes a column may hold with GLOB ('[123]') or BETWEEN,
-- never with IN of three or more: SQLite builds such a list into a
-- temporary index for every row it checks, which costs more than writing
-- the row. Two values may be an IN.
--
-- A race is keyed by (race_date, place, race_no); its 12-character race
-- code is place || date || race number. Every child of a race carries that
-- key and goes with the race.

-- --- Where the data set comes from ---------------------------------------------

-- The synthetic world a generated data set holds: the seed and the origin
-- season it is generated from, recorded by its first generation and the
-- same for every season added later. No row in a data set that was never
-- generated (imported only, or generated before the world was recorded).
CREATE TABLE generated_world (
  id     INTEGER NOT NULL PRIMARY KEY CHECK (id = 1),
  seed   TEXT NOT NULL CHECK (seed <> '' AND seed NOT GLOB '*[^0-9]*'),  -- decimal, 64 bits unsigned
  origin INTEGER NOT NULL CHECK (origin BETWEEN 1990 AND 2099)
) STRICT;

-- --- People and owners --------------------------------------------------

CREATE TABLE owner (
  code        TEXT NOT NULL PRIMARY KEY CHECK (code GLOB '[0-9][0-9][0-9][0-9][0-9][0-9]'),
  name        TEXT NOT NULL CHECK (name <> ''),
  short_name  TEXT NOT NULL,
  name_key    TEXT  -- the name as searches compare it (NULL when nothing is left of it)
) STRICT;
CREATE INDEX owner_by_name ON owner (name);

CREATE TABLE breeder (
  code        TEXT NOT NULL PRIMARY KEY
              CHECK (code GLOB '[0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9]'),
  name        TEXT NOT NULL CHECK (name <> ''),
  short_name  TEXT NOT NULL,
  name_key    TEXT  -- the name as searches compare it (NULL when nothing is left of it)
) STRICT;
CREATE INDEX breeder_by_name ON breeder (name);

CREATE TABLE trainer (
  code           TEXT NOT NULL PRIMARY KEY CHECK (code GLOB '[0-9][0-9][0-9][0-9][0-9]'),
  name           TEXT NOT NULL CHECK (name <> ''),
  name_kana      TEXT NOT NULL DEFAULT '',
  short_name     TEXT NOT NULL,
  birth_date     INTEGER,
  first_year     INTEGER,                   -- first year licensed
  centre         TEXT CHECK (centre GLOB '[123]'),  -- 1 栗東, 2 美浦南, 3 美浦北
  location_place TEXT CHECK (location_place GLOB '[0-9][0-9]'),  -- place of a trainer off the centres
  retired_date   INTEGER
) STRICT;

CREATE TABLE jockey (
  code            TEXT NOT NULL PRIMARY KEY CHECK (code GLOB '[0-9][0-9][0-9][0-9][0-9]'),
  name            TEXT NOT NULL CHECK (name <> ''),
  name_kana       TEXT NOT NULL DEFAULT '',
  short_name      TEXT NOT NULL,
  birth_date      INTEGER,
  first_year      INTEGER,                  -- first year licensed
  affiliation     TEXT CHECK (affiliation GLOB '[123]'),  -- 1 栗東 (西), 2 美浦 (東), 3 招待
  qualification   TEXT NOT NULL CHECK (qualification GLOB '[0-3]'),
  apprentice_code TEXT CHECK (apprentice_code GLOB '[123]'),  -- allowance in kg
  trainer_code    TEXT REFERENCES trainer (code),  -- NULL: freelance
  retired_date    INTEGER
) STRICT;

-- --- Horses and pedigrees -------------------------------------------------

-- Every horse with a code: racehorses, and the sires and dams of pedigrees.
CREATE TABLE horse (
  code             TEXT NOT NULL PRIMARY KEY CHECK (code GLOB '[0-9][0-9][0-9][0-9][0-9][0-9][0-9]'),
  name             TEXT NOT NULL CHECK (name <> ''),
  name_latin       TEXT NOT NULL DEFAULT '',
  birth_date       INTEGER,
  sex              TEXT NOT NULL CHECK (sex GLOB '[012]'),  -- 牡, 牝, セン
  coat_code        TEXT CHECK (coat_code GLOB '[0-9][0-9]'),
  breed_code       TEXT CHECK (breed_code GLOB '[0-9][0-9]'),
  birthplace_code  TEXT CHECK (birthplace_code GLOB '[0-9][0-9][0-9]'),
  mark_code        TEXT CHECK (mark_code GLOB '[0-9][0-9]'),
  sire_code        TEXT,                    -- copy of pedigree position 1
  dam_code         TEXT,                    -- copy of pedigree position 2
  owner_code       TEXT REFERENCES owner (code),
  breeder_code     TEXT REFERENCES breeder (code),
  trainer_code     TEXT REFERENCES trainer (code),  -- NULL: not in training
  distance_aptitude TEXT CHECK (distance_aptitude GLOB '[123]'),  -- 短, 中, 長
  skill_ho         TEXT CHECK (skill_ho GLOB '[123]'),  -- ◎, ○, △
  skill_hd         TEXT CHECK (skill_hd GLOB '[123]'),
  skill_so         TEXT CHECK (skill_so GLOB '[123]'),
  skill_sd         TEXT CHECK (skill_sd GLOB '[123]'),
  retired_date     INTEGER,
  name_key         TEXT,  -- the name as searches compare it (NULL when nothing is left of it)
  record_date      INTEGER  -- creation date of the record the horse came from; NULL: not known
) STRICT;
-- The names in order with their search keys: a name search reads the index,
-- in the order it lists the names, and a horse's row only for a name found.
CREATE INDEX horse_by_name ON horse (name, name_key);
CREATE INDEX horse_by_sire ON horse (sire_code) WHERE sire_code IS NOT NULL;
CREATE INDEX horse_by_dam ON horse (dam_code) WHERE dam_code IS NOT NULL;
CREATE INDEX horse_by_trainer ON horse (trainer_code) WHERE trainer_code IS NOT NULL;

-- Three generations: 1 sire, 2 dam, 3-6 grandparents (SS, SD, DS, DD),
-- 7-14 great-grandparents (SSS, SSD, SDS, SDD, DSS, DSD, DDS, DDD).
CREATE TABLE pedigree (
  horse_code      TEXT NOT NULL REFERENCES horse (code) ON DELETE CASCADE,
  position        INTEGER NOT NULL CHECK (position BETWEEN 1 AND 14),
  ancestor_code   TEXT CHECK (ancestor_code GLOB '[0-9][0-9][0-9][0-9][0-9][0-9][0-9]'),
  name            TEXT NOT NULL DEFAULT '',
  name_latin      TEXT NOT NULL DEFAULT '',
  foaled_in_japan INTEGER NOT NULL CHECK (foaled_in_japan IN (0, 1)),
  coat_code       TEXT CHECK (coat_code GLOB '[0-9][0-9]'),  -- parents only
  birth_year      INTEGER,                                   -- parents only
  PRIMARY KEY (horse_code, position)
) STRICT, WITHOUT ROWID;
-- The sires', dams' and dams' sires' names as pedigrees give them, for the
-- horse search by those names.
CREATE INDEX pedigree_by_sire_name ON pedigree (name) WHERE position = 1;
CREATE INDEX pedigree_by_dam_name ON pedigree (name) WHERE position = 2;
CREATE INDEX pedigree_by_dams_sire_name ON pedigree (name) WHERE position = 5;

-- A horse that stands as a sire: what its offspring records show beyond
-- the horse row.
CREATE TABLE sire (
  code              TEXT NOT NULL PRIMARY KEY REFERENCES horse (code),
  distance_aptitude TEXT CHECK (distance_aptitude GLOB '[123]'),
  skill_heavy       TEXT CHECK (skill_heavy GLOB '[123]'),
  skill_dirt        TEXT CHECK (skill_dirt GLOB '[123]'),
  death_year        INTEGER
) STRICT, WITHOUT ROWID;

-- --- Race days and races ----------------------------------------------------

-- One racecourse on one day: its meeting number (kai) and day of meeting.
CREATE TABLE meeting (
  race_date INTEGER NOT NULL,
  place     TEXT NOT NULL CHECK (place GLOB '[0-9][0-9]'),
  kai       INTEGER NOT NULL CHECK (kai BETWEEN 1 AND 99),
  kai_day   INTEGER NOT NULL CHECK (kai_day BETWEEN 1 AND 99),
  PRIMARY KEY (race_date, place)
) STRICT, WITHOUT ROWID;
CREATE UNIQUE INDEX meeting_by_kai ON meeting (place, race_date / 10000, kai, kai_day);

CREATE TABLE race (
  race_date      INTEGER NOT NULL,
  place          TEXT NOT NULL,
  race_no        INTEGER NOT NULL CHECK (race_no BETWEEN 1 AND 12),
  has_result     INTEGER NOT NULL DEFAULT 0 CHECK (has_result IN (0, 1)),
  runner_count   INTEGER NOT NULL DEFAULT 0,  -- rows in runner, kept by the writer
  edition        INTEGER NOT NULL DEFAULT 0 CHECK (edition BETWEEN 0 AND 999),
  name           TEXT NOT NULL DEFAULT '',
  grade          TEXT CHECK (grade GLOB '[0-5]'),  -- G1 G2 G3 JG1 JG2 JG3
  condition_text TEXT NOT NULL DEFAULT '',
  weight_rule1   TEXT CHECK (length(weight_rule1) = 2),
  weight_rule2   TEXT CHECK (length(weight_rule2) = 2),
  race_kind      TEXT NOT NULL CHECK (length(race_kind) = 1),  -- age condition; '0' jump
  class_code     TEXT NOT NULL CHECK (length(class_code) = 5),
  track_code     TEXT NOT NULL CHECK (track_code IN ('0', '1')),  -- 0 dirt, 1 turf
  direction      TEXT CHECK (direction GLOB '[012]'),       -- 右, 左, 直
  inner_outer    TEXT CHECK (inner_outer GLOB '[0-6]'),
  rail           TEXT CHECK (rail GLOB '[0-5]'),                  -- A B C D A1 A2
  distance       INTEGER NOT NULL CHECK (distance BETWEEN 100 AND 9999),
  -- 0 dirt, 1 turf, 2 jump: the surface the searches and the theory engine use.
  surface        TEXT NOT NULL GENERATED ALWAYS AS
                   (CASE WHEN race_kind = '0' THEN '2' ELSE track_code END) STORED,
  post_time      INTEGER,                    -- HHMM
  symbol_code    TEXT CHECK (length(symbol_code) <= 5),
  prize_1        INTEGER NOT NULL DEFAULT 0,
  prize_2        INTEGER NOT NULL DEFAULT 0,
  prize_3        INTEGER NOT NULL DEFAULT 0,
  prize_4        INTEGER NOT NULL DEFAULT 0,
  prize_5        INTEGER NOT NULL DEFAULT 0,
  added_money    INTEGER NOT NULL DEFAULT 0,  -- the winner's share of the added money
  forecast_time  INTEGER,                     -- card: expected winning time
  forecast_last_600 INTEGER,                  -- card: expected last 600 m
  going          TEXT CHECK (going GLOB '[0-3]'),    -- 良 稍 重 不
  weather        TEXT CHECK (weather GLOB '[0-5]'),  -- 晴 曇 雨 小雨 雪 風
  pace           TEXT CHECK (pace GLOB '[0-2]'),     -- H M S; expected until run
  time_first_600  INTEGER,
  time_first_800  INTEGER,
  time_first_1000 INTEGER,
  time_last_800   INTEGER,
  time_last_600   INTEGER,
  time_last_mile  INTEGER,                    -- jump races: the last 1600 m
  comment        TEXT NOT NULL DEFAULT '',    -- lines separated by LF
  PRIMARY KEY (race_date, place, race_no),
  FOREIGN KEY (race_date, place) REFERENCES meeting (race_date, place)
) STRICT, WITHOUT ROWID;
CREATE INDEX race_by_course ON race (place, surface, distance, race_date);
CREATE INDEX race_by_name ON race (name, race_date);
CREATE INDEX race_by_grade ON race (grade, race_date) WHERE grade IS NOT NULL;

-- Lap times in running order, 200 m each; when distance / 100 is odd the
-- first lap is 100 m.
CREATE TABLE race_lap (
  race_date INTEGER NOT NULL,
  place     TEXT NOT NULL,
  race_no   INTEGER NOT NULL,
  lap_no    INTEGER NOT NULL CHECK (lap_no >= 1),
  time      INTEGER NOT NULL CHECK (time > 0),
  PRIMARY KEY (race_date, place, race_no, lap_no),
  FOREIGN KEY (race_date, place, race_no) REFERENCES race ON DELETE CASCADE
) STRICT, WITHOUT ROWID;

-- Passing orders at the corners and jumps, in running order.
CREATE TABLE race_corner (
  race_date     INTEGER NOT NULL,
  place         TEXT NOT NULL,
  race_no       INTEGER NOT NULL,
  seq           INTEGER NOT NULL CHECK (seq BETWEEN 1 AND 9),
  qualifier     TEXT CHECK (qualifier GLOB '[1-4]'),  -- 逆, １周, 逆１周, 右
  position_code INTEGER NOT NULL CHECK (position_code BETWEEN 0 AND 13),
  passing_order TEXT NOT NULL CHECK (passing_order <> ''),
  PRIMARY KEY (race_date, place, race_no, seq),
  FOREIGN KEY (race_date, place, race_no) REFERENCES race ON DELETE CASCADE
) STRICT, WITHOUT ROWID;

-- The three reference times of the card: slot 1 with its kind, slots 2
-- and 3 with the place where they were run.
CREATE TABLE race_reference_time (
  race_date      INTEGER NOT NULL,
  place          TEXT NOT NULL,
  race_no        INTEGER NOT NULL,
  slot           INTEGER NOT NULL CHECK (slot BETWEEN 1 AND 3),
  kind           TEXT CHECK (kind GLOB '[012]'),  -- slot 1: 基準, レコード, 参考
  run_date       INTEGER NOT NULL,
  time           INTEGER NOT NULL CHECK (time > 0),
  horse_name     TEXT NOT NULL,
  weight_carried INTEGER NOT NULL,
  jockey_name    TEXT NOT NULL,
  run_place      TEXT CHECK (run_place GLOB '[0-9][0-9]'),
  PRIMARY KEY (race_date, place, race_no, slot),
  FOREIGN KEY (race_date, place, race_no) REFERENCES race ON DELETE CASCADE,
  CHECK ((slot = 1) = (kind IS NOT NULL))
) STRICT, WITHOUT ROWID;

-- --- Runners ------------------------------------------------------------------

-- One horse in one race. Clustered by horse and date: a horse's runs are
-- one range of the table. sire_code and bms_code copy the horse's pedigree (positions 1 and 5);
-- the writer keeps them in step when a race or a horse is written.
CREATE TABLE runner (
  horse_code      TEXT NOT NULL REFERENCES horse (code),
  race_date       INTEGER NOT NULL,
  place           TEXT NOT NULL,
  race_no         INTEGER NOT NULL,
  horse_no        INTEGER NOT NULL CHECK (horse_no BETWEEN 1 AND 28),
  frame_no        INTEGER NOT NULL CHECK (frame_no BETWEEN 1 AND 8),
  post_no         INTEGER CHECK (post_no BETWEEN 1 AND 28),  -- NULL: its own stall
  sex             TEXT NOT NULL CHECK (sex GLOB '[012]'),
  age             INTEGER NOT NULL CHECK (age BETWEEN 1 AND 99),
  jockey_code     TEXT REFERENCES jockey (code),
  apprentice_code TEXT CHECK (apprentice_code GLOB '[123]'),
  weight_carried  INTEGER NOT NULL CHECK (weight_carried BETWEEN 1 AND 999),
  blinkers        INTEGER NOT NULL DEFAULT 0 CHECK (blinkers IN (0, 1)),
  trainer_code    TEXT NOT NULL REFERENCES trainer (code),
  owner_code      TEXT REFERENCES owner (code),
  body_weight     INTEGER CHECK (body_weight BETWEEN 1 AND 999),
  weight_change   INTEGER CHECK (weight_change BETWEEN -99 AND 99),
  prediction_mark TEXT CHECK (prediction_mark GLOB '[0-9]'),
  training_marks  TEXT CHECK (length(training_marks) = 3),
  sire_code       TEXT,
  bms_code        TEXT,
  -- The result; NULL while the race has not been run.
  finish_pos      INTEGER CHECK (finish_pos BETWEEN 0 AND 28),  -- 0: not placed
  arrival_order   INTEGER CHECK (arrival_order BETWEEN 0 AND 28),
  accident_code   TEXT CHECK (accident_code GLOB '3[1-6]'),
  time            INTEGER CHECK (time BETWEEN 1 AND 5999),
  margin_lengths  INTEGER CHECK (margin_lengths BETWEEN 0 AND 99),
  margin_code     TEXT CHECK (margin_code GLOB '[0-8]'),
  margin_time     INTEGER CHECK (margin_time BETWEEN 0 AND 997),
  corner_1        INTEGER CHECK (corner_1 BETWEEN 0 AND 99),
  corner_2        INTEGER CHECK (corner_2 BETWEEN 0 AND 99),
  corner_3        INTEGER CHECK (corner_3 BETWEEN 0 AND 99),
  corner_4        INTEGER CHECK (corner_4 BETWEEN 0 AND 99),
  straight_path   TEXT CHECK (straight_path GLOB '[0-4]'),  -- 最内 内 中 外 大外
  first_600       INTEGER CHECK (first_600 BETWEEN 1 AND 999),
  last_600        INTEGER CHECK (last_600 BETWEEN 1 AND 999),
  popularity      INTEGER CHECK (popularity BETWEEN 1 AND 99),
  win_odds        INTEGER CHECK (win_odds BETWEEN 10 AND 99999),
  speed_index     INTEGER CHECK (speed_index BETWEEN 0 AND 999),
  prize_money     INTEGER NOT NULL DEFAULT 0,
  added_money     INTEGER NOT NULL DEFAULT 0,
  PRIMARY KEY (horse_code, race_date),
  FOREIGN KEY (race_date, place, race_no) REFERENCES race ON DELETE CASCADE
) STRICT, WITHOUT ROWID;
CREATE UNIQUE INDEX runner_by_race ON runner (race_date, place, race_no, horse_no);
-- The entries of a range of races, read from the index alone: what the
-- theory engine reads of each runner of a season, and whether it started.
-- Every runner has a number; the condition keeps the index to the range
-- reads, which state it, and the reads of one race to runner_by_race.
CREATE INDEX runner_entry_by_race ON runner (race_date, place, race_no, horse_no, frame_no,
  horse_code, weight_carried, jockey_code, trainer_code, prediction_mark, training_marks,
  accident_code) WHERE horse_no > 0;
CREATE INDEX runner_by_owner ON runner (owner_code) WHERE owner_code IS NOT NULL;
-- A jockey's rides and a trainer's runners, for the cross searches that
-- start from people (a sire's offspring are found through horse_by_sire).
CREATE INDEX runner_by_jockey ON runner (jockey_code) WHERE jockey_code IS NOT NULL;
CREATE INDEX runner_by_trainer ON runner (trainer_code);

-- The past-run records (PASTRUNREC) of every run, rendered by the writer
-- when it writes the run's race and filed in buckets, so that each
-- past-run fetch is one range of this table: a horse's runs in one row
-- (month 0), a jockey's, trainer's, sire's or course's runs in one row per
-- month. A bucket's records are in race order (date, racecourse, race
-- number, horse number); race_nos holds the race number of each, which with
-- the record's own date, racecourse and horse number keys the run when the
-- writer files or withdraws it. The writer keeps every bucket in step with
-- the runner, race, meeting and horse rows its records come from.
CREATE TABLE past_run_bucket (
  kind     INTEGER NOT NULL CHECK (kind BETWEEN 1 AND 5),  -- 1 horse 2 jockey 3 trainer 4 sire 5 course
  code     TEXT NOT NULL,     -- the entity's code; a course's: place || surface || 4-digit distance
  month    INTEGER NOT NULL,  -- YYYYMM of the runs; 0 for a horse's one row
  race_nos BLOB NOT NULL,     -- one byte per record
  records  BLOB NOT NULL,     -- 94 bytes per record
  PRIMARY KEY (kind, code, month),
  CHECK (length(records) = 94 * length(race_nos) AND length(race_nos) > 0)
) STRICT, WITHOUT ROWID;

-- The finishing counts and prize money of every horse's runs, jockey's
-- rides, trainer's runners, sire's offspring's runs and dam's sire's
-- grandoffspring's runs, by year and surface, kept by the writer in step
-- with the runner rows, so that an entity's figures are a few rows, not a
-- walk over its runs. A
-- run is a runner with a result that started (accidents 34 and 35 are not).
CREATE TABLE entity_total (
  kind        INTEGER NOT NULL CHECK (kind BETWEEN 1 AND 6 AND kind <> 5),  -- 1 horse 2 jockey 3 trainer 4 sire 6 dam's sire
  code        TEXT NOT NULL,
  year        INTEGER NOT NULL,
  surface     INTEGER NOT NULL CHECK (surface BETWEEN 0 AND 2),  -- race.surface
  firsts      INTEGER NOT NULL,
  seconds     INTEGER NOT NULL,
  thirds      INTEGER NOT NULL,
  unplaced    INTEGER NOT NULL,  -- every other finish, a horse that did not finish included
  prize_money INTEGER NOT NULL,  -- yen
  added_money INTEGER NOT NULL,  -- yen
  PRIMARY KEY (kind, code, year, surface)
) STRICT, WITHOUT ROWID;

-- The results record of every run race, rendered by the writer whenever a
-- transaction writes a race of its racecourse and day, so that the results
-- of a race or of a racecourse's day are read as stored. A rowid table: a
-- record (2326 bytes) stays on its page.
CREATE TABLE result_record (
  race_date INTEGER NOT NULL,
  place     TEXT NOT NULL,
  race_no   INTEGER NOT NULL,
  record    BLOB NOT NULL,
  PRIMARY KEY (race_date, place, race_no),
  FOREIGN KEY (race_date, place, race_no) REFERENCES race ON DELETE CASCADE
) STRICT;

-- Every runner of every run race, scratched ones included, as its runner
-- result record (659 bytes) renders it, kept in step with result_record:
-- a race's runners are one range of the key, and a run found by its key
-- (a past-run bucket's, a runner row's) is one seek. Without rowid, so
-- that the record lies beside its key.
CREATE TABLE runner_result_record (
  race_date INTEGER NOT NULL,
  place     TEXT NOT NULL,
  race_no   INTEGER NOT NULL,
  horse_no  INTEGER NOT NULL,
  record    BLOB NOT NULL,
  PRIMARY KEY (race_date, place, race_no, horse_no),
  FOREIGN KEY (race_date, place, race_no) REFERENCES race ON DELETE CASCADE
) STRICT, WITHOUT ROWID;

-- Comments on a horse's run: kind 0 the run comment (race data, replaced
-- with its race), kind 1 the user's memo (kept when the race is rewritten).
CREATE TABLE run_comment (
  race_date  INTEGER NOT NULL,
  place      TEXT NOT NULL,
  race_no    INTEGER NOT NULL,
  horse_code TEXT NOT NULL,
  kind       INTEGER NOT NULL CHECK (kind IN (0, 1)),
  text       TEXT NOT NULL CHECK (text <> ''),
  PRIMARY KEY (race_date, place, race_no, horse_code, kind),
  FOREIGN KEY (race_date, place, race_no) REFERENCES race ON DELETE CASCADE
) STRICT, WITHOUT ROWID;

-- Horses nominated for a race before the draw, in nomination order.
CREATE TABLE nomination (
  race_date       INTEGER NOT NULL,
  place           TEXT NOT NULL,
  race_no         INTEGER NOT NULL,
  entry_no        INTEGER NOT NULL CHECK (entry_no BETWEEN 1 AND 128),
  horse_code      TEXT NOT NULL REFERENCES horse (code),
  trainer_code    TEXT NOT NULL REFERENCES trainer (code),
  jockey_code     TEXT REFERENCES jockey (code),
  weight_carried  INTEGER CHECK (weight_carried BETWEEN 1 AND 999),
  prediction_mark TEXT CHECK (prediction_mark GLOB '[0-9]'),
  training_marks  TEXT CHECK (length(training_marks) = 3),
  PRIMARY KEY (race_date, place, race_no, entry_no),
  FOREIGN KEY (race_date, place, race_no) REFERENCES race ON DELETE CASCADE
) STRICT, WITHOUT ROWID;
CREATE UNIQUE INDEX nomination_by_horse ON nomination (race_date, place, race_no, horse_code);

-- --- Odds and payouts -----------------------------------------------------------
-- Pools are numbered as on bought tickets: 1 単勝 win, 2 複勝 place,
-- 3 枠連 bracket quinella, 4 馬連 quinella, 5 ワイド wide. `first` and
-- `second` are horse numbers (frame numbers for pool 3); `second` is 0 for
-- pools 1 and 2.

-- A race has at most one set of odds before the result (final = 0:
-- forecast or advance-sale) and one final set (final = 1).
CREATE TABLE odds_set (
  race_date INTEGER NOT NULL,
  place     TEXT NOT NULL,
  race_no   INTEGER NOT NULL,
  final     INTEGER NOT NULL CHECK (final IN (0, 1)),
  kind      TEXT CHECK (kind IN ('0', '1')),  -- 0 予想オッズ, 1 前売りオッズ; NULL when final
  announced INTEGER CHECK (announced BETWEEN 0 AND 2359),  -- HHMM: advance-sale or final odds
  runners   INTEGER NOT NULL CHECK (runners BETWEEN 1 AND 28),  -- the field the odds were made for
  PRIMARY KEY (race_date, place, race_no, final),
  FOREIGN KEY (race_date, place, race_no) REFERENCES race ON DELETE CASCADE,
  CHECK ((final = 1) = (kind IS NULL)),
  CHECK (kind IS NULL OR (kind = '1') = (announced IS NOT NULL))
) STRICT, WITHOUT ROWID;

-- The odds of one pool of one set, packed: one little-endian int32 per
-- combination of the field in the pool's order (two for place and wide:
-- the low and high end of the range). See OddsBlob.h for the order and the
-- values that stand for the marks '*', '-' and '/'.
CREATE TABLE odds (
  race_date INTEGER NOT NULL,
  place     TEXT NOT NULL,
  race_no   INTEGER NOT NULL,
  final     INTEGER NOT NULL,
  pool      INTEGER NOT NULL CHECK (pool BETWEEN 1 AND 5),
  packed    BLOB NOT NULL,
  PRIMARY KEY (race_date, place, race_no, final, pool),
  FOREIGN KEY (race_date, place, race_no, final) REFERENCES odds_set ON DELETE CASCADE
) STRICT, WITHOUT ROWID;

-- Payouts per 100-yen ticket. Several entries of one pool are dead heats
-- (or the three places and three wide pairs); seq keeps their order.
CREATE TABLE payout (
  race_date  INTEGER NOT NULL,
  place      TEXT NOT NULL,
  race_no    INTEGER NOT NULL,
  pool       INTEGER NOT NULL CHECK (pool BETWEEN 1 AND 5),
  seq        INTEGER NOT NULL CHECK (seq BETWEEN 1 AND 7),
  first      INTEGER NOT NULL CHECK (first BETWEEN 1 AND 28),
  second     INTEGER NOT NULL CHECK (second BETWEEN 0 AND 28),
  amount     INTEGER NOT NULL CHECK (amount > 0),
  popularity INTEGER CHECK (popularity >= 1),
  PRIMARY KEY (race_date, place, race_no, pool, seq),
  FOREIGN KEY (race_date, place, race_no) REFERENCES race ON DELETE CASCADE
) STRICT, WITHOUT ROWID;
CREATE UNIQUE INDEX payout_by_combination ON payout (race_date, place, race_no, pool, first, second);
CREATE INDEX payout_by_amount ON payout (pool, amount);

-- --- The user's data -------------------------------------------------------------

-- Check marks: kind 1 horse, 2 jockey, 3 sire, 4 stable (trainer).
CREATE TABLE check_mark (
  kind INTEGER NOT NULL CHECK (kind BETWEEN 1 AND 4),
  code TEXT NOT NULL,
  PRIMARY KEY (kind, code),
  CHECK (length(code) = CASE WHEN kind IN (1, 3) THEN 7 ELSE 5 END)
) STRICT, WITHOUT ROWID;

-- Theories: a title and up to eight weighted factors.
CREATE TABLE theory (
  code     INTEGER PRIMARY KEY AUTOINCREMENT,
  title    TEXT NOT NULL,
  reserved INTEGER NOT NULL DEFAULT 0
) STRICT;

CREATE TABLE theory_item (
  theory_code INTEGER NOT NULL REFERENCES theory (code) ON DELETE CASCADE,
  slot        INTEGER NOT NULL CHECK (slot BETWEEN 0 AND 7),
  item_no     INTEGER NOT NULL,
  weight      INTEGER NOT NULL,
  param_0     INTEGER NOT NULL,
  param_1     INTEGER NOT NULL,
  param_2     INTEGER NOT NULL,
  PRIMARY KEY (theory_code, slot)
) STRICT, WITHOUT ROWID;

-- Bought tickets. state 0 committed, 1 added and not yet committed,
-- 2 committed and deleted but not yet committed. Commit drops state 2 and
-- makes state 1 committed; rollback drops state 1 and restores state 2.
CREATE TABLE ticket (
  id        INTEGER PRIMARY KEY,
  race_date INTEGER NOT NULL,
  place     TEXT NOT NULL,
  race_no   INTEGER NOT NULL,
  bet_type  INTEGER NOT NULL CHECK (bet_type BETWEEN 1 AND 5),  -- 単勝 複勝 枠連 馬連 ワイド
  first     INTEGER NOT NULL CHECK (first BETWEEN 1 AND 28),
  second    INTEGER NOT NULL CHECK (second BETWEEN 0 AND 28),
  count     INTEGER NOT NULL CHECK (count BETWEEN 1 AND 9999),
  state     INTEGER NOT NULL CHECK (state BETWEEN 0 AND 2),
  FOREIGN KEY (race_date, place, race_no) REFERENCES race
) STRICT;
CREATE INDEX ticket_by_race ON ticket (race_date, place, race_no);
CREATE INDEX ticket_pending ON ticket (state) WHERE state <> 0;
