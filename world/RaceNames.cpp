// Word lists of seasons and places for race names.
#include "world/RaceNames.h"

#include "world/Random.h"

namespace world {
namespace {

const char* const kSeasonWords[12][6] = {
    {"新春", "若潮", "寒梅", "睦月", "初富士", "寒竹"},
    {"春菜", "梅花", "早春", "雪割草", "如月", "節分"},
    {"弥生", "桃花", "菜の花", "春雷", "沈丁花", "木蓮"},
    {"卯月", "山吹", "春光", "若草", "桜草", "春風"},
    {"新緑", "薫風", "青嵐", "菖蒲", "若葉", "立夏"},
    {"水無月", "紫陽花", "青梅", "夏至", "蛍", "白百合"},
    {"文月", "朝顔", "夏空", "向日葵", "天の川", "海の日"},
    {"葉月", "納涼", "晩夏", "残暑", "花火", "潮騒"},
    {"長月", "初秋", "秋桜", "月見", "萩", "秋分"},
    {"神無月", "紅葉", "秋嶺", "錦秋", "木犀", "秋麗"},
    {"霜月", "晩秋", "立冬", "初霜", "銀杏", "秋色"},
    {"師走", "冬至", "寒椿", "聖夜", "柊", "年忘れ"},
};

const char* const kPlaceWords[10][5] = {
    {"比叡", "鴨川", "嵐山", "宇治川", "大原"},      // 京都
    {"六甲", "武庫川", "甲東", "仁川", "西宮"},      // 阪神
    {"熱田", "尾張", "知多", "岡崎", "豊橋"},        // 中京
    {"門司", "関門", "玄海", "響灘", "筑紫"},        // 小倉
    {"府中", "多摩川", "稲城", "国立", "武蔵野"},    // 東京
    {"市川", "船橋", "習志野", "下総", "房総"},      // 中山
    {"阿武隈", "安達太良", "磐梯", "猪苗代", "吾妻"},  // 福島
    {"越後", "佐渡", "弥彦", "信濃川", "妙高"},      // 新潟
    {"大倉山", "藻岩山", "石狩", "羊ヶ丘", "定山渓"},  // 札幌
    {"五稜郭", "湯川", "駒ヶ岳", "津軽海峡", "大沼"},  // 函館
};

}  // namespace

std::string SpecialRaceName(std::uint64_t seed, int place, int month, int weekend, int weekday,
                            int number, HorseClass race_class) {
  Random random(seed, "race-name",
                {static_cast<std::uint64_t>(place), static_cast<std::uint64_t>(weekend),
                 static_cast<std::uint64_t>(weekday), static_cast<std::uint64_t>(number)});
  const std::string word = random.Chance(0.55) ? kSeasonWords[month - 1][random.Below(6)]
                                               : kPlaceWords[place][random.Below(5)];
  const bool high = race_class == HorseClass::kWin3 || race_class == HorseClass::kOpen;
  if (high) return word + (random.Chance(0.75) ? "ステークス" : "カップ");
  return word + (random.Chance(0.6) ? "特別" : "賞");
}

}  // namespace world
