// The factor catalogue: the 78 factors a theory can combine, their
// parameters, display groups and texts, the name table built from the
// texts, and the validation of a theory record against the catalogue.
//
// The texts are written here in UTF-8 and converted to Shift_JIS once, when
// the library is loaded.
#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "text/sjis.h"
#include "ydbcln/theory/YTheories.h"

namespace {

constexpr int kRows = YTheories::theorynomax + 1;

// Name and description of each factor, by code; code 0 has none. The
// catalogue text of a factor is "name CR LF description CR LF".
struct FactorText {
  const char* name;
  const char* description;
};

const FactorText kTexts[kRows] = {
    {"", ""},
    {"平均タイム", "出走馬の同距離でのタイム評価（指定レース数の平均タイム）"},
    {"最高タイム", "出走馬の同距離での最高タイム評価（過去の全出走レースを参照）"},
    {"前半３Ｆ", "出走馬の指定距離での前半３Ｆタイム評価（指定距離範囲の指定レース数平均)"},
    {"上がり３Ｆ", "出走馬の指定距離での上がり３Ｆタイム評価（指定距離範囲の指定レース数平均)"},
    {"着差タイム", "出走馬の指定距離での着差タイム評価（指定距離範囲の指定レース数平均)"},
    {"斤量評価",
     "出走馬の登録斤量によるタイム評価（（今回の斤量）－（同距離での最高タイム時の斤量））×0.2＋"
     "同距離での最高タイム"},
    {"人気評価", "出走馬の指定レース数の人気評価（出走頭数÷人気)"},
    {"着順評価", "出走馬の指定レース数の着順評価（出走頭数÷着順)"},
    {"オッズ評価", "出走馬の指定距離での単勝オッズ評価（指定距離範囲の指定レース数平均)"},
    {"競走馬競馬場実績", "出走馬の当該競馬場での実績評価（過去の該当競馬場での平均着順)"},
    {"距離適性", "出走馬の距離適性評価（指定距離範囲の指定レース数の平均着順)"},
    {"競走馬連対率", "過去の全レースの連対率評価（（１着＋２着）÷出走数）"},
    {"競走馬勝率", "過去の全レースの勝率評価（１着÷出走数）"},
    {"競走馬距離連対率", "過去の指定距離範囲での全レースの連対率評価（（１着＋２着）÷出走数）"},
    {"競走馬距離勝率", "過去の指定距離範囲での全レースの勝率評価（１着÷出走数）"},
    {"レコード指数", "出走馬の同距離でのレコードタイムとの差の評価（指定レース数の平均)"},
    {"競走馬馬場適性", "競走馬の推定馬場での実績（過去の該当馬場での着順実績)"},
    {"競走馬コース適性", "競走馬の当該コースでの実績（過去の該当コースでの着順実績)"},
    {"種牡馬距離実績", "指定期間の指定距離範囲での産駒の勝率"},
    {"種牡馬コース実績", "指定期間の指定距離範囲の該当コースでの産駒の勝率"},
    {"血統", "指定期間の父系産駒の実績による血統評価"},
    {"騎手実績", "指定期間の関東・関西総合の評価（１着数)"},
    {"騎手連対率", "指定期間の騎手の連対率評価（（１着＋２着）÷出走数）"},
    {"騎手勝率", "指定期間の騎手の勝率評価（１着÷出走数）"},
    {"騎手距離連対率", "指定期間、指定距離範囲での騎手の連対率評価（（１着＋２着）÷出走数）"},
    {"騎手距離勝率", "指定期間、指定距離範囲での騎手の勝率評価（１着÷出走数）"},
    {"騎手レース実績", "指定期間、指定距離範囲の同コースでの１，２，３着表示"},
    {"トレーナー連対率", "指定期間のトレーナーの連対率評価（（１着＋２着）÷出走数）"},
    {"トレーナー実績", "指定期間のトレーナーの関東・関西総合の評価（１着数)"},
    {"コース出目", "指定期間の該当競馬場およびコースでの馬番別１，２，３着表示"},
    {"予想印", "当該レースの予想印の評価"},
    {"枠順実績", "出走馬の当該レースの枠順（内、中、外）での実績評価"},
    {"頭数実績", "出走馬の当該レースの頭数（少頭数、中頭数、多頭数）での実績評価"},
    {"競走馬格評価", "出走馬の過去の出走レースのクラスによる格の評価"},
    {"競走馬季節実績", "出走馬の当該レースの季節（春、夏、秋、冬）での実績評価"},
    {"競走馬騎手実績", "出走馬の当該レースの騎手が騎乗したレースでの実績評価"},
    {"予想オッズ", "当該レースの予想オッズの評価"},
    {"調教印", "当該レースの各出走馬の調教印"},
    {"競走馬３着内率", "過去の全レースの３着内率評価（（１着＋２着＋３着）÷出走数）"},
    {"競走馬距離３着内率",
     "過去の指定距離範囲での全レースの３着内率評価（（１着＋２着＋３着）÷出走数）"},
    {"騎手３着内率", "指定期間の騎手の３着内率評価（（１着＋２着＋３着）÷出走数）"},
    {"騎手距離３着内率",
     "指定期間、指定距離範囲での騎手の３着内率評価（（１着＋２着＋３着）÷出走数）"},
    {"トレーナー３着内率", "指定期間のトレーナーの３着内率評価（（１着＋２着＋３着）÷出走数）"},
    {"トレーナー勝率", "指定期間のトレーナーの勝率評価（１着÷出走数）"},
    {"競走馬実績", "出走馬の過去の全レースでの着順実績評価"},
    {"騎手季節実績", "騎手の当該レースの季節（春、夏、秋、冬）での実績評価"},
    {"トレーナー季節実績", "トレーナーの当該レースの季節（春、夏、秋、冬）での実績評価"},
    {"種牡馬季節実績", "種牡馬産駒の当該レースの季節（春、夏、秋、冬）での実績評価"},
    {"競走馬開催実績", "競走馬の指定開催での実績評価"},
    {"騎手開催実績", "騎手の指定開催での実績評価"},
    {"トレーナー開催実績", "トレーナーの指定開催での実績評価"},
    {"種牡馬開催実績", "種牡馬産駒の指定開催での実績評価"},
    {"競走馬レース実績", "指定距離範囲の同コースでの競走馬の１，２，３着表示"},
    {"トレーナーレース実績", "指定期間、指定距離範囲の同コースでのトレーナーの１，２，３着表示"},
    {"種牡馬レース実績", "指定期間、指定距離範囲の同コースでの種牡馬産駒の１，２，３着表示"},
    {"トレーナー距離実績", "指定期間の指定距離範囲でのトレーナーの勝率"},
    {"騎手枠順実績", "騎手の当該レースの枠順（内、中、外）での実績評価"},
    {"騎手頭数実績", "騎手の当該レースの頭数（少頭数、中頭数、多頭数）での実績評価"},
    {"騎手競馬場実績", "指定期間の騎手の当該競馬場での実績評価（平均着順)"},
    {"トレーナー競馬場実績", "指定期間のトレーナーの当該競馬場での実績評価（平均着順)"},
    {"種牡馬競馬場実績", "指定期間の種牡馬産駒の当該競馬場での実績評価（平均着順)"},
    {"騎手馬場適性", "指定期間の騎手の推定馬場での実績（該当馬場での着順実績)"},
    {"騎手距離適性", "指定期間の騎手の距離適性評価（指定距離範囲での平均着順)"},
    {"トレーナー距離適性", "指定期間のトレーナーの距離適性評価（指定距離範囲での平均着順)"},
    {"種牡馬距離適性", "指定期間の種牡馬産駒の距離適性評価（指定距離範囲での平均着順)"},
    {"騎手着順評価", "指定期間の騎手の着順評価（出走頭数÷着順)"},
    {"騎手トレーナー実績", "指定期間の騎手と当該トレーナーの組み合わせでの実績評価"},
    {"競走馬コース実績", "指定距離範囲の該当競馬場およびコースでの競走馬の１，２，３着表示"},
    {"騎手コース実績", "指定期間の該当競馬場およびコースでの騎手の１，２，３着表示"},
    {"トレーナーコース実績", "指定期間の該当競馬場およびコースでのトレーナーの１，２，３着表示"},
    {"騎手コース適性", "指定期間の該当競馬場およびコースでの騎手の平均着順評価"},
    {"競走馬コース勝率", "指定期間の該当競馬場とコースでの競走馬の勝率評価（１着÷出走数)"},
    {"騎手コース勝率", "指定期間の該当競馬場とコースでの騎手の勝率評価（１着÷出走数)"},
    {"競走馬コース連対率",
     "指定期間の該当競馬場とコースでの競走馬の連対率評価（（１着＋２着）÷出走数)"},
    {"騎手コース連対率", "指定期間の該当競馬場とコースでの騎手の連対率評価（（１着＋２着）÷出走数)"},
    {"競走馬コース３着内率",
     "指定期間の該当競馬場とコースでの競走馬の３着内率評価（（１着＋２着＋３着）÷出走数)"},
    {"騎手コース３着内率",
     "指定期間の該当競馬場とコースでの騎手の３着内率評価（（１着＋２着＋３着）÷出走数)"},
    {"穴馬期待度", "競走馬の穴馬期待度。"},
};

// The factor whose text has no final CR LF.
constexpr int kNoFinalLineEnd = 38;

// The Shift_JIS catalogue text of every factor.
std::array<std::string, kRows> BuildTexts() {
  std::array<std::string, kRows> texts;
  for (int no = 1; no < kRows; ++no) {
    std::string text = std::string(kTexts[no].name) + "\r\n" + kTexts[no].description;
    if (no != kNoFinalLineEnd) text += "\r\n";
    texts[static_cast<std::size_t>(no)] = ytext::to_sjis_lossy(text);
  }
  return texts;
}

const std::array<std::string, kRows> kSjisTexts = BuildTexts();

// Points YTheories::desc at the converted texts; runs when the library is
// loaded, after kSjisTexts above.
struct DescInit {
  DescInit() {
    for (int no = 0; no < kRows; ++no) {
      YTheories::desc[no] = kSjisTexts[static_cast<std::size_t>(no)].c_str();
    }
  }
};
const DescInit kDescInit;

// Fills the name table the first time it is asked for: each factor's name
// is its text up to the first CR.
void BuildNames() {
  if (YTheories::itemnamecount == YTheories::theorynomax) return;
  for (int no = 1; no < kRows; ++no) {
    YTheories::ItemName& entry = YTheories::itemname[no - 1];
    std::memset(&entry, 0, sizeof entry);
    entry.no = no;
    const std::string& text = kSjisTexts[static_cast<std::size_t>(no)];
    const std::size_t length = std::min(text.find('\r'), sizeof entry.name - 1);
    std::memcpy(entry.name, text.data(), length);
  }
  YTheories::itemnamecount = YTheories::theorynomax;
}

bool IsCode(int no) { return no >= 0 && no < kRows; }

}  // namespace

// category, first parameter type, second parameter type, first default,
// second default, label, display group
const int YTheories::param_table[kRows][7] = {
    {-1, 0, 0, 0, 0, 0, -1},
    {0, 0, 2, 0, 3, 1, 4},      // 平均タイム
    {0, 0, 0, 0, 0, 2, 4},      // 最高タイム
    {0, 1, 2, 0, 3, 3, 4},      // 前半３Ｆ
    {0, 1, 2, 0, 3, 4, 4},      // 上がり３Ｆ
    {0, 1, 2, 200, 3, 5, 4},    // 着差タイム
    {0, 0, 2, 0, 3, 6, 0},      // 斤量評価
    {0, 0, 2, 0, 5, 7, 6},      // 人気評価
    {0, 0, 2, 0, 5, 8, 0},      // 着順評価
    {0, 1, 2, 200, 3, 9, 6},    // オッズ評価
    {0, 0, 0, 0, 0, 10, 0},     // 競走馬競馬場実績
    {0, 1, 2, 0, 3, 11, 0},     // 距離適性
    {0, 0, 0, 0, 0, 12, 0},     // 競走馬連対率
    {0, 0, 0, 0, 0, 13, 0},     // 競走馬勝率
    {0, 1, 0, 200, 0, 14, 0},   // 競走馬距離連対率
    {0, 1, 0, 200, 0, 15, 0},   // 競走馬距離勝率
    {0, 0, 2, 0, 3, 16, 5},     // レコード指数
    {0, 0, 0, 0, 0, 17, 0},     // 競走馬馬場適性
    {0, 0, 0, 0, 0, 18, 0},     // 競走馬コース適性
    {3, 1, 3, 200, 24, 19, 3},  // 種牡馬距離実績
    {3, 1, 3, 200, 24, 20, 3},  // 種牡馬コース実績
    {3, 0, 3, 0, 24, 21, 0},    // 血統
    {1, 0, 3, 0, 12, 22, 1},    // 騎手実績
    {1, 0, 3, 0, 12, 23, 1},    // 騎手連対率
    {1, 0, 3, 0, 12, 24, 1},    // 騎手勝率
    {1, 1, 3, 0, 12, 25, 1},    // 騎手距離連対率
    {1, 1, 3, 0, 12, 26, 1},    // 騎手距離勝率
    {1, 1, 3, 0, 12, 27, 1},    // 騎手レース実績
    {2, 0, 3, 0, 12, 28, 2},    // トレーナー連対率
    {2, 0, 3, 0, 12, 29, 2},    // トレーナー実績
    {4, 0, 3, 0, 24, 30, 6},    // コース出目
    {5, 0, 0, 0, 0, 31, 5},     // 予想印
    {0, 0, 0, 0, 0, 32, 0},     // 枠順実績
    {0, 0, 0, 0, 0, 33, 0},     // 頭数実績
    {0, 0, 0, 0, 0, 34, 0},     // 競走馬格評価
    {0, 0, 0, 0, 0, 35, 0},     // 競走馬季節実績
    {0, 0, 0, 0, 0, 36, 0},     // 競走馬騎手実績
    {5, 0, 0, 0, 0, 37, 5},     // 予想オッズ
    {0, 0, 0, 0, 0, 38, 5},     // 調教印
    {0, 0, 0, 0, 0, 39, 0},     // 競走馬３着内率
    {0, 1, 0, 200, 0, 40, 0},   // 競走馬距離３着内率
    {1, 0, 3, 0, 12, 41, 1},    // 騎手３着内率
    {1, 1, 3, 0, 12, 42, 1},    // 騎手距離３着内率
    {2, 0, 3, 0, 12, 43, 2},    // トレーナー３着内率
    {2, 0, 3, 0, 12, 44, 2},    // トレーナー勝率
    {0, 0, 0, 0, 0, 45, 0},     // 競走馬実績
    {1, 0, 3, 0, 24, 46, 1},    // 騎手季節実績
    {2, 0, 3, 0, 24, 47, 2},    // トレーナー季節実績
    {3, 0, 3, 0, 24, 48, 3},    // 種牡馬季節実績
    {0, 0, 0, 0, 0, 49, 0},     // 競走馬開催実績
    {1, 0, 3, 0, 24, 50, 1},    // 騎手開催実績
    {2, 0, 3, 0, 24, 51, 2},    // トレーナー開催実績
    {3, 0, 3, 0, 24, 52, 3},    // 種牡馬開催実績
    {0, 1, 0, 0, 0, 53, 0},     // 競走馬レース実績
    {2, 1, 3, 0, 24, 54, 2},    // トレーナーレース実績
    {3, 1, 3, 0, 24, 55, 3},    // 種牡馬レース実績
    {2, 1, 3, 200, 24, 56, 2},  // トレーナー距離実績
    {1, 0, 3, 0, 12, 57, 1},    // 騎手枠順実績
    {1, 0, 3, 0, 12, 58, 1},    // 騎手頭数実績
    {1, 0, 3, 0, 12, 59, 1},    // 騎手競馬場実績
    {2, 0, 3, 0, 12, 60, 2},    // トレーナー競馬場実績
    {3, 0, 3, 0, 12, 61, 3},    // 種牡馬競馬場実績
    {1, 0, 3, 0, 12, 62, 1},    // 騎手馬場適性
    {1, 1, 3, 0, 12, 63, 1},    // 騎手距離適性
    {2, 1, 3, 0, 12, 64, 2},    // トレーナー距離適性
    {3, 1, 3, 0, 12, 65, 3},    // 種牡馬距離適性
    {1, 0, 3, 0, 12, 66, 1},    // 騎手着順評価
    {1, 0, 3, 0, 12, 67, 1},    // 騎手トレーナー実績
    {0, 1, 0, 200, 0, 68, 0},   // 競走馬コース実績
    {1, 1, 3, 200, 24, 69, 1},  // 騎手コース実績
    {2, 1, 3, 200, 24, 70, 2},  // トレーナーコース実績
    {1, 0, 3, 0, 24, 71, 1},    // 騎手コース適性
    {0, 1, 0, 200, 0, 72, 0},   // 競走馬コース勝率
    {1, 1, 3, 200, 24, 73, 1},  // 騎手コース勝率
    {0, 1, 0, 200, 0, 74, 0},   // 競走馬コース連対率
    {1, 1, 3, 200, 24, 75, 1},  // 騎手コース連対率
    {0, 1, 0, 200, 0, 76, 0},   // 競走馬コース３着内率
    {1, 1, 3, 200, 24, 77, 1},  // 騎手コース３着内率
    {0, 0, 0, 0, 0, 78, 0},     // 穴馬期待度
};

const char* YTheories::desc[kRows] = {};
YTheories::ItemName YTheories::itemname[YTheories::theorynomax] = {};
int YTheories::itemnamecount = 0;

int YTheories::getitemcount() {
  BuildNames();
  return itemnamecount;
}

int YTheories::getitemno(int i) {
  BuildNames();
  return i >= 0 && i < itemnamecount ? itemname[i].no : -1;
}

std::string YTheories::getitemname(int i) {
  BuildNames();
  return i >= 0 && i < itemnamecount ? std::string(itemname[i].name) : std::string();
}

std::string YTheories::getitemname_no(int no) {
  BuildNames();
  for (int i = 0; i < itemnamecount; ++i) {
    if (itemname[i].no == no) return itemname[i].name;
  }
  return std::string();
}

int YTheories::getcategory(int i) {
  BuildNames();
  return i >= 0 && i < itemnamecount ? param_table[itemname[i].no][kCategory] : -1;
}

int YTheories::getcategory_no(int no) { return IsCode(no) ? param_table[no][kCategory] : -1; }

int YTheories::getlabel_no(int no) { return IsCode(no) ? param_table[no][kLabel] : -1; }

int YTheories::getcategory2_no(int no) { return IsCode(no) ? param_table[no][kGroup] : -1; }

void YTheories::getparams(int no, int& t1, int& t2) {
  if (!IsCode(no)) return;
  t1 = param_table[no][kParamType1];
  t2 = param_table[no][kParamType2];
}

void YTheories::getdefault(int no, int& d1, int& d2) {
  if (!IsCode(no)) return;
  d1 = param_table[no][kParamDefault1];
  d2 = param_table[no][kParamDefault2];
}

const char* YTheories::getdesc(int no) { return IsCode(no) ? desc[no] : nullptr; }

bool YTheories::isvalidparam(int type, int value) {
  switch (type) {
    case 0:
      return value == 0;
    case 1:
      return value == 0 || value == 200 || value == 400 || value == 600;
    case 2:
      return (value >= 1 && value <= 10) || value == 999;
    case 3:
      return value == 1 || value == 3 || value == 6 || value == 12 || value == 24;
    default:
      return false;
  }
}

bool YTheories::check(_tagTHEORYREC* record) { return findfault(record, nullptr) == kValid; }

YTheories::CheckFault YTheories::findfault(_tagTHEORYREC* record, int* item_index) {
  if (record == nullptr) return kNoRecord;
  if (record->count < 1 || record->count > YTheory::kMaxItems) return kItemCount;
  for (int i = 0; i < record->count; ++i) {
    if (item_index != nullptr) *item_index = i;
    _tagTHITEM& item = record->item[i];
    if (item.no < 1 || item.no > theorynomax) return kFactor;
    if (item.value < 1 || item.value > 100) return kWeight;
    for (int k = 0; k < 2; ++k) {
      const int type = param_table[item.no][kParamType1 + k];
      if (type == 0) {
        item.param[k] = 0;
      } else if (!isvalidparam(type, item.param[k])) {
        return k == 0 ? kParam1 : kParam2;
      }
    }
  }
  return kValid;
}
