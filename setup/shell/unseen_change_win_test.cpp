// Each writing page asks before it overwrites a change to its file that it
// has not seen, whoever made it, and the answer decides what the file holds.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

#include "lib/config/default_block_test.h"
#include "setup/res/resource.h"
#include "tests/win/setup_fixture_win.h"

namespace {

// A message box's text, as the code page's language says it.
struct Said {
  const char *japanese;
  const char *english;
  std::string Shown() const { return Localized(japanese, english); }
};

const Said kEditorQuestion = {"orvane.cfg は読み込んだ後に変更されています。上書きしますか？",
                              "orvane.cfg has changed since it was read. Overwrite it?"};
const Said kOptionsQuestion = {
    "orvane.cfg のオプションは読み込んだ後に変更されています。上書きしますか？",
    "The options in orvane.cfg have changed since they were read. Overwrite them?"};
const Said kParamsQuestion = {"velder_soundfont.ini は読み込んだ後に変更されています。上書きしますか？",
                              "velder_soundfont.ini has changed since it was read. Overwrite it?"};
const Said kApplied = {"orvane.cfg に書き込みました", "orvane.cfg has been written."};
const Said kFailed = {"ファイルの保存に失敗しました", "The file could not be saved."};

// Who changed the file between the page's read and its write; the last
// also has the page read it again before the user enters anything.
enum class Change { kNobody, kOtherPage, kOtherProgram, kDeleted, kOtherPageThenReload };

struct Row {
  const char *name;
  SetupPageIndex page;
  const char *atStart;  // the file when the window opens; null: missing
  bool unreadableAtStart;
  Change change;
  const char *changedTo;         // what the other page or program leaves; null for the others
  int answer;                    // IDYES or IDNO, for a row that asks
  const Said *question;          // null: the press asks nothing
  std::vector<Said> boxesAfter;  // the boxes after the question, if any
  // The file after the press: exactly these bytes, or (for a written
  // parameters file) holding each; a declined write leaves it as it was.
  std::vector<std::string> after;
};

void PrintTo(const Row &row, std::ostream *out) { *out << row.name; }

const char kCfg[] = "soundfont \"a.sf2\"\r\n#extension opt --volume=80\r\n";
const char kTyped[] = "soundfont \"typed.sf2\"\r\n";
const char kCfgElsewhere[] = "soundfont \"b.sf2\"\r\n#extension opt --volume=60\r\n";
const char kIni[] = "[main]\r\nver=101\r\n[param]\r\nVibratoDepth=5\r\n";
const char kIniElsewhere[] = "[main]\r\nver=101\r\n[param]\r\nVibratoDepth=6\r\nMine=1\r\n";
const char kIniUnknownKey[] = "[main]\r\nver=101\r\n[param]\r\nVibratoDepth=5\r\nMine=1\r\n";

// The options page's block with its volume at 90, as the rows set it; the
// page writes it after a blank line, below where the option lines stood.
std::string Block90() {
  std::string block = kDefaultBlock;
  return block.replace(block.find("--volume=70"), 11, "--volume=90");
}

const std::string kDepth7 = "VibratoDepth=7\r\n";
const std::string kMine = "Mine=1\r\n";

const Row kRows[] = {
    // The editor page.
    {"EditorNobody", kEditorPage, kCfg, false, Change::kNobody, nullptr, IDNO, nullptr, {}, {kTyped}},
    {"EditorOtherPageYes",
     kEditorPage,
     kCfg,
     false,
     Change::kOtherPage,
     nullptr,
     IDYES,
     &kEditorQuestion,
     {},
     {kTyped}},
    {"EditorOtherPageNo",
     kEditorPage,
     kCfg,
     false,
     Change::kOtherPage,
     nullptr,
     IDNO,
     &kEditorQuestion,
     {},
     {}},
    {"EditorOtherPageThenReload",
     kEditorPage,
     kCfg,
     false,
     Change::kOtherPageThenReload,
     nullptr,
     IDNO,
     nullptr,
     {},
     {kTyped}},
    {"EditorOtherProgramYes",
     kEditorPage,
     kCfg,
     false,
     Change::kOtherProgram,
     kCfgElsewhere,
     IDYES,
     &kEditorQuestion,
     {},
     {kTyped}},
    {"EditorOtherProgramNo",
     kEditorPage,
     kCfg,
     false,
     Change::kOtherProgram,
     kCfgElsewhere,
     IDNO,
     &kEditorQuestion,
     {},
     {}},
    {"EditorFileAppearedNo",
     kEditorPage,
     nullptr,
     false,
     Change::kOtherProgram,
     kCfgElsewhere,
     IDNO,
     &kEditorQuestion,
     {},
     {}},
    {"EditorDeleted", kEditorPage, kCfg, false, Change::kDeleted, nullptr, IDNO, nullptr, {}, {kTyped}},
    {"EditorUnreadableAtStartYes",
     kEditorPage,
     kCfg,
     true,
     Change::kNobody,
     nullptr,
     IDYES,
     &kEditorQuestion,
     {},
     {kTyped}},
    {"EditorUnreadableAtStartNo",
     kEditorPage,
     kCfg,
     true,
     Change::kNobody,
     nullptr,
     IDNO,
     &kEditorQuestion,
     {},
     {}},
    // The options page.
    {"OptionsNobody",
     kOptionsPage,
     kCfg,
     false,
     Change::kNobody,
     nullptr,
     IDNO,
     nullptr,
     {kApplied},
     {"soundfont \"a.sf2\"\r\n\r\n\r\n" + Block90()}},
    {"OptionsOtherPageYes",
     kOptionsPage,
     kCfg,
     false,
     Change::kOtherPage,
     kCfgElsewhere,
     IDYES,
     &kOptionsQuestion,
     {kApplied},
     {"soundfont \"b.sf2\"\r\n\r\n\r\n" + Block90()}},
    {"OptionsOtherPageNo",
     kOptionsPage,
     kCfg,
     false,
     Change::kOtherPage,
     kCfgElsewhere,
     IDNO,
     &kOptionsQuestion,
     {},
     {}},
    {"OptionsOtherPageThenReload",
     kOptionsPage,
     kCfg,
     false,
     Change::kOtherPageThenReload,
     kCfgElsewhere,
     IDNO,
     nullptr,
     {kApplied},
     {"soundfont \"b.sf2\"\r\n\r\n\r\n" + Block90()}},
    {"OptionsOtherPageNewSoundfontOnly",
     kOptionsPage,
     kCfg,
     false,
     Change::kOtherPage,
     "soundfont \"a.sf2\"\r\nsoundfont \"c.sf2\"\r\n#extension opt --volume=80\r\n",
     IDNO,
     nullptr,
     {kApplied},
     {"soundfont \"a.sf2\"\r\nsoundfont \"c.sf2\"\r\n\r\n\r\n" + Block90()}},
    {"OptionsOtherProgramNo",
     kOptionsPage,
     kCfg,
     false,
     Change::kOtherProgram,
     kCfgElsewhere,
     IDNO,
     &kOptionsQuestion,
     {},
     {}},
    {"OptionsDeleted",
     kOptionsPage,
     kCfg,
     false,
     Change::kDeleted,
     nullptr,
     IDNO,
     nullptr,
     {kApplied},
     {"\r\n\r\n" + Block90()}},
    {"OptionsUnreadableAtStartYes",
     kOptionsPage,
     kCfg,
     true,
     Change::kNobody,
     nullptr,
     IDYES,
     &kOptionsQuestion,
     {kApplied},
     {"soundfont \"a.sf2\"\r\n\r\n\r\n" + Block90()}},
    // The parameters page; the other writer of its file is a program.
    {"ParamsNobody", kParamsPage, kIni, false, Change::kNobody, nullptr, IDNO, nullptr, {}, {kDepth7}},
    {"ParamsOtherProgramYes",
     kParamsPage,
     kIni,
     false,
     Change::kOtherProgram,
     kIniElsewhere,
     IDYES,
     &kParamsQuestion,
     {},
     {kDepth7, kMine}},
    {"ParamsOtherProgramNo",
     kParamsPage,
     kIni,
     false,
     Change::kOtherProgram,
     kIniElsewhere,
     IDNO,
     &kParamsQuestion,
     {},
     {}},
    {"ParamsUnknownKeyOnly",
     kParamsPage,
     kIni,
     false,
     Change::kOtherProgram,
     kIniUnknownKey,
     IDNO,
     nullptr,
     {},
     {kDepth7, kMine}},
    {"ParamsDeleted", kParamsPage, kIni, false, Change::kDeleted, nullptr, IDNO, nullptr, {}, {kDepth7}},
    {"ParamsUnreadableAtStart",
     kParamsPage,
     kIni,
     true,
     Change::kOtherProgram,
     kIniElsewhere,
     IDYES,
     nullptr,
     {kFailed},
     {}},
};

class UnseenChange : public SetupWindowTest, public testing::WithParamInterface<Row> {
 protected:
  bool Params() const { return GetParam().page == kParamsPage; }
  const WindowsFileGuard &File() const { return Params() ? params_ : cfg_; }
  std::string Bytes() const {
    std::string bytes;
    return ReadBytes(File().path(), &bytes) ? bytes : "(missing)";
  }
  // Opens the window on the row's file, held unreadable meanwhile where the
  // row says so.
  void OpenOnStartFile() {
    if (GetParam().atStart) WriteBytes(File().path(), GetParam().atStart);
    if (!GetParam().unreadableAtStart) return Open();
    FileHolder holder(File().path(), 0);
    ASSERT_TRUE(holder.held());
    Open();
  }
  // What the user enters on the page before pressing its button.
  void Enter() const {
    HWND page = Page(GetParam().page);
    if (GetParam().page == kEditorPage) SetDlgItemTextA(page, IDC_CFG_EDIT, kTyped);
    if (GetParam().page == kOptionsPage) SendDlgItemMessageA(page, IDC_VOLUME, TBM_SETPOS, TRUE, 90);
    if (Params()) SetDlgItemInt(page, IDC_VIBRATO_DEPTH, 7, TRUE);
  }
  // The other writer of orvane.cfg is the other page, pressing its own button.
  void OtherPageWrites() const {
    MessageBoxCatcher boxes;
    if (GetParam().page == kEditorPage) {
      SendDlgItemMessageA(Page(kOptionsPage), IDC_VOLUME, TBM_SETPOS, TRUE, 120);
      ClickButton(Page(kOptionsPage), IDC_OPT_APPLY);
    } else {
      SetDlgItemTextA(Page(kEditorPage), IDC_CFG_EDIT, GetParam().changedTo);
      ClickButton(Page(kEditorPage), IDC_CFG_SAVE);
    }
    ASSERT_EQ(boxes.seen().size(), GetParam().page == kEditorPage ? 1u : 0u);
  }
  void MakeChange() const {
    switch (GetParam().change) {
      case Change::kNobody:
        break;
      case Change::kOtherPage:
        OtherPageWrites();
        break;
      case Change::kOtherProgram:
        WriteBytes(File().path(), GetParam().changedTo);
        break;
      case Change::kDeleted:
        ASSERT_TRUE(DeleteFileA(File().path().c_str()));
        break;
      case Change::kOtherPageThenReload:
        OtherPageWrites();
        ClickButton(Page(GetParam().page), GetParam().page == kEditorPage ? IDC_CFG_RELOAD : IDC_OPT_RELOAD);
        break;
    }
  }
  std::vector<SeenMessageBox> Press(int answer) const {
    MessageBoxCatcher boxes(answer);
    ClickButton(Page(GetParam().page), GetParam().page == kEditorPage    ? IDC_CFG_SAVE
                                       : GetParam().page == kOptionsPage ? IDC_OPT_APPLY
                                                                         : IDC_PARAMS_SAVE);
    return boxes.seen();
  }
  void ExpectQuestion(const SeenMessageBox &box) const {
    EXPECT_EQ(box.text, GetParam().question->Shown());
    EXPECT_EQ(box.caption, Localized("確認", "Confirmation"));
    EXPECT_TRUE(box.questionIcon);
    EXPECT_TRUE(box.yesNo);
    EXPECT_EQ(box.defaultButton, IDNO);
    EXPECT_EQ(box.owner, window_);
  }
};

TEST_P(UnseenChange, AsksWhereTheFileChangedAndWritesAsAnswered) {
  const Row &row = GetParam();
  OpenOnStartFile();
  MakeChange();
  Enter();
  const std::string before = Bytes();

  std::vector<SeenMessageBox> boxes = Press(row.answer);
  size_t first = row.question ? 1 : 0;
  ASSERT_EQ(boxes.size(), first + row.boxesAfter.size());
  if (row.question) ExpectQuestion(boxes[0]);
  for (size_t i = 0; i < row.boxesAfter.size(); ++i)
    EXPECT_EQ(boxes[first + i].text, row.boxesAfter[i].Shown());

  const std::string after = Bytes();
  if (row.after.empty()) {
    EXPECT_EQ(after, before);  // declined, or never written
  } else if (Params()) {
    for (const std::string &line : row.after) EXPECT_NE(after.find(line), std::string::npos) << line;
  } else {
    EXPECT_EQ(after, row.after[0]);
  }

  // A declined write asks again on the next press; after a write, the same
  // values are written again without a question.
  boxes = Press(IDNO);
  if (row.question && row.answer == IDNO) {
    ASSERT_FALSE(boxes.empty());
    ExpectQuestion(boxes[0]);
  } else {
    for (const SeenMessageBox &box : boxes) EXPECT_FALSE(box.yesNo) << box.text;
  }
  EXPECT_EQ(Bytes(), after);
}

INSTANTIATE_TEST_SUITE_P(EachPage, UnseenChange, testing::ValuesIn(kRows),
                         [](const testing::TestParamInfo<Row> &info) { return info.param.name; });

}  // namespace
