// Layouts of the entity records: pedigree, horse, jockey, stable, sire, the
// code-and-name record of dam-sires and the sire-code record of a horse.
//
// Finishing counts come in groups of four, in the order wins, seconds,
// thirds, unplaced; a repeated count field holds every group, so count k of
// group g is at index g * 4 + k.
#include "db/layout/Layouts.h"

#include <utility>

namespace ydb {

namespace {

using F = Field;

// Jockeys and stables open with the same 101 bytes.
std::vector<Field> PersonFields(std::vector<Field> rest) {
  std::vector<Field> fields = {
      F::Code("code", 0, 5, "code"),
      F::Text("name", 5, 32, "name"),
      F::Text("kana", 37, 48, "name in kana"),
      F::Digits("birth_date", 93, 8, "date of birth YYYYMMDD"),
  };
  for (Field& f : rest) fields.push_back(std::move(f));
  return fields;
}

}  // namespace

const RecordLayout& PedigreeLayout() {
  // Two parents 84 bytes apart (sire, dam), then twelve further ancestors
  // 42 bytes apart: the sire's sire, sire's dam, dam's sire, dam's dam, then
  // the eight great-grandparents in the same order, each generation read
  // sire's side first. An origin flag '1' is a horse foaled in Japan, '0'
  // an imported one (shown with "*"); an ancestor not known has blank names
  // and the flag '1', so that it carries no mark.
  static const RecordLayout layout("PEDREC", 709, {
      F::Code("horse_code", 0, 7, "horse code"),
      F::Text("horse_name", 7, 30, "horse name"),
      F::Code("parent_origin", 37, 1, "parent's origin flag (0 sire, 1 dam)").Repeat(2, 84),
      F::Text("parent_name", 45, 34, "parent's name in katakana").Repeat(2, 84),
      F::Text("parent_latin_name", 79, 34, "parent's name in Latin letters").Repeat(2, 84),
      F::Digits("parent_birth_year", 113, 4,
                "parent's year of birth (the four-character text); blank when not known")
          .Repeat(2, 84),
      F::Code("parent_color", 117, 2, "parent's coat-colour code").Repeat(2, 84),
      F::Code("ancestor_origin", 205, 1, "ancestor's origin flag (index 0-11)").Repeat(12, 42),
      F::Text("ancestor_name", 213, 34,
              "ancestor's name in katakana; in Latin letters when it has none")
          .Repeat(12, 42),
  });
  return layout;
}

const RecordLayout& HorseLayout() {
  static const RecordLayout layout("YDBUMAREC", 593, {
      F::Code("code", 0, 7, "horse code"),
      F::Text("name", 7, 30, "horse name"),
      F::Digits("birth_date", 77, 8, "date of birth YYYYMMDD"),
      F::Code("color", 85, 2, "coat colour code"),
      F::Code("breed", 87, 2, "breed code"),
      F::Code("birthplace", 89, 3, "birthplace code"),
      F::Code("mark", 92, 2, "horse mark code"),
      F::Code("sex", 94, 1, "sex code, a digit; blank when unknown"),
      F::Digits("age", 95, 2, "age"),
      F::Code("sire_code", 97, 7, "sire's horse code"),
      F::Text("sire_name", 104, 34, "sire's name"),
      F::Code("dam_code", 138, 7, "dam's horse code"),
      F::Text("dam_name", 145, 34, "dam's name"),
      F::Text("dams_sire_name", 186, 34, "dam's sire's name"),
      F::Text("dams_dam_name", 227, 34, "dam's dam's name"),
      F::Text("owner", 261, 40, "owner name"),
      F::Text("owner_short", 301, 20, "owner name, short form"),
      F::Text("breeder", 321, 40, "breeder name"),
      F::Text("breeder_short", 361, 20, "breeder name, short form"),
      F::Code("trainer_code", 381, 5, "trainer (stable) code"),
      F::Text("trainer_name", 386, 32, "trainer name"),
      F::Text("trainer_short", 418, 8, "trainer name, short form"),
      F::Code("stable_location", 426, 2, "stable location field"),
      F::Code("stable_affiliation", 428, 1, "stable affiliation code"),
      F::Digits("rplize", 462, 10, "prize money rplize, yen (the number reads 6 digits)"),
      F::Digits("aplize", 472, 10, "prize money aplize, yen"),
      F::Digits("srplize", 482, 10, "prize money srplize, yen"),
      F::Digits("saplize", 492, 10, "prize money saplize, yen"),
      F::Digits("addplize", 502, 10, "prize money addplize, yen"),
      F::Code("distance_aptitude", 512, 1, "distance aptitude code"),
      F::Code("skill_ho", 513, 1, "skill code ho"),
      F::Code("skill_hd", 514, 1, "skill code hd"),
      F::Code("skill_so", 515, 1, "skill code so"),
      F::Code("skill_sd", 516, 1, "skill code sd"),
      F::Digits("finish_counts", 537, 2,
                "six groups of four finishing counts, always summed together").Repeat(24, 2),
  });
  return layout;
}

const RecordLayout& JockeyLayout() {
  // Groups rh and rs are career counts; hh, hs and the prize money belong
  // to the year in `year`.
  static const RecordLayout layout("JOCKEYREC", 257, PersonFields({
      F::Digits("first_year", 101, 4, "first year licensed"),
      F::Code("affiliation", 105, 1, "affiliation code: '1', '2', '3' or blank"),
      F::Code("qualification", 108, 1, "riding qualification code '0' to '3'"),
      F::Code("apprentice", 109, 1, "apprentice code: '1', '2', '3'; blank when none"),
      F::Code("stable_code", 110, 5, "stable (trainer) code; \"00000\" when none"),
      F::Text("stable_name", 115, 32, "stable name"),
      F::Text("stable_short", 147, 8, "stable name, short form"),
      F::Code("stable_location", 155, 2, "stable location field"),
      F::Code("stable_affiliation", 157, 1, "stable affiliation code"),
      F::Digits("rh_counts", 159, 5, "counts of group rh").Repeat(4, 5),
      F::Digits("rs_counts", 179, 5, "counts of group rs").Repeat(4, 5),
      F::Digits("hhrplize", 199, 7, "prize money h, first figure, thousands of yen"),
      F::Digits("hhrplize2", 206, 6, "prize money h, second figure, thousands of yen"),
      F::Digits("hsrplize", 212, 7, "prize money s, first figure, thousands of yen"),
      F::Digits("hsrplize2", 219, 6, "prize money s, second figure, thousands of yen"),
      F::Digits("hh_counts", 225, 3, "counts of group hh").Repeat(4, 3),
      F::Digits("hs_counts", 237, 3, "counts of group hs").Repeat(4, 3),
      F::Digits("year", 249, 4, "year of the groups hh, hs and the prize money"),
  }));
  return layout;
}

const RecordLayout& StableLayout() {
  static const RecordLayout layout("STABLEREC", 208, PersonFields({
      F::Digits("first_year", 101, 4, "first year licensed"),
      F::Code("location", 106, 2, "location field"),
      F::Code("affiliation", 108, 1, "affiliation code: '1', '2', '3' or blank"),
      F::Digits("rh_counts", 110, 5, "counts of group rh").Repeat(4, 5),
      F::Digits("rs_counts", 130, 5, "counts of group rs").Repeat(4, 5),
      F::Digits("hhrplize", 150, 7, "prize money h, first figure, thousands of yen"),
      F::Digits("hhrplize2", 157, 6, "prize money h, second figure, thousands of yen"),
      F::Digits("hsrplize", 163, 7, "prize money s, first figure, thousands of yen"),
      F::Digits("hsrplize2", 170, 6, "prize money s, second figure, thousands of yen"),
      F::Digits("hh_counts", 176, 3, "counts of group hh").Repeat(4, 3),
      F::Digits("hs_counts", 188, 3, "counts of group hs").Repeat(4, 3),
      F::Digits("year", 200, 4, "year of the groups hh, hs and the prize money"),
  }));
  return layout;
}

const RecordLayout& SireLayout() {
  static const RecordLayout layout("SIREREC", 196, {
      F::Code("code", 0, 7, "sire's horse code"),
      F::Text("name", 7, 34, "name"),
      F::Digits("birth_year", 41, 4, "year of birth"),
      F::Code("color", 45, 2, "coat colour code"),
      F::Code("birthplace", 47, 3, "birthplace code"),
      F::Text("sire_name", 58, 34, "the sire's own sire's name"),
      F::Text("dam_name", 99, 34, "the sire's dam's name"),
      F::Code("distance_aptitude", 133, 1, "distance aptitude code"),
      F::Code("skill_omo", 134, 1, "skill code omo"),
      F::Code("skill_dirt", 135, 1, "skill code dirt"),
      F::Digits("death_year", 136, 4, "year of death; blank while alive"),
      F::Digits("offspring_counts", 140, 4,
                "three groups of four offspring finishing counts").Repeat(12, 4),
  });
  return layout;
}

const RecordLayout& DamSireLayout() {
  // Also the shape of the name-search records of registered horse names and
  // of sire and dam names, and of the list of check marks (a jockey's or
  // trainer's 5-digit code blank-padded).
  static const RecordLayout layout("UMADIMSIRE", 41, {
      F::Code("code", 0, 7, "horse code"),
      F::Text("name", 7, 34, "name"),
  });
  return layout;
}

const RecordLayout& SireCodeLayout() {
  // A horse's sire as the theory engine asks for it by the horse's code.
  static const RecordLayout layout("SIRECODEREC", 41, {
      F::Code("sire_code", 0, 7, "sire's horse code"),
      F::Text("sire_name", 7, 34, "sire's name"),
  });
  return layout;
}

const RecordLayout& HorseSireLayout() {
  // The sires of many horses in one buffer (a range of races): a horse's
  // SIRECODEREC after the horse's code.
  static const RecordLayout layout("HORSESIREREC", 48, {
      F::Code("horse_code", 0, 7, "horse code"),
      F::Code("sire_code", 7, 7, "sire's horse code"),
      F::Text("sire_name", 14, 34, "sire's name"),
  });
  return layout;
}

}  // namespace ydb
