// The tables between JRA's codes and the data set's.
#include "exchange/jvdata/JraCodes.h"

#include <algorithm>

namespace exchange {
namespace jvdata {
namespace {

bool AllDigits(std::string_view s) {
  return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

// A flat or jump race's track: JRA's code and what it tells.
struct Track {
  const char* jra;
  bool jump;
  const char* track_code;
  const char* direction;  // empty: not told
  const char* inner_outer;
};

// The first row of a code is the one read back.
const std::vector<Track>& Tracks() {
  static const std::vector<Track> tracks = {
      {"10", false, "1", "2", ""},  {"11", false, "1", "1", ""},  {"12", false, "1", "1", "1"},
      {"13", false, "1", "1", "6"}, {"14", false, "1", "1", "2"}, {"15", false, "1", "1", "5"},
      {"17", false, "1", "0", ""},  {"18", false, "1", "0", "1"}, {"19", false, "1", "0", "6"},
      {"20", false, "1", "0", "2"}, {"21", false, "1", "0", "5"}, {"23", false, "0", "1", ""},
      {"24", false, "0", "0", ""},  {"29", false, "0", "2", ""},  {"54", true, "1", "", ""},
      {"51", true, "1", "", "3"},   {"55", true, "1", "", "1"},   {"56", true, "1", "", "2"},
      {"57", true, "1", "", "6"},   {"58", true, "1", "", "5"},   {"53", true, "1", "1", ""},
      {"52", true, "0", "", ""},
  };
  return tracks;
}

}  // namespace

std::string JraOf(const CodeTable& table, std::string_view ours) {
  for (const CodePair& p : table) {
    if (ours == p.ours) return p.jra;
  }
  return "";
}

bool OursOf(const CodeTable& table, std::string_view jra, std::string* ours) {
  for (const CodePair& p : table) {
    if (jra == p.jra) {
      *ours = p.ours;
      return true;
    }
  }
  return false;
}

const CodeTable& SexCodes() {
  static const CodeTable t = {{"0", "1"}, {"1", "2"}, {"2", "3"}};
  return t;
}

const CodeTable& MarkCodes() {
  static const CodeTable t = {{"00", "00"}, {"", "00"},   {"07", "01"}, {"05", "03"}, {"06", "04"},
                              {"02", "05"}, {"01", "06"}, {"09", "07"}, {"08", "08"},
                              {"10", "15"}, {"04", "21"}, {"03", "26"}};
  return t;
}

const CodeTable& GradeCodes() {
  static const CodeTable t = {{"0", "A"}, {"1", "B"}, {"2", "C"}, {"3", "F"}, {"4", "G"},
                              {"5", "H"}, {"", " "},  {"", "D"},  {"", "E"},  {"", "L"}};
  return t;
}

const CodeTable& RaceKindCodes() {
  static const CodeTable t = {{"1", "11"}, {"2", "12"}, {"3", "13"}, {"4", "14"},
                              {"0", "18"}, {"9", "19"}, {"8", "18"}, {"5", "11"},
                              {"6", "12"}, {"7", "13"}, {"A", "14"}, {"B", "12"},
                              {"C", "12"}};
  return t;
}

const CodeTable& RailCodes() {
  static const CodeTable t = {{"0", "A "}, {"1", "B "}, {"2", "C "},
                              {"3", "D "}, {"4", "A1"}, {"5", "A2"},
                              {"", "  "},  {"", "E "}};
  return t;
}

const CodeTable& WeatherCodes() {
  static const CodeTable t = {{"0", "1"}, {"1", "2"}, {"2", "3"}, {"3", "4"}, {"4", "5"},
                              {"", " "}, {"", "0"}, {"", "6"}};
  return t;
}

const CodeTable& GoingCodes() {
  static const CodeTable t = {{"0", "1"}, {"1", "2"}, {"2", "3"}, {"3", "4"}, {"", " "}, {"", "0"}};
  return t;
}

const CodeTable& AccidentCodes() {
  static const CodeTable t = {{"", "0"},   {"", " "},   {"34", "1"}, {"35", "2"}, {"35", "3"},
                              {"33", "4"}, {"32", "5"}, {"", "6"},   {"36", "7"},
                              {"31", "4"}};
  return t;
}

namespace {

// The class codes with a JRA code of their own.
const CodeTable& NamedClasses() {
  static const CodeTable t = {{"00001", "701"}, {"00002", "702"}, {"00003", "703"},
                              {"00004", "999"}, {"-0005", "005"}, {"-0010", "010"},
                              {"-0016", "016"}};
  return t;
}

// The first race day of the 1勝/2勝/3勝 classes.
constexpr int kWinClassesFrom = 20190601;

// The highest money class our five characters hold, in millions of yen.
constexpr int kMostMillions = 99;

}  // namespace

std::string JraClassOf(std::string_view class_code) {
  const std::string named = JraOf(NamedClasses(), class_code);
  if (!named.empty()) return named;
  // A money class in thousands of yen, JRA's in millions.
  if (class_code.size() != 5 || !AllDigits(class_code)) return "";
  const int thousands = std::stoi(std::string(class_code));
  if (thousands % 1000 != 0 || thousands / 1000 < 1 || thousands / 1000 > kMostMillions) return "";
  const std::string millions = std::to_string(thousands / 1000);
  return std::string(3 - millions.size(), '0') + millions;
}

bool ClassOfJra(std::string_view jra, int race_date, std::string* class_code) {
  const bool win_class = jra == "005" || jra == "010" || jra == "016";
  if ((!win_class || race_date >= kWinClassesFrom) && OursOf(NamedClasses(), jra, class_code)) {
    return true;
  }
  if (jra.size() != 3 || !AllDigits(jra)) return false;
  const int millions = std::stoi(std::string(jra));
  if (millions < 1 || millions > kMostMillions) return false;
  const std::string thousands = std::to_string(millions * 1000);
  *class_code = std::string(5 - thousands.size(), '0') + thousands;
  return true;
}

std::string JraTrackOf(bool jump, std::string_view track_code, std::string_view direction,
                       std::string_view inner_outer) {
  // The track as given, then without its inner-outer course, then without
  // its direction.
  for (int relax = 0; relax < 3; ++relax) {
    for (const Track& t : Tracks()) {
      if (t.jump != jump || track_code != t.track_code) continue;
      if (relax < 2 && direction != t.direction) continue;
      if (relax < 1 && inner_outer != t.inner_outer) continue;
      if (relax >= 1 && *t.inner_outer != '\0') continue;
      return t.jra;
    }
  }
  return "";
}

bool TrackOfJra(std::string_view jra, std::string* track_code, std::string* direction,
                std::string* inner_outer) {
  for (const Track& t : Tracks()) {
    if (jra != t.jra) continue;
    *track_code = t.track_code;
    *direction = t.direction;
    *inner_outer = t.inner_outer;
    return true;
  }
  return false;
}

std::string JraHorseCodeOf(std::string_view horse_code) {
  if (horse_code.size() != 7 || !AllDigits(horse_code)) return "";
  const bool last_century = horse_code.substr(0, 2) >= "50";
  return std::string(last_century ? "19" : "20") + std::string(horse_code.substr(0, 2)) + "1" +
         std::string(horse_code.substr(2));
}

bool HorseCodeOfJra(std::string_view jra, std::string* horse_code) {
  if (jra.size() != 10 || !AllDigits(jra) || jra[4] != '1') return false;
  *horse_code = std::string(jra.substr(2, 2)) + std::string(jra.substr(5));
  return true;
}

}  // namespace jvdata
}  // namespace exchange
