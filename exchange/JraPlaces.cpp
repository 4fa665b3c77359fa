// The table between JRA's place codes and the data set's code table.
#include "exchange/JraPlaces.h"

#include <algorithm>
#include <map>

namespace exchange {

const std::vector<JraPlace>& JraPlaces() {
  static const std::vector<JraPlace> table = {
      // JRA's racecourses, north to south.
      {"01", "08", "札幌"}, {"02", "09", "函館"}, {"03", "06", "福島"}, {"04", "07", "新潟"},
      {"05", "04", "東京"}, {"06", "05", "中山"}, {"07", "02", "中京"}, {"08", "00", "京都"},
      {"09", "01", "阪神"}, {"10", "03", "小倉"},
      // Local courses, past and present.
      {"30", "10", "門別"}, {"31", "14", "北見"}, {"32", "13", "岩見沢"}, {"33", "11", "帯広"},
      {"34", "12", "旭川"}, {"35", "15", "盛岡"}, {"36", "16", "水沢"}, {"37", "17", "上山"},
      {"38", "25", "三条"}, {"39", "23", "足利"}, {"40", "22", "宇都宮"}, {"41", "24", "高崎"},
      {"42", "18", "浦和"}, {"43", "19", "船橋"}, {"44", "20", "大井"}, {"45", "21", "川崎"},
      {"46", "26", "金沢"}, {"47", "27", "笠松"}, {"48", "28", "名古屋"}, {"49", "31", "紀三井寺"},
      {"50", "29", "園田"}, {"51", "30", "姫路"}, {"52", "32", "益田"}, {"53", "33", "福山"},
      {"54", "34", "高知"}, {"55", "35", "佐賀"}, {"56", "36", "荒尾"}, {"57", "37", "中津"},
      // Local meetings held at JRA's racecourses.
      {"58", "08", "札幌"}, {"59", "09", "函館"}, {"60", "07", "新潟"}, {"61", "02", "中京"},
      // Countries abroad, a row for each of their courses in the code
      // table; a country's code thus names no one course. The code table's
      // courses in other countries have no JRA code here.
      {"A4", "68", "サンタアニタ"}, {"A4", "69", "チャーチルダウンズ"},
      {"A4", "70", "ベルモントパーク"}, {"A4", "71", "デルマー"}, {"A4", "72", "キーンランド"},
      {"A4", "73", "ガルフストリーム"}, {"A4", "74", "アケダクト"},
      {"A4", "75", "ハリウッドパーク"},
      {"A6", "45", "アスコット"}, {"A6", "46", "エプソム"}, {"A6", "47", "ニューマーケット"},
      {"A6", "48", "グッドウッド"}, {"A6", "49", "ヨーク"},
      {"A8", "40", "ロンシャン"}, {"A8", "41", "シャンティイ"}, {"A8", "42", "ドーヴィル"},
      {"A8", "43", "サンクルー"},
      {"B2", "50", "カラ"}, {"B2", "51", "レパーズタウン"},
      {"B6", "62", "フレミントン"}, {"B6", "63", "ランドウィック"}, {"B6", "64", "コーフィールド"},
      {"B6", "65", "ムーニーバレー"}, {"B6", "66", "ローズヒル"},
      {"C7", "54", "ナドアルシバ"}, {"C7", "55", "メイダン"},
      {"G0", "58", "シャティン"}, {"G0", "59", "ハッピーバレー"},
  };
  return table;
}

ydb::Status PlaceOfJraCode(std::string_view jra, std::string* place) {
  // Each JRA code with its one row, or none where a country's code names
  // several courses; built once, as every race record asks.
  static const std::map<std::string_view, const JraPlace*> rows = [] {
    std::map<std::string_view, const JraPlace*> by_code;
    for (const JraPlace& row : JraPlaces()) {
      const auto [at, first] = by_code.emplace(row.jra, &row);
      if (!first) at->second = nullptr;
    }
    return by_code;
  }();
  const auto found = rows.find(jra);
  if (found == rows.end()) {
    return ydb::Status::InvalidArgument("JRA place code '" + std::string(jra) +
                                        "' is not known");
  }
  if (found->second == nullptr) {
    return ydb::Status::InvalidArgument("JRA place code '" + std::string(jra) +
                                        "' names a country with several courses");
  }
  *place = found->second->place;
  return ydb::Status::Ok();
}

ydb::Status JraCodeOfPlace(std::string_view place, std::string* jra) {
  const std::vector<JraPlace>& table = JraPlaces();
  const auto found = std::find_if(table.begin(), table.end(),
                                  [place](const JraPlace& row) { return place == row.place; });
  if (found == table.end()) {
    return ydb::Status::InvalidArgument("place " + std::string(place) +
                                        " has no JRA place code");
  }
  *jra = found->jra;
  return ydb::Status::Ok();
}

}  // namespace exchange
