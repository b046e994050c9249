#include "lib/texts/finding_texts.h"

#include <gtest/gtest.h>

namespace {

Finding Of(FindingKind kind) {
  Finding finding;
  finding.file = "C:\\windows\\orvane.cfg";
  finding.kind = kind;
  return finding;
}

// The Japanese words of the kinds the page's fixture does not produce,
// filled with the values each finding carries.
TEST(FindingTexts, JapaneseWordsCarryTheFindingsValues) {
  Finding dir = Of(FindingKind::kTargetNotFound);
  dir.directive = "dir";
  dir.path = "sf";
  dir.tried = {"C:\\a\\sf", "C:\\windows\\sf"};
  Finding deep = Of(FindingKind::kSourceTooDeep);
  deep.path = "C:\\deep.cfg";
  Finding same = Of(FindingKind::kShadowCopy);
  same.shadow = ShadowBytes::kSame;
  Finding narrowed = Of(FindingKind::kParamNarrowed);
  narrowed.section = "param";
  narrowed.key = "VibratoDelay";
  narrowed.text = "1e9";
  narrowed.number = 65535;
  const struct {
    Finding finding;
    const char *words;
  } cases[] = {
      {dir, "dir \"sf\" が見つかりません（探した場所: C:\\a\\sf、C:\\windows\\sf）"},
      {deep, "source の入れ子が深すぎます（32 段、100 ファイルまで）"},
      {same,
       "VirtualStore に orvane.cfg "
       "のコピーがあり、マニフェストのないプログラムはそちらを読みます（内容は同じです）"},
      {narrowed, "[param] VibratoDelay=1e9 は範囲外のため 65535 になります"},
      {Of(FindingKind::kParamsMissing), "velder_soundfont.ini がありません（次の起動時に作られます）"},
      {Of(FindingKind::kParamsOlderLayout),
       "velder_soundfont.ini は古い形式です（次の起動時に変換されます）"},
      {Of(FindingKind::kParamsUnreadable), "velder_soundfont.ini を読み込めません"},
  };
  for (const auto &c : cases) EXPECT_EQ(DescribeFinding(c.finding, Language::kJapanese), c.words);
  EXPECT_EQ(DescribeFinding(deep, Language::kEnglish),
            "source C:\\deep.cfg not followed: sources are nested too deep or too many");
}

}  // namespace
