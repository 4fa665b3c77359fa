// Word lists and the composition of names.
#include "world/Names.h"

#include <cctype>
#include <vector>

namespace world {
namespace {

struct Word {
  const char* kana;
  const char* latin;
};

// Words horse names are made of, with their Latin spelling.
const Word kWords[] = {
    {"ゴールド", "Gold"}, {"シルバー", "Silver"}, {"スター", "Star"}, {"キング", "King"},
    {"クイーン", "Queen"}, {"プリンス", "Prince"}, {"ブルー", "Blue"}, {"レッド", "Red"},
    {"ホワイト", "White"}, {"ブラック", "Black"}, {"グリーン", "Green"}, {"ウインド", "Wind"},
    {"ストーム", "Storm"}, {"サンダー", "Thunder"}, {"ライト", "Light"}, {"ファイア", "Fire"},
    {"ドリーム", "Dream"}, {"ダンス", "Dance"}, {"ソング", "Song"}, {"メロディ", "Melody"},
    {"ハート", "Heart"}, {"ソウル", "Soul"}, {"スピリット", "Spirit"}, {"グレイス", "Grace"},
    {"ミラクル", "Miracle"}, {"ロマン", "Roman"}, {"フェアリー", "Fairy"}, {"エンジェル", "Angel"},
    {"ナイト", "Knight"}, {"ヒーロー", "Hero"}, {"レジェンド", "Legend"}, {"ビクトリー", "Victory"},
    {"グローリー", "Glory"}, {"フォーチュン", "Fortune"}, {"ラッキー", "Lucky"}, {"ハッピー", "Happy"},
    {"スマイル", "Smile"}, {"サニー", "Sunny"}, {"ムーン", "Moon"}, {"サン", "Sun"},
    {"スカイ", "Sky"}, {"オーシャン", "Ocean"}, {"リバー", "River"}, {"フォレスト", "Forest"},
    {"ローズ", "Rose"}, {"リリー", "Lily"}, {"サクラ", "Sakura"}, {"カエデ", "Kaede"},
    {"モミジ", "Momiji"}, {"ツバキ", "Tsubaki"}, {"スミレ", "Sumire"}, {"ヒカリ", "Hikari"},
    {"カゼ", "Kaze"}, {"ソラ", "Sora"}, {"ホシ", "Hoshi"}, {"ハナ", "Hana"}, {"ユメ", "Yume"},
    {"ミライ", "Mirai"}, {"アスカ", "Asuka"}, {"ハヤテ", "Hayate"}, {"イカズチ", "Ikazuchi"},
    {"タイガー", "Tiger"}, {"ライオン", "Lion"}, {"イーグル", "Eagle"}, {"ファルコン", "Falcon"},
    {"ホーク", "Hawk"}, {"ドラゴン", "Dragon"}, {"ペガサス", "Pegasus"}, {"ウルフ", "Wolf"},
    {"パンサー", "Panther"}, {"ルビー", "Ruby"}, {"サファイア", "Sapphire"}, {"パール", "Pearl"},
    {"クリスタル", "Crystal"}, {"ジュエル", "Jewel"}, {"ブレイブ", "Brave"}, {"ボールド", "Bold"},
    {"スウィフト", "Swift"}, {"ラピッド", "Rapid"}, {"ダッシュ", "Dash"}, {"ラッシュ", "Rush"},
    {"ジェット", "Jet"}, {"ロケット", "Rocket"}, {"コメット", "Comet"}, {"メテオ", "Meteor"},
    {"コスモ", "Cosmo"}, {"ノヴァ", "Nova"}, {"オーラ", "Aura"}, {"ルーチェ", "Luce"},
    {"ヴィータ", "Vita"}, {"アモーレ", "Amore"}, {"ベル", "Belle"}, {"シャイン", "Shine"},
    {"ブリーズ", "Breeze"}, {"クラウン", "Crown"}, {"エンペラー", "Emperor"}, {"カイザー", "Kaiser"},
    {"マジック", "Magic"}, {"シークレット", "Secret"}, {"ワンダー", "Wonder"}, {"パワー", "Power"},
    {"フォース", "Force"}, {"マックス", "Max"}, {"グランド", "Grand"}, {"ロイヤル", "Royal"},
    {"ノーブル", "Noble"}, {"エレガンス", "Elegance"}, {"クラシック", "Classic"}, {"リズム", "Rhythm"},
    {"ビート", "Beat"}, {"ジャズ", "Jazz"}, {"サンバ", "Samba"}, {"タンゴ", "Tango"},
    {"ワルツ", "Waltz"}, {"ボレロ", "Bolero"}, {"ソナタ", "Sonata"}, {"アリア", "Aria"},
    {"カノン", "Canon"}, {"エース", "Ace"}, {"ジョーカー", "Joker"}, {"チャンプ", "Champ"},
    {"ウイナー", "Winner"}, {"ランナー", "Runner"}, {"トップ", "Top"}, {"ベスト", "Best"},
    {"ファースト", "First"}, {"ネクスト", "Next"}, {"ビッグ", "Big"}, {"ワイルド", "Wild"},
    {"クール", "Cool"}, {"フラッシュ", "Flash"}, {"スパーク", "Spark"}, {"ブレイズ", "Blaze"},
    {"フレイム", "Flame"}, {"ボルト", "Bolt"}, {"アロー", "Arrow"}, {"ブレード", "Blade"},
    {"シールド", "Shield"}, {"アーサー", "Arthur"}, {"マーリン", "Merlin"}, {"レオ", "Leo"},
    {"ルナ", "Luna"}, {"ソル", "Sol"}, {"テラ", "Terra"}, {"アクア", "Aqua"}, {"ステラ", "Stella"},
    {"ノーザン", "Northern"}, {"サザン", "Southern"}, {"ミヤコ", "Miyako"}, {"ヤマト", "Yamato"},
    {"サムライ", "Samurai"}, {"ショウグン", "Shogun"}, {"テイオー", "Teio"}, {"ヒメ", "Hime"},
    {"アイ", "Ai"}, {"ラブ", "Love"}, {"ピース", "Peace"}, {"ホープ", "Hope"}, {"ジョイ", "Joy"},
    {"ブライト", "Bright"}, {"ダーク", "Dark"}, {"シャドウ", "Shadow"}, {"ミスト", "Mist"},
    {"レイン", "Rain"}, {"スノー", "Snow"}, {"フロスト", "Frost"}, {"サマー", "Summer"},
    {"ウインター", "Winter"}, {"スプリング", "Spring"}, {"オータム", "Autumn"}, {"ノース", "North"},
    {"サウス", "South"}, {"ウエスト", "West"}, {"イースト", "East"}, {"シチー", "City"},
    {"タウン", "Town"}, {"ロード", "Road"}, {"ウェイ", "Way"}, {"ゲート", "Gate"}, {"ヒル", "Hill"},
    {"パーク", "Park"}, {"ベイ", "Bay"}, {"ポート", "Port"}, {"アイランド", "Island"},
    {"ボーイ", "Boy"}, {"ガール", "Girl"}, {"レディ", "Lady"}, {"ミス", "Miss"}, {"エア", "Air"},
    {"ウイン", "Win"}, {"ロック", "Rock"}, {"ポップ", "Pop"}, {"マイ", "My"}, {"ワン", "One"},
    {"トリプル", "Triple"}, {"ダブル", "Double"}, {"ゼロ", "Zero"}, {"ミリオン", "Million"},
    {"ダイヤ", "Diamond"}, {"プラチナ", "Platinum"}, {"ブロンズ", "Bronze"}, {"アイアン", "Iron"},
    {"スチール", "Steel"}, {"ストーン", "Stone"}, {"ガーデン", "Garden"}, {"パレス", "Palace"},
    {"キャッスル", "Castle"}, {"タワー", "Tower"}, {"ブリッジ", "Bridge"}, {"ハーバー", "Harbor"},
    {"ビーチ", "Beach"}, {"レイク", "Lake"}, {"バレー", "Valley"}, {"メドウ", "Meadow"},
    {"フィールド", "Field"}, {"ストリーム", "Stream"}, {"ウェーブ", "Wave"}, {"タイド", "Tide"},
    {"サンセット", "Sunset"}, {"サンライズ", "Sunrise"}, {"ミッドナイト", "Midnight"},
    {"モーニング", "Morning"}, {"デイ", "Day"}, {"タイム", "Time"}, {"ライフ", "Life"},
    {"ワールド", "World"}, {"プラネット", "Planet"}, {"ソーラー", "Solar"}, {"オリオン", "Orion"},
    {"シリウス", "Sirius"}, {"ベガ", "Vega"}, {"アルタイル", "Altair"}, {"リゲル", "Rigel"},
    {"ポラリス", "Polaris"}, {"アトラス", "Atlas"}, {"ゼウス", "Zeus"}, {"アポロ", "Apollo"},
    {"アテナ", "Athena"}, {"ミューズ", "Muse"}, {"ヴィーナス", "Venus"}, {"マーズ", "Mars"},
    {"ジュピター", "Jupiter"}, {"タイタン", "Titan"}, {"ヘリオス", "Helios"}, {"イリス", "Iris"},
    {"フローラ", "Flora"}, {"ダリア", "Dahlia"}, {"カメリア", "Camellia"}, {"マグノリア", "Magnolia"},
    {"ジャスミン", "Jasmine"}, {"ラベンダー", "Lavender"}, {"ミント", "Mint"}, {"シナモン", "Cinnamon"},
    {"ハニー", "Honey"}, {"シュガー", "Sugar"}, {"キャンディ", "Candy"}, {"ショコラ", "Chocolat"},
    {"ベリー", "Berry"}, {"チェリー", "Cherry"}, {"ピーチ", "Peach"}, {"レモン", "Lemon"},
    {"オレンジ", "Orange"}, {"メロン", "Melon"}, {"アップル", "Apple"}, {"オリーブ", "Olive"},
    {"セージ", "Sage"}, {"ローレル", "Laurel"}, {"アイビー", "Ivy"}, {"オーク", "Oak"},
    {"パイン", "Pine"}, {"メープル", "Maple"}, {"ウィロー", "Willow"}, {"ヘザー", "Heather"},
    {"ボス", "Boss"}, {"キャプテン", "Captain"}, {"ジェネラル", "General"}, {"バロン", "Baron"},
    {"デューク", "Duke"}, {"サー", "Sir"}, {"マダム", "Madam"}, {"ドクター", "Doctor"},
    {"マエストロ", "Maestro"}, {"ポエム", "Poem"}, {"ストーリー", "Story"}, {"サーガ", "Saga"},
    {"オデッセイ", "Odyssey"}, {"ジャーニー", "Journey"}, {"クエスト", "Quest"},
    {"チャレンジ", "Challenge"}, {"ドリーマー", "Dreamer"}, {"シーカー", "Seeker"},
    {"メーカー", "Maker"}, {"ブレイカー", "Breaker"}, {"チェイサー", "Chaser"}, {"ハンター", "Hunter"},
    {"レンジャー", "Ranger"}, {"ライダー", "Rider"}, {"パイロット", "Pilot"}, {"セイラー", "Sailor"},
    {"ウォリアー", "Warrior"}, {"スパルタン", "Spartan"}, {"バイキング", "Viking"},
    {"コマンダー", "Commander"}, {"ジーニアス", "Genius"}, {"ミラージュ", "Mirage"},
    {"ファントム", "Phantom"}, {"エコー", "Echo"}, {"ハーモニー", "Harmony"},
    {"シンフォニー", "Symphony"}, {"ラプソディ", "Rhapsody"}, {"セレナーデ", "Serenade"},
    {"ノクターン", "Nocturne"}, {"マーチ", "March"}, {"ポルカ", "Polka"}, {"ルンバ", "Rumba"},
    {"フラメンコ", "Flamenco"}, {"カーニバル", "Carnival"}, {"フェスタ", "Festa"}, {"パレード", "Parade"},
    {"タイフーン", "Typhoon"}, {"ハリケーン", "Hurricane"}, {"トルネード", "Tornado"},
    {"サイクロン", "Cyclone"}, {"ブリザード", "Blizzard"}, {"オーロラ", "Aurora"},
    {"レインボー", "Rainbow"}, {"プリズム", "Prism"}, {"ジャンボ", "Jumbo"}, {"マジェスティ", "Majesty"},
    {"ヴィクトル", "Victor"}, {"アミーゴ", "Amigo"}, {"ボニータ", "Bonita"}, {"リアル", "Real"},
};

// Japanese words, joined with ノ as the old names were (サクラノヒカリ).
const Word kNativeWords[] = {
    {"ヤマ", "Yama"}, {"カワ", "Kawa"}, {"ツキ", "Tsuki"}, {"ミズ", "Mizu"}, {"タカ", "Taka"},
    {"マツ", "Matsu"}, {"タケ", "Take"}, {"ウメ", "Ume"}, {"キク", "Kiku"}, {"フジ", "Fuji"},
    {"ミネ", "Mine"}, {"ナミ", "Nami"}, {"アカネ", "Akane"}, {"コハク", "Kohaku"}, {"ヒスイ", "Hisui"},
    {"ルリ", "Ruri"}, {"ミドリ", "Midori"}, {"アオイ", "Aoi"}, {"カオル", "Kaoru"}, {"ハルカ", "Haruka"},
    {"アサヒ", "Asahi"}, {"ユウヒ", "Yuhi"}, {"ヨアケ", "Yoake"}, {"ホムラ", "Homura"},
    {"カグラ", "Kagura"}, {"ミコト", "Mikoto"}, {"ツルギ", "Tsurugi"}, {"ハガネ", "Hagane"},
    {"イナズマ", "Inazuma"}, {"ハヤブサ", "Hayabusa"}, {"ツバメ", "Tsubame"}, {"カモメ", "Kamome"},
    {"ヒバリ", "Hibari"}, {"トキ", "Toki"}, {"タイヨウ", "Taiyo"}, {"ギンガ", "Ginga"},
    {"スバル", "Subaru"}, {"ノゾミ", "Nozomi"}, {"カナタ", "Kanata"}, {"サクラ", "Sakura"},
    {"ヒカリ", "Hikari"}, {"カゼ", "Kaze"}, {"ソラ", "Sora"}, {"ホシ", "Hoshi"}, {"ハナ", "Hana"},
    {"ユメ", "Yume"}, {"ミヤコ", "Miyako"}, {"ヤマト", "Yamato"}, {"モミジ", "Momiji"},
};

struct Syllable {
  const char* kana;
  const char* latin;
};

const Syllable kSyllables[] = {
    {"ア", "a"},   {"イ", "i"},   {"ウ", "u"},   {"エ", "e"},   {"オ", "o"},   {"カ", "ka"},
    {"キ", "ki"},  {"ク", "ku"},  {"ケ", "ke"},  {"コ", "ko"},  {"サ", "sa"},  {"シ", "shi"},
    {"ス", "su"},  {"セ", "se"},  {"ソ", "so"},  {"タ", "ta"},  {"チ", "chi"}, {"ツ", "tsu"},
    {"テ", "te"},  {"ト", "to"},  {"ナ", "na"},  {"ニ", "ni"},  {"ノ", "no"},  {"ハ", "ha"},
    {"ヒ", "hi"},  {"フ", "fu"},  {"ホ", "ho"},  {"マ", "ma"},  {"ミ", "mi"},  {"ム", "mu"},
    {"メ", "me"},  {"モ", "mo"},  {"ヤ", "ya"},  {"ユ", "yu"},  {"ヨ", "yo"},  {"ラ", "ra"},
    {"リ", "ri"},  {"ル", "ru"},  {"レ", "re"},  {"ロ", "ro"},  {"ワ", "wa"},  {"ガ", "ga"},
    {"ギ", "gi"},  {"グ", "gu"},  {"ゴ", "go"},  {"ザ", "za"},  {"ジ", "ji"},  {"ズ", "zu"},
    {"ダ", "da"},  {"デ", "de"},  {"ド", "do"},  {"バ", "ba"},  {"ビ", "bi"},  {"ブ", "bu"},
    {"ベ", "be"},  {"ボ", "bo"},  {"パ", "pa"},  {"ピ", "pi"},  {"ポ", "po"},  {"ン", "n"},
};
constexpr int kSyllableCount = static_cast<int>(sizeof(kSyllables) / sizeof(kSyllables[0]));

struct Kanji {
  const char* kanji;
  const char* kana;
};

const Kanji kFamilies[] = {
    {"佐藤", "サトウ"}, {"鈴木", "スズキ"}, {"高橋", "タカハシ"}, {"田中", "タナカ"},
    {"伊藤", "イトウ"}, {"渡辺", "ワタナベ"}, {"山本", "ヤマモト"}, {"中村", "ナカムラ"},
    {"小林", "コバヤシ"}, {"加藤", "カトウ"}, {"吉田", "ヨシダ"}, {"山田", "ヤマダ"},
    {"佐々木", "ササキ"}, {"山口", "ヤマグチ"}, {"松本", "マツモト"}, {"井上", "イノウエ"},
    {"木村", "キムラ"}, {"林", "ハヤシ"}, {"斎藤", "サイトウ"}, {"清水", "シミズ"},
    {"山崎", "ヤマザキ"}, {"森", "モリ"}, {"池田", "イケダ"}, {"橋本", "ハシモト"},
    {"阿部", "アベ"}, {"石川", "イシカワ"}, {"山下", "ヤマシタ"}, {"中島", "ナカジマ"},
    {"石井", "イシイ"}, {"小川", "オガワ"}, {"前田", "マエダ"}, {"岡田", "オカダ"},
    {"長谷川", "ハセガワ"}, {"藤田", "フジタ"}, {"後藤", "ゴトウ"}, {"近藤", "コンドウ"},
    {"村上", "ムラカミ"}, {"遠藤", "エンドウ"}, {"青木", "アオキ"}, {"坂本", "サカモト"},
    {"福田", "フクダ"}, {"太田", "オオタ"}, {"西村", "ニシムラ"}, {"藤井", "フジイ"},
    {"金子", "カネコ"}, {"岡本", "オカモト"}, {"藤原", "フジワラ"}, {"中野", "ナカノ"},
    {"三浦", "ミウラ"}, {"原田", "ハラダ"}, {"松田", "マツダ"}, {"竹内", "タケウチ"},
    {"小野", "オノ"}, {"田村", "タムラ"}, {"中川", "ナカガワ"}, {"和田", "ワダ"},
    {"石田", "イシダ"}, {"森田", "モリタ"}, {"上田", "ウエダ"}, {"原", "ハラ"},
    {"内田", "ウチダ"}, {"柴田", "シバタ"}, {"酒井", "サカイ"}, {"宮崎", "ミヤザキ"},
    {"横山", "ヨコヤマ"}, {"高木", "タカギ"}, {"安藤", "アンドウ"}, {"宮本", "ミヤモト"},
    {"大野", "オオノ"}, {"小島", "コジマ"}, {"谷口", "タニグチ"}, {"今井", "イマイ"},
    {"工藤", "クドウ"}, {"高田", "タカダ"}, {"増田", "マスダ"}, {"丸山", "マルヤマ"},
    {"杉山", "スギヤマ"}, {"村田", "ムラタ"}, {"大塚", "オオツカ"}, {"新井", "アライ"},
    {"小山", "コヤマ"}, {"平野", "ヒラノ"}, {"藤本", "フジモト"}, {"河野", "コウノ"},
    {"上野", "ウエノ"}, {"野口", "ノグチ"}, {"武田", "タケダ"}, {"松井", "マツイ"},
    {"千葉", "チバ"}, {"岩崎", "イワサキ"}, {"菅原", "スガワラ"}, {"木下", "キノシタ"},
    {"久保", "クボ"}, {"佐野", "サノ"}, {"野村", "ノムラ"}, {"松尾", "マツオ"},
    {"菊地", "キクチ"}, {"杉本", "スギモト"}, {"市川", "イチカワ"}, {"古川", "フルカワ"},
    {"大西", "オオニシ"}, {"島田", "シマダ"}, {"水野", "ミズノ"}, {"桜井", "サクライ"},
    {"高野", "タカノ"}, {"吉川", "ヨシカワ"}, {"山内", "ヤマウチ"}, {"西田", "ニシダ"},
    {"飯田", "イイダ"}, {"西川", "ニシカワ"}, {"小松", "コマツ"}, {"北村", "キタムラ"},
    {"安田", "ヤスダ"}, {"五十嵐", "イガラシ"}, {"川口", "カワグチ"}, {"平田", "ヒラタ"},
    {"関", "セキ"}, {"中田", "ナカタ"}, {"久保田", "クボタ"}, {"服部", "ハットリ"},
    {"東", "アズマ"}, {"岩田", "イワタ"}, {"土屋", "ツチヤ"}, {"本田", "ホンダ"},
    {"辻", "ツジ"}, {"樋口", "ヒグチ"}, {"秋山", "アキヤマ"}, {"田口", "タグチ"},
    {"永井", "ナガイ"}, {"中西", "ナカニシ"}, {"吉村", "ヨシムラ"}, {"川上", "カワカミ"},
    {"大橋", "オオハシ"}, {"石原", "イシハラ"}, {"松岡", "マツオカ"}, {"浜田", "ハマダ"},
    {"馬場", "ババ"}, {"森本", "モリモト"}, {"矢野", "ヤノ"}, {"荒木", "アラキ"},
    {"松下", "マツシタ"}, {"小池", "コイケ"}, {"大島", "オオシマ"}, {"津田", "ツダ"},
};

const Kanji kMaleGiven[] = {
    {"一郎", "イチロウ"}, {"健太", "ケンタ"}, {"翔", "ショウ"}, {"大輔", "ダイスケ"},
    {"誠", "マコト"}, {"隆", "タカシ"}, {"浩二", "コウジ"}, {"達也", "タツヤ"},
    {"和也", "カズヤ"}, {"拓也", "タクヤ"}, {"直樹", "ナオキ"}, {"健一", "ケンイチ"},
    {"雄一", "ユウイチ"}, {"亮", "リョウ"}, {"剛", "ツヨシ"}, {"修", "オサム"},
    {"勝", "マサル"}, {"豊", "ユタカ"}, {"学", "マナブ"}, {"聡", "サトシ"},
    {"博", "ヒロシ"}, {"正", "タダシ"}, {"進", "ススム"}, {"康太", "コウタ"},
    {"悠太", "ユウタ"}, {"大樹", "ダイキ"}, {"陸", "リク"}, {"蓮", "レン"},
    {"颯", "ハヤテ"}, {"優", "ユウ"}, {"圭", "ケイ"}, {"光", "ヒカル"},
    {"秀樹", "ヒデキ"}, {"英明", "ヒデアキ"}, {"裕介", "ユウスケ"}, {"慎吾", "シンゴ"},
    {"俊", "シュン"}, {"海斗", "カイト"}, {"健", "ケン"}, {"武", "タケシ"},
    {"徹", "トオル"}, {"昭", "アキラ"}, {"義男", "ヨシオ"}, {"秀人", "ヒデト"},
    {"幸一", "コウイチ"}, {"哲也", "テツヤ"}, {"信二", "シンジ"}, {"雅人", "マサト"},
    {"智", "サトル"}, {"純", "ジュン"}, {"克也", "カツヤ"}, {"洋平", "ヨウヘイ"},
    {"翼", "ツバサ"}, {"匠", "タクミ"}, {"駿", "シュン"}, {"航", "ワタル"},
    {"昌弘", "マサヒロ"}, {"範明", "ノリアキ"}, {"邦彦", "クニヒコ"}, {"勇人", "ハヤト"},
};

const Kanji kFemaleGiven[] = {
    {"美穂", "ミホ"}, {"恵", "メグミ"}, {"彩", "アヤ"}, {"由美", "ユミ"}, {"菜々", "ナナ"},
    {"真由", "マユ"}, {"沙織", "サオリ"}, {"結衣", "ユイ"}, {"莉子", "リコ"}, {"千春", "チハル"},
    {"友美", "トモミ"}, {"愛", "アイ"}, {"玲奈", "レイナ"}, {"明日香", "アスカ"},
};

const char* const kCompanySuffixes[] = {"レーシング", "ホースクラブ", "ファーム", "ステーブル",
                                        "サラブレッドクラブ", "ホールディングス"};
const char* const kFarmWords[] = {"牧場", "ファーム", "スタッド", "ステーブル"};

template <typename T, std::size_t N>
const T& PickFrom(Random& random, const T (&items)[N]) {
  return items[random.Below(static_cast<int>(N))];
}

std::string Capitalised(std::string latin) {
  if (!latin.empty()) latin[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(latin[0])));
  return latin;
}

// A name of `syllables` kana syllables that reads well enough: no ン first.
HorseName SyllableName(Random& random, int syllables) {
  HorseName name;
  std::string latin;
  for (int i = 0; i < syllables; ++i) {
    // ン neither opens a name nor follows itself.
    int s = random.Below(kSyllableCount);
    while (std::string(kSyllables[s].latin) == "n" && (i == 0 || latin.back() == 'n')) {
      s = random.Below(kSyllableCount);
    }
    name.kana += kSyllables[s].kana;
    latin += kSyllables[s].latin;
    if (i > 0 && i + 1 < syllables && random.Chance(0.12)) {
      name.kana += "ー";
      latin += latin.back();
    }
  }
  name.latin = Capitalised(latin);
  return name;
}

HorseName Compose(const std::string& first_kana, const std::string& first_latin,
                  const Word& second) {
  return {first_kana + second.kana, first_latin + " " + second.latin};
}

bool Fits(const HorseName& name) {
  const std::size_t chars = CharCount(name.kana);
  return chars >= 2 && chars <= 9 && name.latin.size() <= 34;
}

HorseName Candidate(Random& random, const std::string& crown, const std::string& crown_latin) {
  const double u = random.Uniform();
  if (!crown.empty() && u < 0.65) return Compose(crown, crown_latin, PickFrom(random, kWords));
  if (u < 0.08) return SyllableName(random, random.Between(3, 4));
  if (u < 0.2) {
    const Word& a = PickFrom(random, kNativeWords);
    const Word& b = PickFrom(random, kNativeWords);
    return {std::string(a.kana) + "ノ" + b.kana, std::string(a.latin) + " no " + b.latin};
  }
  const Word& a = PickFrom(random, kWords);
  if (u < 0.23) return {a.kana, a.latin};
  return Compose(a.kana, a.latin, PickFrom(random, kWords));
}

// The Latin spelling of a crown, found in the word list (crowns are words).
std::string CrownLatin(const std::string& crown) {
  for (const Word& w : kWords) {
    if (crown == w.kana) return w.latin;
  }
  return crown;
}

}  // namespace

std::size_t CharCount(const std::string& utf8) {
  std::size_t n = 0;
  for (unsigned char c : utf8) {
    if ((c & 0xC0) != 0x80) ++n;
  }
  return n;
}

std::size_t SjisWidth(const std::string& utf8) {
  std::size_t n = 0;
  for (unsigned char c : utf8) {
    if (c < 0x80) {
      n += 1;
    } else if ((c & 0xC0) != 0x80) {
      n += 2;
    }
  }
  return n;
}

HorseName NewHorseName(World& world, Random& random, const std::string& crown) {
  const std::string crown_latin = CrownLatin(crown);
  for (int attempt = 0;; ++attempt) {
    // A crown too long for most words gives way after a while.
    HorseName name = attempt < 30 ? Candidate(random, crown, crown_latin) : Candidate(random, "", "");
    if (!Fits(name) || world.horse_names.count(name.kana) != 0) continue;
    world.horse_names.insert(name.kana);
    return name;
  }
}

HorseName NewImportedName(World& world, Random& random) {
  for (;;) {
    HorseName name;
    const Word& a = PickFrom(random, kWords);
    if (random.Chance(0.55)) {
      const Word& b = PickFrom(random, kWords);
      name = {std::string(a.kana) + b.kana, std::string(a.latin) + " " + b.latin};
    } else {
      const HorseName tail = SyllableName(random, random.Between(2, 3));
      name = {std::string(a.kana) + tail.kana, std::string(a.latin) + " " + tail.latin};
    }
    if (!Fits(name) || world.horse_names.count(name.kana) != 0) continue;
    world.horse_names.insert(name.kana);
    return name;
  }
}

PersonName NewPersonName(World& world, Random& random, bool female) {
  for (;;) {
    const Kanji& family = PickFrom(random, kFamilies);
    const Kanji& given = female ? PickFrom(random, kFemaleGiven) : PickFrom(random, kMaleGiven);
    PersonName name{std::string(family.kanji) + given.kanji,
                    std::string(family.kana) + " " + given.kana, family.kanji, given.kanji};
    if (world.person_names.insert(name.kanji).second) return name;
  }
}

std::string ShortPersonName(const PersonName& name) {
  if (CharCount(name.family) >= 3) return name.family;
  // The first character of the given name: one UTF-8 kanji is three bytes.
  return name.family + name.given.substr(0, 3);
}

OwnerName NewOwnerName(World& world, Random& random) {
  for (;;) {
    OwnerName owner;
    if (random.Chance(0.55)) {
      const PersonName person = NewPersonName(world, random, random.Chance(0.1));
      owner.name = person.kanji;
      owner.short_name = person.kanji;
      if (random.Chance(0.35)) owner.crown = PickFrom(random, kWords).kana;
      return owner;
    }
    const Word& word = PickFrom(random, kWords);
    const char* suffix = PickFrom(random, kCompanySuffixes);
    owner.crown = word.kana;
    owner.short_name = std::string(word.kana) + suffix;
    const double form = random.Uniform();
    owner.name = form < 0.4 ? "(株)" + owner.short_name
                            : form < 0.6 ? "(有)" + owner.short_name : owner.short_name;
    if (SjisWidth(owner.short_name) > 20) owner.short_name = word.kana;
    if (SjisWidth(owner.name) > 40) continue;
    if (world.person_names.insert(owner.name).second) return owner;
  }
}

std::string NewBreederName(World& world, Random& random) {
  for (;;) {
    std::string name;
    const double form = random.Uniform();
    if (form < 0.45) {
      name = std::string(PickFrom(random, kFamilies).kanji) + "牧場";
    } else if (form < 0.75) {
      name = std::string(PickFrom(random, kWords).kana) + PickFrom(random, kFarmWords);
    } else if (form < 0.85) {
      name = "(有)" + std::string(PickFrom(random, kFamilies).kanji) + "牧場";
    } else {
      name = NewPersonName(world, random, false).kanji;
    }
    if (SjisWidth(name) <= 40 && world.person_names.insert(name).second) return name;
  }
}

}  // namespace world
