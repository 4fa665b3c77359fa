// The contents of the code tables, written in UTF-8 and converted to
// Shift_JIS once when the tables are first used, and the reading and
// writing of code fields. CODES.md explains every code listed here.
#include "db/codes/CodeTables.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

#include "text/sjis.h"

namespace ydb {
namespace {

struct Text {
  int code;
  const char* utf8;
};

// 0: breed (品種), field of 2 digits.
constexpr Text kBreeds[] = {
    {1, "サラブレッド"},
    {2, "サラ系"},
    {3, "アングロアラブ"},
    {4, "アングロアラブ系"},
    {5, "アラブ"},
    {6, "アラブ系"},
    {7, "軽半血"},
};

// 1: race symbols of who may run, field of 2 digits: the rule in the tens,
// the jockey designation in the units.
constexpr Text kWeightRules[] = {
    {0, ""},  // no restriction
    {10, "(混合)"},
    {20, "(国際)"},
    {30, "牝"},
    {40, "(混合)牝"},
    {50, "(国際)牝"},
    {60, "(父)"},
    {70, "(市)(抽)"},
    {80, "九州産馬"},
    {90, "見習騎手"},
};

// 2: coat colour (毛色), field of 2 digits.
constexpr Text kCoatColours[] = {
    {1, "栗毛"},   {2, "栃栗毛"}, {3, "鹿毛"},   {4, "黒鹿毛"},
    {5, "青鹿毛"}, {6, "青毛"},   {7, "芦毛"},   {8, "栗粕毛"},
    {9, "鹿粕毛"}, {10, "青粕毛"}, {11, "白毛"},
};

// 3: horse mark (馬記号) shown before the name, field of 2 digits. A circled
// mark (マル) is written in round brackets, a boxed one (カク) in square.
constexpr Text kHorseMarks[] = {
    {0, ""},           // no mark
    {1, "(外)"},       // マル外
    {2, "(地)"},       // マル地
    {3, "[外]"},       // カク外
    {4, "[地]"},       // カク地
    {5, "(父)"},       // マル父
    {6, "(市)"},       // マル市
    {7, "(抽)"},       // マル抽
    {8, "(父)(市)"},
    {9, "(父)(抽)"},
    {10, "(招)"},      // マル招
};

// 4: race class, field of 5 characters read with its sign. Values of 100
// and more are prize-money limits and have no entry.
constexpr Text kRaceClasses[] = {
    {-16, "3勝クラス"},
    {-10, "2勝クラス"},
    {-5, "1勝クラス"},
    {1, "新馬"},
    {2, "未出走"},
    {3, "未勝利"},
    {4, "オープン"},
};

// 5: place, field of 2 digits: the ten JRA courses, the local (NAR)
// courses north to south, then courses abroad by country.
constexpr Text kPlaces[] = {
    {0, "京都"},     {1, "阪神"},     {2, "中京"},     {3, "小倉"},
    {4, "東京"},     {5, "中山"},     {6, "福島"},     {7, "新潟"},
    {8, "札幌"},     {9, "函館"},
    {10, "門別"},    {11, "帯広"},    {12, "旭川"},    {13, "岩見沢"},
    {14, "北見"},    {15, "盛岡"},    {16, "水沢"},    {17, "上山"},
    {18, "浦和"},    {19, "船橋"},    {20, "大井"},    {21, "川崎"},
    {22, "宇都宮"},  {23, "足利"},    {24, "高崎"},    {25, "三条"},
    {26, "金沢"},    {27, "笠松"},    {28, "名古屋"},  {29, "園田"},
    {30, "姫路"},    {31, "紀三井寺"}, {32, "益田"},   {33, "福山"},
    {34, "高知"},    {35, "佐賀"},    {36, "荒尾"},    {37, "中津"},
    {40, "ロンシャン"}, {41, "シャンティイ"}, {42, "ドーヴィル"},
    {43, "サンクルー"},
    {45, "アスコット"}, {46, "エプソム"}, {47, "ニューマーケット"},
    {48, "グッドウッド"}, {49, "ヨーク"},
    {50, "カラ"}, {51, "レパーズタウン"},
    {52, "バーデンバーデン"},
    {53, "サンシーロ"},
    {54, "ナドアルシバ"}, {55, "メイダン"},
    {56, "リヤド"},
    {57, "サヒール"},
    {58, "シャティン"}, {59, "ハッピーバレー"},
    {60, "クランジ"},
    {61, "ソウル"},
    {62, "フレミントン"}, {63, "ランドウィック"}, {64, "コーフィールド"},
    {65, "ムーニーバレー"}, {66, "ローズヒル"},
    {67, "エラズリー"},
    {68, "サンタアニタ"}, {69, "チャーチルダウンズ"}, {70, "ベルモントパーク"},
    {71, "デルマー"}, {72, "キーンランド"}, {73, "ガルフストリーム"},
    {74, "アケダクト"}, {75, "ハリウッドパーク"},
    {77, "ウッドバイン"},
};

// 6: birthplace (産地), field of 3 digits: breeding districts and towns of
// Hokkaido, the prefectures as 100 + their JIS number, countries abroad.
constexpr Text kBirthplaces[] = {
    {1, "日高"},   {2, "浦河"},   {3, "静内"},   {4, "門別"},
    {5, "新冠"},   {6, "三石"},   {7, "様似"},   {8, "えりも"},
    {9, "平取"},   {10, "鵡川"},  {11, "早来"},  {12, "追分"},
    {13, "千歳"},  {14, "苫小牧"}, {15, "白老"},  {16, "伊達"},
    {17, "新ひだか"}, {18, "安平"}, {19, "むかわ"}, {20, "胆振"},
    {21, "十勝"},  {22, "釧路"},
    {101, "北海道"}, {102, "青森"}, {103, "岩手"}, {104, "宮城"},
    {105, "秋田"},   {106, "山形"}, {107, "福島"}, {108, "茨城"},
    {109, "栃木"},   {110, "群馬"}, {111, "埼玉"}, {112, "千葉"},
    {113, "東京"},   {114, "神奈川"}, {115, "新潟"}, {116, "富山"},
    {117, "石川"},   {118, "福井"}, {119, "山梨"}, {120, "長野"},
    {121, "岐阜"},   {122, "静岡"}, {123, "愛知"}, {124, "三重"},
    {125, "滋賀"},   {126, "京都"}, {127, "大阪"}, {128, "兵庫"},
    {129, "奈良"},   {130, "和歌山"}, {131, "鳥取"}, {132, "島根"},
    {133, "岡山"},   {134, "広島"}, {135, "山口"}, {136, "徳島"},
    {137, "香川"},   {138, "愛媛"}, {139, "高知"}, {140, "福岡"},
    {141, "佐賀"},   {142, "長崎"}, {143, "熊本"}, {144, "大分"},
    {145, "宮崎"},   {146, "鹿児島"}, {147, "沖縄"},
    {201, "米国"}, {202, "英国"}, {203, "愛国"}, {204, "仏国"},
    {205, "独国"}, {206, "伊国"}, {207, "加国"}, {208, "豪州"},
    {209, "新国"}, {210, "亜国"}, {211, "伯国"}, {212, "智国"},
    {213, "南ア"}, {214, "韓国"},
};

template <std::size_t N>
CodeTable Build(int width, CodeForm form, const Text (&texts)[N]) {
  std::vector<CodeEntry> entries;
  entries.reserve(N);
  for (const Text& text : texts) {
    entries.push_back({text.code, text.utf8, ytext::to_sjis_lossy(text.utf8)});
  }
  return CodeTable(width, form, std::move(entries));
}

}  // namespace

CodeTable::CodeTable(int width, CodeForm form, std::vector<CodeEntry> entries)
    : width_(width), form_(form), entries_(std::move(entries)) {
  std::sort(entries_.begin(), entries_.end(),
            [](const CodeEntry& a, const CodeEntry& b) { return a.code < b.code; });
}

const CodeEntry* CodeTable::Find(int value) const {
  if (form_ == CodeForm::kRuleAndDesignation) {
    if (value < 0 || value % 10 > 4) return nullptr;
    value -= value % 10;
  }
  const auto found = std::lower_bound(
      entries_.begin(), entries_.end(), value,
      [](const CodeEntry& entry, int code) { return entry.code < code; });
  return found != entries_.end() && found->code == value ? &*found : nullptr;
}

bool CodeTable::ParseField(const char* field, int* value) const {
  if (field == nullptr) return false;
  int magnitude = 0;
  bool negative = false;
  for (int i = 0; i < width_; ++i) {
    const char c = field[i];
    if (i == 0 && form_ == CodeForm::kSignedDigits && (c == '+' || c == '-')) {
      negative = c == '-';
      continue;
    }
    if (c < '0' || c > '9') return false;  // a NUL stops here too
    magnitude = magnitude * 10 + (c - '0');
  }
  *value = negative ? -magnitude : magnitude;
  return true;
}

std::string CodeTable::FieldOf(int value) const {
  const bool negative = value < 0;
  if (negative && form_ != CodeForm::kSignedDigits) return "";
  const std::string digits = std::to_string(negative ? -static_cast<long long>(value) : value);
  const std::size_t room = static_cast<std::size_t>(width_) - (negative ? 1 : 0);
  if (digits.size() > room) return "";
  return (negative ? "-" : "") + std::string(room - digits.size(), '0') + digits;
}

const CodeTable* GetCodeTable(int kind) {
  static const std::array<CodeTable, kCodeKindCount> tables = {
      Build(2, CodeForm::kDigits, kBreeds),
      Build(2, CodeForm::kRuleAndDesignation, kWeightRules),
      Build(2, CodeForm::kDigits, kCoatColours),
      Build(2, CodeForm::kDigits, kHorseMarks),
      Build(5, CodeForm::kSignedDigits, kRaceClasses),
      Build(2, CodeForm::kDigits, kPlaces),
      Build(3, CodeForm::kDigits, kBirthplaces),
  };
  if (kind < 0 || kind >= kCodeKindCount) return nullptr;
  return &tables[static_cast<std::size_t>(kind)];
}

}  // namespace ydb
