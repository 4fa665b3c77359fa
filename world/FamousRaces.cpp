// The table of graded races and their placing in a season.
#include "world/FamousRaces.h"

#include <cstdlib>

#include "world/Dates.h"

namespace world {
namespace {

constexpr Surface T = Surface::kTurf;
constexpr Surface D = Surface::kDirt;
constexpr Surface J = Surface::kJump;
constexpr Band B2 = Band::k2yo;
constexpr Band B3 = Band::k3yo;
constexpr Band B3U = Band::k3up;
constexpr Band B4U = Band::k4up;
constexpr WeightRule A = WeightRule::kAge;
constexpr WeightRule S = WeightRule::kSet;
constexpr WeightRule B = WeightRule::kAllowance;
constexpr WeightRule H = WeightRule::kHandicap;
constexpr bool F = false;   // counted from the first weekend
constexpr bool E = true;    // counted back from the last weekend
constexpr int SAT = 0, SUN = 1, FIRST = 2, LAST = 3;

// 00 京都 01 阪神 02 中京 03 小倉 04 東京 05 中山 06 福島 07 新潟 08 札幌 09 函館
const std::vector<FamousRace> kRaces = {
    // January and February.
    {"中山金杯", 2, 5, F, 0, FIRST, T, 2000, B4U, false, H, 4100, 68, 1, 11, 0},
    {"京都金杯", 2, 0, F, 0, FIRST, T, 1600, B4U, false, H, 4100, 57, 1, 11, 0},
    {"シンザン記念", 2, 0, F, 1, SUN, T, 1600, B3, false, B, 3800, 53, 1, 11, 0},
    {"フェアリーステークス", 2, 5, F, 1, SUN, T, 1600, B3, true, B, 3600, 35, 1, 11, 0},
    {"日経新春杯", 1, 0, F, 2, SUN, T, 2400, B4U, false, H, 5700, 66, 1, 11, 0},
    {"京成杯", 2, 5, F, 2, SUN, T, 2000, B3, false, B, 3800, 59, 1, 11, 0},
    {"愛知杯", 2, 2, F, 2, SAT, T, 2000, B4U, true, H, 3600, 56, 1, 11, 0},
    {"アメリカジョッキーCC", 1, 5, F, 3, SUN, T, 2200, B4U, false, B, 6200, 60, 1, 11, 0},
    {"東海ステークス", 1, 2, F, 3, SUN, D, 1800, B4U, false, B, 5500, 36, 1, 11, 0},
    {"シルクロードステークス", 2, 0, F, 3, SAT, T, 1200, B4U, false, H, 4100, 24, 1, 11, 0},
    {"根岸ステークス", 2, 4, F, 4, SAT, D, 1400, B4U, false, B, 3800, 33, 1, 11, 0},
    {"東京新聞杯", 2, 4, F, 4, SUN, T, 1600, B4U, false, B, 4100, 69, 1, 11, 0},
    {"きさらぎ賞", 2, 0, F, 4, SUN, T, 1800, B3, false, B, 3800, 59, 1, 11, 0},
    {"クイーンカップ", 2, 4, F, 5, SAT, T, 1600, B3, true, B, 3600, 54, 1, 11, 0},
    {"共同通信杯", 2, 4, F, 5, SUN, T, 1800, B3, false, B, 3800, 53, 1, 11, 0},
    {"京都記念", 1, 0, F, 5, SUN, T, 2200, B4U, false, B, 6200, 112, 1, 11, 0},
    {"ダイヤモンドステークス", 2, 4, F, 6, SAT, T, 3400, B4U, false, H, 4100, 69, 1, 11, 0},
    {"京都牝馬ステークス", 2, 0, F, 6, SAT, T, 1400, B4U, true, B, 4100, 54, 1, 11, 0},
    {"フェブラリーステークス", 0, 4, F, 6, SUN, D, 1600, B4U, false, S, 10000, 36, 1, 11, 0},
    {"小倉大賞典", 2, 3, F, 7, SUN, T, 1800, B4U, false, H, 4100, 53, 1, 11, 0},
    // March and April.
    {"アーリントンカップ", 2, 1, F, 8, SAT, T, 1600, B3, false, B, 3800, 28, 1, 11, 0},
    {"中山記念", 1, 5, F, 8, SUN, T, 1800, B4U, false, B, 6200, 93, 1, 11, 0},
    {"阪急杯", 2, 1, F, 8, SUN, T, 1400, B4U, false, B, 4100, 63, 1, 11, 0},
    {"金鯱賞", 1, 2, F, 8, SUN, T, 2000, B4U, false, B, 6200, 55, 1, 11, 0},
    {"オーシャンステークス", 2, 5, F, 9, SAT, T, 1200, B4U, false, B, 4100, 14, 1, 11, 0},
    {"チューリップ賞", 1, 1, F, 9, SAT, T, 1600, B3, true, B, 5200, 26, 1, 11, 0},
    {"弥生賞", 1, 5, F, 9, SUN, T, 2000, B3, false, B, 5400, 56, 1, 11, 0},
    {"阪神スプリングジャンプ", 4, 1, F, 10, SAT, J, 3900, B4U, false, B, 3700, 21, 1, 8, 0},
    {"中山牝馬ステークス", 2, 5, F, 10, SAT, T, 1800, B4U, true, H, 3600, 37, 1, 11, 0},
    {"フィリーズレビュー", 1, 1, F, 10, SUN, T, 1400, B3, true, B, 5200, 53, 1, 11, 0},
    {"フラワーカップ", 2, 5, F, 11, SAT, T, 1800, B3, true, B, 3600, 33, 1, 11, 0},
    {"ファルコンステークス", 2, 2, F, 11, SAT, T, 1400, B3, false, B, 3800, 33, 1, 11, 0},
    {"スプリングステークス", 1, 5, F, 11, SUN, T, 1800, B3, false, B, 5400, 68, 1, 11, 0},
    {"阪神大賞典", 1, 1, F, 11, SUN, T, 3000, B4U, false, B, 6700, 67, 1, 11, 0},
    {"高松宮記念", 0, 2, F, 11, SUN, T, 1200, B4U, false, S, 15000, 49, 1, 11, 0},
    {"日経賞", 1, 5, F, 12, SAT, T, 2500, B4U, false, B, 6200, 67, 1, 11, 0},
    {"毎日杯", 2, 1, F, 12, SAT, T, 1800, B3, false, B, 3800, 66, 1, 11, 0},
    {"マーチステークス", 2, 5, F, 12, SUN, D, 1800, B4U, false, H, 3600, 26, 1, 11, 0},
    {"大阪杯", 0, 1, F, 12, SUN, T, 2000, B4U, false, S, 15000, 63, 1, 11, 2017},
    {"ダービー卿チャレンジT", 2, 5, F, 13, SAT, T, 1600, B4U, false, H, 4100, 51, 1, 11, 0},
    {"阪神牝馬ステークス", 1, 1, F, 13, SAT, T, 1600, B4U, true, B, 5900, 62, 1, 11, 0},
    {"ニュージーランドトロフィー", 1, 5, F, 13, SUN, T, 1600, B3, false, B, 5400, 37, 1, 10, 0},
    {"桜花賞", 0, 1, F, 13, SUN, T, 1600, B3, true, S, 10500, 79, 1, 11, 0},
    {"中山グランドジャンプ", 3, 5, F, 14, SAT, J, 4250, B4U, false, S, 6600, 21, 1, 10, 0},
    {"福島牝馬ステークス", 2, 6, F, 14, SAT, T, 1800, B4U, true, B, 3600, 16, 1, 11, 0},
    {"アンタレスステークス", 2, 1, F, 14, SUN, D, 1800, B4U, false, B, 3800, 24, 1, 11, 0},
    {"皐月賞", 0, 5, F, 14, SUN, T, 2000, B3, false, S, 11000, 79, 1, 11, 0},
    // Spring in Tokyo and Kyoto.
    {"フローラステークス", 1, 4, F, 15, SUN, T, 2000, B3, true, B, 5200, 54, 1, 11, 0},
    {"マイラーズカップ", 1, 0, F, 15, SUN, T, 1600, B4U, false, B, 5900, 50, 1, 11, 0},
    {"青葉賞", 1, 4, F, 16, SAT, T, 2400, B3, false, B, 5400, 26, 1, 11, 0},
    {"天皇賞(春)", 0, 0, F, 16, SUN, T, 3200, B4U, false, S, 15000, 159, 2, 11, 0},
    {"京都新聞杯", 1, 0, F, 17, SAT, T, 2200, B3, false, B, 5400, 67, 1, 11, 0},
    {"京都ハイジャンプ", 4, 0, F, 17, SAT, J, 3930, B4U, false, B, 3700, 21, 1, 8, 0},
    {"NHKマイルカップ", 0, 4, F, 17, SUN, T, 1600, B3, false, S, 10500, 24, 1, 11, 0},
    {"新潟大賞典", 2, 7, F, 17, SUN, T, 2000, B4U, false, H, 4100, 41, 1, 11, 0},
    {"京王杯スプリングカップ", 1, 4, F, 18, SAT, T, 1400, B4U, false, B, 5900, 64, 1, 11, 0},
    {"ヴィクトリアマイル", 0, 4, F, 18, SUN, T, 1600, B4U, true, S, 10500, 14, 1, 11, 0},
    {"平安ステークス", 2, 0, F, 19, SAT, D, 1900, B4U, false, B, 3800, 26, 1, 11, 0},
    {"優駿牝馬（オークス）", 0, 4, F, 19, SUN, T, 2400, B3, true, S, 11000, 80, 1, 11, 0},
    {"葵ステークス", 2, 0, F, 20, SAT, T, 1200, B3, false, B, 3800, 2, 1, 11, 2018},
    {"東京優駿（日本ダービー）", 0, 4, F, 20, SUN, T, 2400, B3, false, S, 20000, 86, 1, 10, 0},
    {"目黒記念", 1, 4, F, 20, SUN, T, 2500, B4U, false, H, 5700, 133, 1, 12, 0},
    // June.
    {"鳴尾記念", 2, 1, F, 21, SAT, T, 2000, B3U, false, B, 4100, 72, 1, 11, 0},
    {"安田記念", 0, 4, F, 21, SUN, T, 1600, B3U, false, S, 15000, 69, 1, 11, 0},
    {"エプソムカップ", 2, 4, F, 22, SUN, T, 1800, B3U, false, B, 4100, 36, 1, 11, 0},
    {"マーメイドステークス", 2, 1, F, 22, SUN, T, 2000, B3U, true, H, 3600, 24, 1, 11, 0},
    {"東京ジャンプステークス", 5, 4, F, 23, SAT, J, 3110, B3U, false, B, 3000, 21, 1, 8, 0},
    {"函館スプリントステークス", 2, 9, F, 23, SUN, T, 1200, B3U, false, B, 4100, 26, 1, 11, 0},
    {"ユニコーンステークス", 2, 4, F, 23, SUN, D, 1600, B3, false, B, 3500, 24, 1, 11, 0},
    {"宝塚記念", 0, 1, F, 24, SUN, T, 2200, B3U, false, S, 15000, 60, 1, 11, 0},
    // Summer.
    {"函館2歳ステークス", 2, 9, F, 25, SAT, T, 1200, B2, false, B, 3100, 51, 1, 11, 0},
    {"ラジオNIKKEI賞", 2, 6, F, 25, SUN, T, 1800, B3, false, H, 3800, 68, 1, 11, 0},
    {"CBC賞", 2, 2, F, 25, SUN, T, 1200, B3U, false, H, 4100, 55, 1, 11, 0},
    {"函館記念", 2, 9, F, 25, SUN, T, 2000, B3U, false, H, 4100, 55, 1, 11, 0},
    {"七夕賞", 2, 6, F, 26, SUN, T, 2000, B3U, false, H, 4100, 55, 1, 11, 0},
    {"プロキオンステークス", 2, 2, F, 26, SUN, D, 1400, B3U, false, B, 3800, 24, 1, 11, 0},
    {"中京記念", 2, 2, F, 28, SUN, T, 1600, B3U, false, H, 4100, 67, 1, 11, 0},
    {"アイビスサマーダッシュ", 2, 7, F, 29, SUN, T, 1000, B3U, false, B, 4100, 19, 1, 11, 0},
    {"クイーンステークス", 2, 8, F, 29, SUN, T, 1800, B3U, true, B, 3600, 67, 1, 11, 0},
    {"小倉サマージャンプ", 5, 3, F, 30, SAT, J, 3390, B3U, false, B, 3000, 21, 1, 8, 0},
    {"小倉記念", 2, 3, F, 30, SUN, T, 2000, B3U, false, H, 4100, 55, 1, 11, 0},
    {"レパードステークス", 2, 7, F, 30, SUN, D, 1800, B3, false, B, 3800, 11, 1, 11, 0},
    {"新潟ジャンプステークス", 5, 7, F, 31, SAT, J, 3250, B3U, false, B, 3000, 21, 1, 8, 0},
    {"関屋記念", 2, 7, F, 31, SUN, T, 1600, B3U, false, B, 4100, 54, 1, 11, 0},
    {"エルムステークス", 2, 8, F, 31, SUN, D, 1700, B3U, false, B, 4100, 24, 1, 11, 0},
    {"北九州記念", 2, 3, F, 32, SUN, T, 1200, B3U, false, H, 4100, 54, 1, 11, 0},
    {"札幌記念", 1, 8, F, 32, SUN, T, 2000, B3U, false, S, 7000, 55, 1, 11, 0},
    {"新潟2歳ステークス", 2, 7, F, 33, SUN, T, 1600, B2, false, B, 3100, 39, 1, 11, 0},
    {"キーンランドカップ", 2, 8, F, 33, SUN, T, 1200, B3U, false, B, 4100, 14, 1, 11, 0},
    {"札幌2歳ステークス", 2, 8, F, 33, SAT, T, 1800, B2, false, B, 3100, 54, 1, 11, 0},
    {"新潟記念", 2, 7, E, 16, SUN, T, 2000, B3U, false, H, 4100, 55, 1, 11, 0},
    {"小倉2歳ステークス", 2, 3, E, 16, SUN, T, 1200, B2, false, B, 3100, 39, 1, 11, 0},
    // September and October.
    {"紫苑ステークス", 2, 5, E, 15, SAT, T, 2000, B3, true, B, 3500, 6, 1, 11, 2016},
    {"京成杯オータムハンデキャップ", 2, 5, E, 15, SUN, T, 1600, B3U, false, H, 4100, 64, 1, 11, 0},
    {"セントウルステークス", 1, 1, E, 15, SUN, T, 1200, B3U, false, B, 5900, 33, 1, 11, 0},
    {"阪神ジャンプステークス", 5, 1, E, 14, SAT, J, 3140, B3U, false, B, 3000, 21, 1, 8, 0},
    {"セントライト記念", 1, 5, E, 14, SUN, T, 2200, B3, false, B, 5400, 73, 1, 11, 0},
    {"ローズステークス", 1, 1, E, 14, SUN, T, 1800, B3, true, B, 5200, 37, 1, 11, 0},
    {"オールカマー", 1, 5, E, 13, SUN, T, 2200, B3U, false, B, 6700, 65, 1, 11, 0},
    {"神戸新聞杯", 1, 1, E, 13, SUN, T, 2400, B3, false, B, 5400, 67, 1, 11, 0},
    {"シリウスステークス", 2, 1, E, 12, SAT, D, 2000, B3U, false, H, 3800, 23, 1, 11, 0},
    {"スプリンターズステークス", 0, 5, E, 12, SUN, T, 1200, B3U, false, S, 13000, 53, 1, 11, 0},
    {"サウジアラビアロイヤルC", 2, 4, E, 11, SAT, T, 1600, B2, false, B, 3300, 5, 1, 11, 2016},
    {"毎日王冠", 1, 4, E, 11, SUN, T, 1800, B3U, false, B, 6700, 70, 1, 11, 0},
    {"京都大賞典", 1, 0, E, 11, SUN, T, 2400, B3U, false, B, 6700, 54, 1, 11, 0},
    {"府中牝馬ステークス", 1, 4, E, 10, SAT, T, 1800, B3U, true, B, 5500, 67, 1, 11, 0},
    {"東京ハイジャンプ", 4, 4, E, 10, SUN, J, 3110, B3U, false, B, 3700, 21, 1, 8, 0},
    {"秋華賞", 0, 0, E, 10, SUN, T, 2000, B3, true, S, 10000, 24, 1, 11, 0},
    {"富士ステークス", 2, 4, E, 9, SAT, T, 1600, B3U, false, B, 4100, 22, 1, 11, 0},
    {"菊花賞", 0, 0, E, 9, SUN, T, 3000, B3, false, S, 12000, 80, 1, 11, 0},
    {"アルテミスステークス", 2, 4, E, 8, SAT, T, 1600, B2, true, B, 3100, 8, 1, 11, 2014},
    {"スワンステークス", 1, 0, E, 8, SAT, T, 1400, B3U, false, B, 5900, 62, 1, 11, 0},
    {"天皇賞(秋)", 0, 4, E, 8, SUN, T, 2000, B3U, false, S, 15000, 160, 2, 11, 0},
    // November and December.
    {"京王杯2歳ステークス", 1, 4, E, 7, SAT, T, 1400, B2, false, B, 3800, 55, 1, 11, 0},
    {"ファンタジーステークス", 2, 0, E, 7, SAT, T, 1400, B2, true, B, 3100, 24, 1, 11, 0},
    {"アルゼンチン共和国杯", 1, 4, E, 7, SUN, T, 2500, B3U, false, H, 5700, 57, 1, 11, 0},
    {"みやこステークス", 2, 0, E, 7, SUN, D, 1800, B3U, false, B, 3800, 10, 1, 11, 0},
    {"武蔵野ステークス", 2, 4, E, 6, SAT, D, 1600, B3U, false, B, 3800, 24, 1, 11, 0},
    {"デイリー杯2歳ステークス", 1, 0, E, 6, SAT, T, 1600, B2, false, B, 3800, 54, 1, 11, 0},
    {"エリザベス女王杯", 0, 0, E, 6, SUN, T, 2200, B3U, true, S, 10500, 44, 1, 11, 0},
    {"東京スポーツ杯2歳ステークス", 2, 4, E, 5, SAT, T, 1800, B2, false, B, 3300, 24, 1, 11, 0},
    {"京都ジャンプステークス", 5, 0, E, 5, SAT, J, 3170, B3U, false, B, 3000, 21, 1, 8, 0},
    {"マイルチャンピオンシップ", 0, 0, E, 5, SUN, T, 1600, B3U, false, S, 13000, 36, 1, 11, 0},
    {"福島記念", 2, 6, E, 5, SUN, T, 2000, B3U, false, H, 4100, 55, 1, 11, 0},
    {"京都2歳ステークス", 2, 0, E, 4, SAT, T, 2000, B2, false, B, 3300, 55, 1, 11, 2014},
    {"ジャパンカップ", 0, 4, E, 4, SUN, T, 2400, B3U, false, S, 30000, 39, 1, 11, 0},
    {"京阪杯", 2, 0, E, 4, SUN, T, 1200, B3U, false, H, 4100, 64, 1, 12, 0},
    {"ステイヤーズステークス", 1, 5, E, 3, SAT, T, 3600, B3U, false, B, 6200, 53, 1, 11, 0},
    {"チャレンジカップ", 2, 1, E, 3, SAT, T, 2000, B3U, false, B, 4100, 70, 1, 11, 0},
    {"チャンピオンズカップ", 0, 2, E, 3, SUN, D, 1800, B3U, false, S, 10000, 20, 1, 11, 0},
    {"中日新聞杯", 2, 2, E, 2, SAT, T, 2000, B3U, false, H, 4100, 55, 1, 11, 0},
    {"カペラステークス", 2, 5, E, 2, SUN, D, 1200, B3U, false, B, 3800, 12, 1, 11, 0},
    {"阪神ジュベナイルフィリーズ", 0, 1, E, 2, SUN, T, 1600, B2, true, A, 6500, 71, 1, 11, 0},
    {"ターコイズステークス", 2, 5, E, 1, SAT, T, 1600, B3U, true, H, 3600, 5, 1, 11, 2017},
    {"朝日杯フューチュリティS", 0, 1, E, 1, SUN, T, 1600, B2, false, A, 7000, 71, 1, 11, 0},
    {"中山大障害", 3, 5, E, 0, SAT, J, 4100, B3U, false, S, 6600, 142, 1, 10, 0},
    {"阪神カップ", 1, 1, E, 0, SAT, T, 1400, B3U, false, S, 6700, 14, 1, 11, 0},
    {"有馬記念", 0, 5, E, 0, SUN, T, 2500, B3U, false, S, 30000, 64, 1, 11, 0},
    {"ホープフルステークス", 0, 5, E, 0, LAST, T, 2000, B2, false, A, 7000, 36, 1, 11, 2017},
};

// The race day of a weekend that `day` names, on which `place` races.
const RaceDay* DayFor(const Season& season, int weekend, int day, int place) {
  const RaceDay* found = nullptr;
  for (const RaceDay& d : season.days) {
    if (d.weekend != weekend) continue;
    bool races_here = false;
    for (const VenueDay& v : d.venues) races_here = races_here || v.place == place;
    if (!races_here) continue;
    const bool match = (day == SAT && d.weekday == kSaturday && !d.holiday) ||
                       (day == SUN && d.weekday == kSunday) || day == FIRST || day == LAST;
    if (!match) continue;
    if (day == FIRST) return &d;
    found = &d;
  }
  // The last day of the last weekend is 28 December when it is raced; on a
  // Sunday it gives way to the big race of that Sunday and the race runs
  // on the Saturday.
  if (day == LAST && found != nullptr && found->weekday == kSunday) {
    return DayFor(season, weekend, SAT, place);
  }
  return found;
}

const Layout* FindLayout(int place, Surface surface, int distance) {
  for (const Layout& l : CourseAt(place).layouts) {
    if (l.surface == surface && l.distance == distance) return &l;
  }
  return nullptr;
}

// A race moved to another course runs over that course's nearest distance
// on the same surface, the longer of two as near (Kyoto's 1800 m at Chukyo
// is run over 2000 m, its 3930 m jump at Hanshin over 3900 m).
const Layout* NearestLayout(int place, Surface surface, int distance) {
  const Layout* best = nullptr;
  for (const Layout& l : CourseAt(place).layouts) {
    if (l.surface != surface) continue;
    const int off = std::abs(l.distance - distance);
    const int best_off = best == nullptr ? 0 : std::abs(best->distance - distance);
    if (best == nullptr || off < best_off || (off == best_off && l.distance > best->distance)) best = &l;
  }
  return best;
}

}  // namespace

const std::vector<FamousRace>& FamousRaces() { return kRaces; }

std::vector<ScheduledRace> ScheduleFamousRaces(const Season& season) {
  std::vector<ScheduledRace> out;
  for (const FamousRace& r : kRaces) {
    const int weekend = season.weekendIndex(r.from_end, r.weekend);
    if (weekend < 0) continue;
    const int place = HostOf(r.place, season.saturdays[static_cast<std::size_t>(weekend)]);
    const RaceDay* day = DayFor(season, weekend, r.day, place);
    const Layout* layout = place == r.place ? FindLayout(place, r.surface, r.distance)
                                            : NearestLayout(place, r.surface, r.distance);
    if (day == nullptr || layout == nullptr) continue;
    ScheduledRace s;
    s.date = day->date;
    RacePlan& plan = s.plan;
    plan.place = place;
    plan.number = r.number;
    plan.layout = layout;
    plan.band = r.band;
    plan.horse_class = HorseClass::kOpen;
    const bool before_upgrade = r.upgraded != 0 && season.year < r.upgraded;
    plan.grade = r.grade;
    if (before_upgrade) {
      // Before it took its grade: a G3 was a listed open race.
      const bool was_listed = r.grade == 2 || r.grade == 5;
      plan.grade = was_listed ? kNoGrade : r.grade + 1;
      plan.listed = was_listed;
    }
    plan.fillies = r.fillies;
    plan.special = true;
    plan.name = r.name;
    plan.edition = r.edition_2019 + r.runs_per_year * (season.year - 2019);
    if (plan.edition < 1) plan.edition = 0;
    plan.rule = r.rule;
    plan.prize = static_cast<std::int64_t>(r.prize) * 10000;
    out.push_back(std::move(s));
  }
  return out;
}

}  // namespace world
