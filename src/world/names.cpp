#include "world/names.h"

#include <iterator>

#include "flow/game_state.h"
#include "language/language.h"
#include "world/world_model.h"

// Common family names. 田中 stands twice (64 and 67), so it turns up twice as often.
const char* const SurnameTable[kSurnameCount + 1] = {
    "",
    "安西", "安斉", "足立", "青木", "青山", "秋山", "浅野", "荒井", "新井", "有田",      // 1..10
    "飯田", "池田", "石井", "石川", "石田", "市川", "伊藤", "井上", "今井", "岩崎",      // 11..20
    "岩田", "上田", "上野", "内田", "遠藤", "大川", "大塚", "大野", "大西", "岡田",      // 21..30
    "岡本", "小川", "小野", "加藤", "金子", "川口", "川村", "菊地", "北村", "木村",      // 31..40
    "久保", "熊谷", "小池", "河野", "小島", "小林", "小松", "近藤", "斉藤", "坂本",      // 41..50
    "桜井", "佐々木", "佐藤", "佐野", "柴田", "島田", "清水", "杉山", "鈴木", "関口",    // 51..60
    "高木", "高田", "高橋", "田中", "武田", "竹内", "田中", "田村", "千葉", "土屋",      // 61..70
    "中島", "中川", "中村", "中野", "中山", "永井", "西田", "西村", "野口", "野村",      // 71..80
    "橋本", "長谷川", "服部", "浜田", "林", "原", "原田", "樋口", "平野", "広瀬",        // 81..90
    "福田", "藤井", "藤田", "藤原", "古川", "星野", "堀", "本田", "前田", "増田",        // 91..100
    "松井", "松尾", "松下", "松田", "松本", "丸山", "三浦", "水野", "宮崎", "宮本",      // 101..110
    "村上", "村田", "望月", "森", "森田", "安田", "矢野", "山内", "山口", "山崎",        // 111..120
    "山下", "山田", "山本", "横山", "吉川", "吉田", "吉村", "渡辺", "渡部", "和田",      // 121..130
    "今村", "大橋", "片山", "川崎", "工藤", "後藤", "酒井", "須藤", "菅原", "関",        // 131..140
    "千田", "谷口", "辻", "東", "内藤", "成田", "野田", "早川", "平田", "松岡",          // 141..150
    "宮田", "吉岡",                                                                      // 151..152
};

// Women's names 1..62, men's names 63..114. 恵 (20, 36) and 裕子 (24, 54) stand twice among
// the women; 薫 is both a woman's (22) and a man's (92) name.
const char* const GivenNameTable[kGivenNameCount + 1] = {
    "",
    " 亜由美", " 晶子", " 亜希子", " 愛", " 明美", " 彩", " 綾子", " 有紀", " 郁子", " 和美",    // 1..10
    " 和子", " 香織", " 加奈子", " 京子", " 久美子", " 恵子", " 幸子", " 早苗", " 聡子", " 恵",  // 11..20
    " 静香", " 薫", " 順子", " 裕子", " 千尋", " 千春", " 智子", " 直美", " 奈美", " 典子",      // 21..30
    " 春香", " 久子", " 瞳", " 文子", " 真理子", " 恵", " 真由美", " 美穂", " 美香", " 美紀",    // 31..40
    " 恵美", " 桃子", " 洋子", " 由美", " 由香", " 陽子", " 良子", " 理恵", " 里美", " 玲子",    // 41..50
    " 若菜", " 麻衣", " 舞", " 裕子", " 優子", " 沙織", " 紀子", " 真紀", " 朋美", " 奈緒",      // 51..60
    " 亜紀", " 絵美",                                                                            // 61..62
    " 明", " 章", " 昭", " 修", " 勇", " 一郎", " 功", " 和也",                                  // 63..70
    " 勝", " 健一", " 健太", " 浩二", " 茂", " 進", " 誠", " 隆", " 武", " 達也",                // 71..80
    " 剛", " 哲也", " 徹", " 直樹", " 信夫", " 博", " 浩", " 秀樹", " 正", " 誠一",              // 81..90
    " 学", " 薫", " 実", " 稔", " 康夫", " 雄一", " 裕之", " 洋介", " 良太", " 亮",              // 91..100
    " 大輔", " 拓也", " 翔太", " 純一", " 大介", " 英二", " 和夫", " 清", " 光男", " 俊介",      // 101..110
    " 義男", " 悟", " 豊", " 弘",                                                                // 111..114
};

// The names as read aloud, romanised, for the languages written in Latin letters: entry n reads
// entry n of the table above.
constexpr const char* kSurnameReadings[] = {
    "",
    "Anzai", "Anzai", "Adachi", "Aoki", "Aoyama", "Akiyama", "Asano", "Arai", "Arai", "Arita",  // 1..10
    "Iida", "Ikeda", "Ishii", "Ishikawa", "Ishida", "Ichikawa", "Ito", "Inoue", "Imai", "Iwasaki",  // 11..20
    "Iwata", "Ueda", "Ueno", "Uchida", "Endo", "Okawa", "Otsuka", "Ono", "Onishi", "Okada",  // 21..30
    "Okamoto", "Ogawa", "Ono", "Kato", "Kaneko", "Kawaguchi", "Kawamura", "Kikuchi", "Kitamura", "Kimura",  // 31..40
    "Kubo", "Kumagai", "Koike", "Kono", "Kojima", "Kobayashi", "Komatsu", "Kondo", "Saito", "Sakamoto",  // 41..50
    "Sakurai", "Sasaki", "Sato", "Sano", "Shibata", "Shimada", "Shimizu", "Sugiyama", "Suzuki", "Sekiguchi",  // 51..60
    "Takagi", "Takada", "Takahashi", "Tanaka", "Takeda", "Takeuchi", "Tanaka", "Tamura", "Chiba", "Tsuchiya",  // 61..70
    "Nakajima", "Nakagawa", "Nakamura", "Nakano", "Nakayama", "Nagai", "Nishida", "Nishimura", "Noguchi", "Nomura",  // 71..80
    "Hashimoto", "Hasegawa", "Hattori", "Hamada", "Hayashi", "Hara", "Harada", "Higuchi", "Hirano", "Hirose",  // 81..90
    "Fukuda", "Fujii", "Fujita", "Fujiwara", "Furukawa", "Hoshino", "Hori", "Honda", "Maeda", "Masuda",  // 91..100
    "Matsui", "Matsuo", "Matsushita", "Matsuda", "Matsumoto", "Maruyama", "Miura", "Mizuno", "Miyazaki", "Miyamoto",  // 101..110
    "Murakami", "Murata", "Mochizuki", "Mori", "Morita", "Yasuda", "Yano", "Yamauchi", "Yamaguchi", "Yamazaki",  // 111..120
    "Yamashita", "Yamada", "Yamamoto", "Yokoyama", "Yoshikawa", "Yoshida", "Yoshimura", "Watanabe", "Watanabe", "Wada",  // 121..130
    "Imamura", "Ohashi", "Katayama", "Kawasaki", "Kudo", "Goto", "Sakai", "Sudo", "Sugawara", "Seki",  // 131..140
    "Chida", "Taniguchi", "Tsuji", "Azuma", "Naito", "Narita", "Noda", "Hayakawa", "Hirata", "Matsuoka",  // 141..150
    "Miyata", "Yoshioka",  // 151..152
};
static_assert(std::size(kSurnameReadings) == kSurnameCount + 1, "one reading for every family name");

constexpr const char* kGivenNameReadings[] = {
    "",
    " Ayumi", " Akiko", " Akiko", " Ai", " Akemi", " Aya", " Ayako", " Yuki", " Ikuko", " Kazumi",  // 1..10
    " Kazuko", " Kaori", " Kanako", " Kyoko", " Kumiko", " Keiko", " Sachiko", " Sanae", " Satoko", " Megumi",  // 11..20
    " Shizuka", " Kaoru", " Junko", " Yuko", " Chihiro", " Chiharu", " Tomoko", " Naomi", " Nami", " Noriko",  // 21..30
    " Haruka", " Hisako", " Hitomi", " Fumiko", " Mariko", " Megumi", " Mayumi", " Miho", " Mika", " Miki",  // 31..40
    " Emi", " Momoko", " Yoko", " Yumi", " Yuka", " Yoko", " Yoshiko", " Rie", " Satomi", " Reiko",  // 41..50
    " Wakana", " Mai", " Mai", " Yuko", " Yuko", " Saori", " Noriko", " Maki", " Tomomi", " Nao",  // 51..60
    " Aki", " Emi",  // 61..62
    " Akira", " Akira", " Akira", " Osamu", " Isamu", " Ichiro", " Isao", " Kazuya",  // 63..70
    " Masaru", " Kenichi", " Kenta", " Koji", " Shigeru", " Susumu", " Makoto", " Takashi", " Takeshi", " Tatsuya",  // 71..80
    " Tsuyoshi", " Tetsuya", " Toru", " Naoki", " Nobuo", " Hiroshi", " Hiroshi", " Hideki", " Tadashi", " Seiichi",  // 81..90
    " Manabu", " Kaoru", " Minoru", " Minoru", " Yasuo", " Yuichi", " Hiroyuki", " Yosuke", " Ryota", " Ryo",  // 91..100
    " Daisuke", " Takuya", " Shota", " Junichi", " Daisuke", " Eiji", " Kazuo", " Kiyoshi", " Mitsuo", " Shunsuke",  // 101..110
    " Yoshio", " Satoru", " Yutaka", " Hiroshi",  // 111..114
};
static_assert(std::size(kGivenNameReadings) == kGivenNameCount + 1, "one reading for every given name");

void BuildPersonName(int person) {
  G.ShotName.clear();
  if (person < 0 || person > kPersonCount) return;
  const int surname = People[person][Surname];
  const int given = People[person][GivenName];
  const bool read = !JapaneseSpoken();
  if (surname >= 1 && surname <= kSurnameCount) G.ShotName += (read ? kSurnameReadings : SurnameTable)[surname];
  if (given >= 1 && given <= kGivenNameCount) G.ShotName += (read ? kGivenNameReadings : GivenNameTable)[given];
}
