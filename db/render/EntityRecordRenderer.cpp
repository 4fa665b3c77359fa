// Rendering the entity records: the entity's row with the rows it names in
// one query, then its counts (CountEntityRuns) into the count fields; many
// horses at once in two statements, their rows and all their counts.
#include "db/render/EntityRecordRenderer.h"

#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>

#include "db/base/RecordBuffer.h"
#include "db/base/Today.h"
#include "db/layout/Layouts.h"
#include "db/render/AncestorName.h"
#include "db/render/ColumnFields.h"
#include "db/render/EntityRuns.h"
#include "db/render/RenderedRecords.h"

namespace ydb {
namespace {

constexpr std::size_t kGroupSize = 4;  // firsts, seconds, thirds, unplaced

// Renders the one record of the row `st` finds (none when it finds none):
// `fill(RecordBuilder&, const Statement&)` sets the row's fields and
// answers a Status (the counts it adds may fail).
template <typename Fill>
Status RenderOne(Statement& st, const RecordLayout& layout, void** buffer, Fill&& fill) {
  RenderedRecords out(layout);
  Status s;
  if (st.step()) {
    RecordBuilder b(out.Add(), layout);
    s = fill(b, st);
    if (s.ok()) s = b.status();
  }
  if (s.ok()) s = st.status();
  st.reset();
  if (!s.ok()) return s;
  return out.Finish(buffer);
}

// Four counts into occurrences first..first+3 of a repeated count field.
void SetCounts(RecordBuilder& b, const Field& field, std::size_t first, const FinishCounts& c,
               int width) {
  for (std::size_t k = 0; k < kGroupSize; ++k) {
    b.set_digits(field, Saturated(c[k], width), first + k);
  }
}

FinishCounts Sum(const FinishCounts& a, const FinishCounts& b) {
  FinishCounts c{};
  for (std::size_t k = 0; k < kGroupSize; ++k) c[k] = a[k] + b[k];
  return c;
}

SurfaceRuns Flat(const std::array<SurfaceRuns, kSurfaces>& runs) {
  const SurfaceRuns& dirt = runs[static_cast<std::size_t>(Surface::kDirt)];
  const SurfaceRuns& turf = runs[static_cast<std::size_t>(Surface::kTurf)];
  return {Sum(dirt.counts, turf.counts), dirt.prize_money + turf.prize_money,
          dirt.added_money + turf.added_money};
}

const SurfaceRuns& Of(const std::array<SurfaceRuns, kSurfaces>& runs, Surface surface) {
  return runs[static_cast<std::size_t>(surface)];
}

int CurrentYear() { return Today() / 10000; }

// --- Horse --------------------------------------------------------------------------

enum HorseColumn : int {
  kHCode, kHName, kHBirth, kHCoat, kHBreed, kHBirthplace, kHMark, kHSex, kHSireCode, kHSireName,
  kHDamCode, kHDamName, kHDamsSireName, kHDamsDamName, kHOwner, kHOwnerShort, kHBreeder,
  kHBreederShort, kHTrainerCode, kHTrainerName, kHTrainerShort, kHTrainerPlace, kHTrainerCentre,
  kHAptitude, kHSkill,  // four columns
};

constexpr const char* kHorseSelect =
    "SELECT h.code, h.name, h.birth_date, h.coat_code, h.breed_code, h.birthplace_code, "
    "h.mark_code, h.sex, h.sire_code, " YDB_ANCESTOR_NAME("p1") ", h.dam_code, "
    YDB_ANCESTOR_NAME("p2") ", " YDB_ANCESTOR_NAME("p5") ", " YDB_ANCESTOR_NAME("p6") ", "
    "o.name, o.short_name, b.name, b.short_name, h.trainer_code, t.name, t.short_name, "
    "t.location_place, t.centre, h.distance_aptitude, h.skill_ho, h.skill_hd, h.skill_so, "
    "h.skill_sd "
    "FROM horse h "
    "LEFT JOIN pedigree p1 ON p1.horse_code = h.code AND p1.position = 1 "
    "LEFT JOIN pedigree p2 ON p2.horse_code = h.code AND p2.position = 2 "
    "LEFT JOIN pedigree p5 ON p5.horse_code = h.code AND p5.position = 5 "
    "LEFT JOIN pedigree p6 ON p6.horse_code = h.code AND p6.position = 6 "
    "LEFT JOIN owner o ON o.code = h.owner_code "
    "LEFT JOIN breeder b ON b.code = h.breeder_code "
    "LEFT JOIN trainer t ON t.code = h.trainer_code ";

struct HorseFields {
  const RecordLayout& layout = HorseLayout();
  const Field& code = FieldOf(layout, "code");
  const Field& name = FieldOf(layout, "name");
  const Field& birth_date = FieldOf(layout, "birth_date");
  const Field& color = FieldOf(layout, "color");
  const Field& breed = FieldOf(layout, "breed");
  const Field& birthplace = FieldOf(layout, "birthplace");
  const Field& mark = FieldOf(layout, "mark");
  const Field& sex = FieldOf(layout, "sex");
  const Field& age = FieldOf(layout, "age");
  const Field& sire_code = FieldOf(layout, "sire_code");
  const Field& sire_name = FieldOf(layout, "sire_name");
  const Field& dam_code = FieldOf(layout, "dam_code");
  const Field& dam_name = FieldOf(layout, "dam_name");
  const Field& dams_sire_name = FieldOf(layout, "dams_sire_name");
  const Field& dams_dam_name = FieldOf(layout, "dams_dam_name");
  const Field& owner = FieldOf(layout, "owner");
  const Field& owner_short = FieldOf(layout, "owner_short");
  const Field& breeder = FieldOf(layout, "breeder");
  const Field& breeder_short = FieldOf(layout, "breeder_short");
  const Field& trainer_code = FieldOf(layout, "trainer_code");
  const Field& trainer_name = FieldOf(layout, "trainer_name");
  const Field& trainer_short = FieldOf(layout, "trainer_short");
  const Field& stable_location = FieldOf(layout, "stable_location");
  const Field& stable_affiliation = FieldOf(layout, "stable_affiliation");
  const Field& rplize = FieldOf(layout, "rplize");
  const Field& aplize = FieldOf(layout, "aplize");
  const Field& srplize = FieldOf(layout, "srplize");
  const Field& saplize = FieldOf(layout, "saplize");
  const Field& addplize = FieldOf(layout, "addplize");
  const Field& distance_aptitude = FieldOf(layout, "distance_aptitude");
  const Field* skills[4] = {&FieldOf(layout, "skill_ho"), &FieldOf(layout, "skill_hd"),
                            &FieldOf(layout, "skill_so"), &FieldOf(layout, "skill_sd")};
  const Field& finish_counts = FieldOf(layout, "finish_counts");
};

void SetHorseRow(RecordBuilder& b, const HorseFields& f, const Statement& row) {
  CodeFrom(b, f.code, row, kHCode);
  TextFrom(b, f.name, row, kHName);
  DigitsFrom(b, f.birth_date, row, kHBirth);
  CodeFrom(b, f.color, row, kHCoat);
  CodeFrom(b, f.breed, row, kHBreed);
  CodeFrom(b, f.birthplace, row, kHBirthplace);
  CodeFrom(b, f.mark, row, kHMark);
  CodeFrom(b, f.sex, row, kHSex);
  if (!row.column_is_null(kHBirth) && row.column_int(kHBirth) > 0) {
    // The age this year, as the calendar year of birth counts it.
    b.set_digits(f.age, Saturated(CurrentYear() - row.column_int(kHBirth) / 10000, 2));
  }
  CodeFrom(b, f.sire_code, row, kHSireCode);
  TextFrom(b, f.sire_name, row, kHSireName);
  CodeFrom(b, f.dam_code, row, kHDamCode);
  TextFrom(b, f.dam_name, row, kHDamName);
  TextFrom(b, f.dams_sire_name, row, kHDamsSireName);
  TextFrom(b, f.dams_dam_name, row, kHDamsDamName);
  TextFrom(b, f.owner, row, kHOwner);
  TextFrom(b, f.owner_short, row, kHOwnerShort);
  TextFrom(b, f.breeder, row, kHBreeder);
  TextFrom(b, f.breeder_short, row, kHBreederShort);
  CodeFrom(b, f.trainer_code, row, kHTrainerCode);
  TextFrom(b, f.trainer_name, row, kHTrainerName);
  TextFrom(b, f.trainer_short, row, kHTrainerShort);
  CodeFrom(b, f.stable_location, row, kHTrainerPlace);
  CodeFrom(b, f.stable_affiliation, row, kHTrainerCentre);
  CodeFrom(b, f.distance_aptitude, row, kHAptitude);
  for (int i = 0; i < 4; ++i) CodeFrom(b, *f.skills[i], row, kHSkill + i);
}

// Groups 0 turf, 1 dirt, 2 jumps, 3-5 zero; prize money flat, jump, all.
void SetHorseCounts(RecordBuilder& b, const HorseFields& f, const EntityRunCounts& c) {
  constexpr int kWidth = 2;
  const Surface groups[] = {Surface::kTurf, Surface::kDirt, Surface::kJump};
  for (std::size_t g = 0; g < 6; ++g) {
    SetCounts(b, f.finish_counts, g * kGroupSize,
              g < 3 ? Of(c.career, groups[g]).counts : FinishCounts{}, kWidth);
  }
  const SurfaceRuns flat = Flat(c.career);
  const SurfaceRuns& jump = Of(c.career, Surface::kJump);
  constexpr int kMoney = 10;
  b.set_digits(f.rplize, Saturated(flat.prize_money, kMoney));
  b.set_digits(f.aplize, Saturated(flat.added_money, kMoney));
  b.set_digits(f.srplize, Saturated(jump.prize_money, kMoney));
  b.set_digits(f.saplize, Saturated(jump.added_money, kMoney));
  b.set_digits(f.addplize, Saturated(flat.prize_money + flat.added_money + jump.prize_money +
                                         jump.added_money, kMoney));
}

// --- Jockeys and trainers ---------------------------------------------------------------

// The count and prize fields jockeys and trainers share.
struct PersonCountFields {
  explicit PersonCountFields(const RecordLayout& l)
      : rh(FieldOf(l, "rh_counts")), rs(FieldOf(l, "rs_counts")), hh(FieldOf(l, "hh_counts")),
        hs(FieldOf(l, "hs_counts")), hhrplize(FieldOf(l, "hhrplize")),
        hhrplize2(FieldOf(l, "hhrplize2")), hsrplize(FieldOf(l, "hsrplize")),
        hsrplize2(FieldOf(l, "hsrplize2")), year(FieldOf(l, "year")) {}
  const Field &rh, &rs, &hh, &hs, &hhrplize, &hhrplize2, &hsrplize, &hsrplize2, &year;
};

// Career counts flat (rh) and jump (rs); this year's (hh, hs) with the
// year's prize and added money in thousands of yen.
void SetPersonCounts(RecordBuilder& b, const PersonCountFields& f, const EntityRunCounts& c,
                     int year) {
  SetCounts(b, f.rh, 0, Flat(c.career).counts, 5);
  SetCounts(b, f.rs, 0, Of(c.career, Surface::kJump).counts, 5);
  const SurfaceRuns flat = Flat(c.year);
  const SurfaceRuns& jump = Of(c.year, Surface::kJump);
  SetCounts(b, f.hh, 0, flat.counts, 3);
  SetCounts(b, f.hs, 0, jump.counts, 3);
  b.set_digits(f.hhrplize, Saturated(flat.prize_money / 1000, 7));
  b.set_digits(f.hhrplize2, Saturated(flat.added_money / 1000, 6));
  b.set_digits(f.hsrplize, Saturated(jump.prize_money / 1000, 7));
  b.set_digits(f.hsrplize2, Saturated(jump.added_money / 1000, 6));
  b.set_digits(f.year, year);
}

enum PersonColumn : int { kPCode, kPName, kPKana, kPShort, kPBirth, kPFirstYear, kPRest };

// The columns every person query opens with.
constexpr const char* kPersonColumns = "p.code, p.name, p.name_kana, p.short_name, p.birth_date, "
                                       "p.first_year";

struct PersonFields {
  explicit PersonFields(const RecordLayout& l)
      : code(FieldOf(l, "code")), name(FieldOf(l, "name")), kana(FieldOf(l, "kana")),
        birth_date(FieldOf(l, "birth_date")), first_year(FieldOf(l, "first_year")), counts(l) {}
  const Field &code, &name, &kana, &birth_date, &first_year;
  PersonCountFields counts;
};

void SetPersonRow(RecordBuilder& b, const PersonFields& f, const Statement& row) {
  CodeFrom(b, f.code, row, kPCode);
  TextFrom(b, f.name, row, kPName);
  TextFrom(b, f.kana, row, kPKana);
  DigitsFrom(b, f.birth_date, row, kPBirth);
  DigitsFrom(b, f.first_year, row, kPFirstYear);
}

enum JockeyColumn : int {
  kJAffiliation = kPRest, kJQualification, kJApprentice, kJStableCode, kJStableName,
  kJStableShort, kJStablePlace, kJStableCentre,
};

const std::string& JockeySql() {
  static const std::string sql = std::string("SELECT ") + kPersonColumns +
      ", p.affiliation, p.qualification, p.apprentice_code, ifnull(p.trainer_code, '00000'), "
      "t.name, t.short_name, t.location_place, t.centre "
      "FROM jockey p LEFT JOIN trainer t ON t.code = p.trainer_code WHERE p.code = ?1";
  return sql;
}

struct JockeyFields : PersonFields {
  JockeyFields() : PersonFields(JockeyLayout()) {}
  const RecordLayout& layout = JockeyLayout();
  const Field& affiliation = FieldOf(layout, "affiliation");
  const Field& qualification = FieldOf(layout, "qualification");
  const Field& apprentice = FieldOf(layout, "apprentice");
  const Field& stable_code = FieldOf(layout, "stable_code");
  const Field& stable_name = FieldOf(layout, "stable_name");
  const Field& stable_short = FieldOf(layout, "stable_short");
  const Field& stable_location = FieldOf(layout, "stable_location");
  const Field& stable_affiliation = FieldOf(layout, "stable_affiliation");
};

const std::string& StableSql() {
  static const std::string sql = std::string("SELECT ") + kPersonColumns +
      ", p.location_place, p.centre FROM trainer p WHERE p.code = ?1";
  return sql;
}

enum StableColumn : int { kSLocation = kPRest, kSCentre };

struct StableFields : PersonFields {
  StableFields() : PersonFields(StableLayout()) {}
  const RecordLayout& layout = StableLayout();
  const Field& location = FieldOf(layout, "location");
  const Field& affiliation = FieldOf(layout, "affiliation");
};

// --- Sires -----------------------------------------------------------------------------------

enum SireColumn : int {
  kSCode, kSName, kSBirthYear, kSCoat, kSBirthplace, kSSireName, kSDamName, kSAptitude,
  kSSkillHeavy, kSSkillDirt, kSDeathYear,
};

constexpr const char* kSireSql =
    "SELECT h.code, h.name, h.birth_date / 10000, h.coat_code, h.birthplace_code, "
    YDB_ANCESTOR_NAME("p1") ", " YDB_ANCESTOR_NAME("p2") ", s.distance_aptitude, s.skill_heavy, "
    "s.skill_dirt, s.death_year "
    "FROM sire s JOIN horse h ON h.code = s.code "
    "LEFT JOIN pedigree p1 ON p1.horse_code = s.code AND p1.position = 1 "
    "LEFT JOIN pedigree p2 ON p2.horse_code = s.code AND p2.position = 2 "
    "WHERE s.code = ?1";

struct SireFields {
  const RecordLayout& layout = SireLayout();
  const Field& code = FieldOf(layout, "code");
  const Field& name = FieldOf(layout, "name");
  const Field& birth_year = FieldOf(layout, "birth_year");
  const Field& color = FieldOf(layout, "color");
  const Field& birthplace = FieldOf(layout, "birthplace");
  const Field& sire_name = FieldOf(layout, "sire_name");
  const Field& dam_name = FieldOf(layout, "dam_name");
  const Field& distance_aptitude = FieldOf(layout, "distance_aptitude");
  const Field& skill_omo = FieldOf(layout, "skill_omo");
  const Field& skill_dirt = FieldOf(layout, "skill_dirt");
  const Field& death_year = FieldOf(layout, "death_year");
  const Field& offspring_counts = FieldOf(layout, "offspring_counts");
};

void SetSireRow(RecordBuilder& b, const SireFields& f, const Statement& row) {
  CodeFrom(b, f.code, row, kSCode);
  TextFrom(b, f.name, row, kSName);
  if (row.column_int(kSBirthYear) > 0) DigitsFrom(b, f.birth_year, row, kSBirthYear);
  CodeFrom(b, f.color, row, kSCoat);
  CodeFrom(b, f.birthplace, row, kSBirthplace);
  TextFrom(b, f.sire_name, row, kSSireName);
  TextFrom(b, f.dam_name, row, kSDamName);
  CodeFrom(b, f.distance_aptitude, row, kSAptitude);
  CodeFrom(b, f.skill_omo, row, kSSkillHeavy);
  CodeFrom(b, f.skill_dirt, row, kSSkillDirt);
  DigitsFrom(b, f.death_year, row, kSDeathYear);
}

// Pedigree position 5 is the dam's sire. No index leads there from the
// ancestor, so a horse that is no dam-sire costs a scan of the pedigrees;
// one that is stops at its first foal's row.
constexpr const char* kDamSireSql =
    "SELECT h.code, h.name FROM horse h WHERE h.code = ?1 AND EXISTS ("
    "SELECT 1 FROM pedigree p WHERE p.position = 5 AND p.ancestor_code = h.code)";

}  // namespace

Status RenderHorse(Database& db, std::string_view horse_code, void** buffer) {
  static const HorseFields f;
  static const std::string sql = std::string(kHorseSelect) + "WHERE h.code = ?1";
  Statement& st = db.statement(sql);
  st.bind(1, horse_code);
  return RenderOne(st, f.layout, buffer, [&](RecordBuilder& b, const Statement& row) {
    SetHorseRow(b, f, row);
    EntityRunCounts counts;
    const Status s = CountEntityRuns(db, PastRunKind::kHorse, horse_code, CurrentYear(), &counts);
    if (s.ok()) SetHorseCounts(b, f, counts);
    return s;
  });
}

Status RenderHorses(Database& db, const std::vector<std::string>& codes, void** buffer) {
  static const HorseFields f;
  static const std::string sql =
      std::string(kHorseSelect) + "WHERE h.code IN (SELECT value FROM json_each(?1))";
  // Codes are digits; any other is no horse's and is left out of the array.
  std::string json = "[";
  for (const std::string& code : codes) {
    if (code.empty() || code.find_first_not_of("0123456789") != std::string::npos) continue;
    json += (json.size() > 1 ? ",\"" : "\"") + code + "\"";
  }
  json += "]";
  std::unordered_map<std::string, EntityRunCounts> counts;
  Status s = CountHorsesRuns(db, json, CurrentYear(), &counts);
  if (!s.ok()) return s;

  // Each horse found once, in the order the store gives them, then every
  // code asked for in its place.
  RenderedRecords found(f.layout);
  std::unordered_map<std::string, std::size_t> index;
  Statement& st = db.statement(sql);
  st.bind(1, json);
  s = EachRow(st, [&](const Statement& row) {
    const std::string code(row.column_text(kHCode));
    index[code] = found.count();
    RecordBuilder b(found.Add(), f.layout);
    SetHorseRow(b, f, row);
    const auto runs = counts.find(code);
    SetHorseCounts(b, f, runs == counts.end() ? EntityRunCounts{} : runs->second);
    return b.status();
  });
  if (!s.ok()) return s;
  void* all = nullptr;
  s = found.Finish(&all);
  if (!s.ok()) return s;
  const std::unique_ptr<void, void (*)(void*)> owned(all, ReleaseRecords);
  RenderedRecords out(f.layout);
  out.Reserve(codes.size());
  for (const std::string& code : codes) {
    const auto at = index.find(code);
    if (at == index.end()) continue;
    out.AddRendered(static_cast<const unsigned char*>(all) + at->second * f.layout.size(), 1);
  }
  return out.Finish(buffer);
}

Status RenderJockey(Database& db, std::string_view jockey_code, void** buffer) {
  static const JockeyFields f;
  Statement& st = db.statement(JockeySql());
  st.bind(1, jockey_code);
  return RenderOne(st, f.layout, buffer, [&](RecordBuilder& b, const Statement& row) {
    SetPersonRow(b, f, row);
    CodeFrom(b, f.affiliation, row, kJAffiliation);
    CodeFrom(b, f.qualification, row, kJQualification);
    CodeFrom(b, f.apprentice, row, kJApprentice);
    CodeFrom(b, f.stable_code, row, kJStableCode);
    TextFrom(b, f.stable_name, row, kJStableName);
    TextFrom(b, f.stable_short, row, kJStableShort);
    CodeFrom(b, f.stable_location, row, kJStablePlace);
    CodeFrom(b, f.stable_affiliation, row, kJStableCentre);
    const int year = CurrentYear();
    EntityRunCounts counts;
    const Status s = CountEntityRuns(db, PastRunKind::kJockey, jockey_code, year, &counts);
    if (s.ok()) SetPersonCounts(b, f.counts, counts, year);
    return s;
  });
}

Status RenderStable(Database& db, std::string_view trainer_code, void** buffer) {
  static const StableFields f;
  Statement& st = db.statement(StableSql());
  st.bind(1, trainer_code);
  return RenderOne(st, f.layout, buffer, [&](RecordBuilder& b, const Statement& row) {
    SetPersonRow(b, f, row);
    CodeFrom(b, f.location, row, kSLocation);
    CodeFrom(b, f.affiliation, row, kSCentre);
    const int year = CurrentYear();
    EntityRunCounts counts;
    const Status s = CountEntityRuns(db, PastRunKind::kTrainer, trainer_code, year, &counts);
    if (s.ok()) SetPersonCounts(b, f.counts, counts, year);
    return s;
  });
}

Status RenderSire(Database& db, std::string_view sire_code, void** buffer) {
  static const SireFields f;
  Statement& st = db.statement(kSireSql);
  st.bind(1, sire_code);
  return RenderOne(st, f.layout, buffer, [&](RecordBuilder& b, const Statement& row) {
    SetSireRow(b, f, row);
    EntityRunCounts counts;
    const Status s = CountEntityRuns(db, PastRunKind::kSire, sire_code, CurrentYear(), &counts);
    if (!s.ok()) return s;
    const Surface groups[] = {Surface::kTurf, Surface::kDirt, Surface::kJump};
    for (std::size_t g = 0; g < 3; ++g) {
      SetCounts(b, f.offspring_counts, g * kGroupSize, Of(counts.career, groups[g]).counts, 4);
    }
    return s;
  });
}

Status RenderDamSire(Database& db, std::string_view horse_code, void** buffer) {
  static const Field& code = FieldOf(DamSireLayout(), "code");
  static const Field& name = FieldOf(DamSireLayout(), "name");
  Statement& st = db.statement(kDamSireSql);
  st.bind(1, horse_code);
  return RenderOne(st, DamSireLayout(), buffer, [&](RecordBuilder& b, const Statement& row) {
    CodeFrom(b, code, row, 0);
    TextFrom(b, name, row, 1);
    return Status::Ok();
  });
}

Status RenderCheckMarks(Database& db, int kind, void** buffer) {
  static const Field& code = FieldOf(DamSireLayout(), "code");
  static const Field& name = FieldOf(DamSireLayout(), "name");
  Statement& st = db.statement(
      "SELECT c.code, coalesce(h.name, j.name, t.name) FROM check_mark c "
      "LEFT JOIN horse h ON c.kind IN (1, 3) AND h.code = c.code "
      "LEFT JOIN jockey j ON c.kind = 2 AND j.code = c.code "
      "LEFT JOIN trainer t ON c.kind = 4 AND t.code = c.code "
      "WHERE c.kind = ?1 ORDER BY c.code");
  st.bind(1, kind);
  return RenderEachRow(st, DamSireLayout(), buffer, [&](RecordBuilder& b, const Statement& row) {
    CodeFrom(b, code, row, 0);
    TextFrom(b, name, row, 1);
  });
}

Status IsCheckMarked(Database& db, int kind, std::string_view code, bool* marked) {
  Statement& st = db.statement("SELECT 1 FROM check_mark WHERE kind = ?1 AND code = ?2");
  st.bind(1, kind).bind(2, code);
  *marked = st.step();
  const Status s = st.status();
  st.reset();
  return s;
}

}  // namespace ydb
