#include "volctl/volume_dialog_win.h"

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

#include "tests/win/test_support_win.h"
#include "volctl/driver_window.h"
#include "volctl/resource.h"

namespace {

// What a stand-in driver window received: message, wParam, lParam.
struct Received {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
bool operator==(const Received &a, const Received &b) {
  return a.message == b.message && a.wParam == b.wParam && a.lParam == b.lParam;
}
std::ostream &operator<<(std::ostream &out, const Received &r) {
  return out << "{0x" << std::hex << r.message << std::dec << ", " << r.wParam << ", " << r.lParam << "}";
}

std::map<HWND, std::vector<Received>> g_received;

// Keeps every application message, so that anything else posted shows too.
LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= WM_USER && message < 0xC000) g_received[window].push_back({message, wParam, lParam});
  return DefWindowProcA(window, message, wParam, lParam);
}

// Stand-ins for driver windows and look-alikes. Window class names are
// compared without regard to case within a process, so the name that differs
// from the driver's only in case needs a set of its own.
struct StandIn {
  const char *className;
  bool isDriverWindow;
};
void PrintTo(const StandIn &standIn, std::ostream *out) { *out << standIn.className; }
using StandInSet = std::vector<StandIn>;
const StandInSet kStandInSets[] = {
    {{"VelderHideWindow", true}, {"VelderHideWindowX", true}, {"VelderHide", false}},
    {{"velderhidewindow", false}, {"VelderHideWindowX", true}, {"VelderHideWindo", false}},
};

// As the program's entry does, so that the dialog's slider can be created.
void RegisterSliderClass() {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
}

std::string ProgramPath() { return PathBesideTest("VelderVolCtl.exe"); }

std::vector<Received> VolumePosts(std::initializer_list<int> volumes) {
  std::vector<Received> posts;
  for (int volume : volumes) posts.push_back({WM_USER + 2, 0, volume});
  return posts;
}

// Hidden top-level windows of one set of stand-ins in this process, and the
// volume dialog itself.
class VolumeDialogTest : public testing::TestWithParam<StandInSet> {
 protected:
  VolumeDialogTest() {
    RegisterSliderClass();
    g_received.clear();
    for (const StandIn &standIn : GetParam()) {
      WNDCLASSA windowClass = {};
      windowClass.lpfnWndProc = RecordingProc;
      windowClass.hInstance = GetModuleHandleA(nullptr);
      windowClass.lpszClassName = standIn.className;
      EXPECT_NE(RegisterClassA(&windowClass), 0) << standIn.className;
      windows_.push_back(CreateWindowExA(0, standIn.className, "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                         nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
      EXPECT_NE(windows_.back(), nullptr) << standIn.className;
    }
  }

  ~VolumeDialogTest() override {
    if (dialog_) DestroyWindow(dialog_);
    for (HWND window : windows_) DestroyWindow(window);
    for (const StandIn &standIn : GetParam()) UnregisterClassA(standIn.className, GetModuleHandleA(nullptr));
  }

  void Open() {
    dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_VOLUME), nullptr,
                                 VolumeDlgProc, 0);
    ASSERT_NE(dialog_, nullptr);
    slider_ = GetDlgItem(dialog_, IDC_VOLUME_SLIDER);
  }

  std::string Field() const {
    char text[32] = "?";
    GetDlgItemTextA(dialog_, IDC_VOLUME_FIELD, text, sizeof text);
    return text;
  }

  // Lets the posts arrive, checks that the driver windows got exactly
  // `expected` and the others nothing, and forgets them.
  void ExpectPosts(const std::vector<Received> &expected, const std::string &context) {
    PumpMessages(100);
    for (size_t i = 0; i < windows_.size(); ++i)
      EXPECT_EQ(g_received[windows_[i]], GetParam()[i].isDriverWindow ? expected : std::vector<Received>())
          << GetParam()[i].className << " after " << context;
    g_received.clear();
  }

  std::vector<HWND> windows_;
  HWND dialog_ = nullptr;
  HWND slider_ = nullptr;
};

TEST_P(VolumeDialogTest, StartsAtTheBottomWithAnEmptyFieldAndPostsNothing) {
  Open();
  EXPECT_EQ(SendMessageA(slider_, TBM_GETRANGEMIN, 0, 0), 0);
  EXPECT_EQ(SendMessageA(slider_, TBM_GETRANGEMAX, 0, 0), 100);
  EXPECT_EQ(SendMessageA(slider_, TBM_GETPOS, 0, 0), 100);
  EXPECT_EQ(Field(), "");
  ExpectPosts({}, "opening");
  RECT rect;
  GetWindowRect(dialog_, &rect);
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 0);
}

// Each key press scrolls once and its release ends the track, so every
// driver window gets the volume twice.
TEST_P(VolumeDialogTest, KeyboardStepsPostTheVolumeToEveryDriverWindowOnly) {
  Open();
  const struct {
    UINT key;
    const char *field;
    int volume;
  } steps[] = {{VK_HOME, "100", 100}, {VK_DOWN, "99", 99}, {VK_NEXT, "79", 79},
               {VK_UP, "80", 80},     {VK_END, "0", 0},    {VK_PRIOR, "20", 20}};
  for (const auto &step : steps) {
    SendMessageA(slider_, WM_KEYDOWN, step.key, 0);
    SendMessageA(slider_, WM_KEYUP, step.key, 0);
    std::string context = "key " + std::to_string(step.key);
    EXPECT_EQ(Field(), step.field) << context;
    ExpectPosts(VolumePosts({step.volume, step.volume}), context);
  }
}

// Whatever the scroll code and whoever sends it, the volume is read from
// where the thumb stands.
TEST_P(VolumeDialogTest, EveryScrollCodeSendsTheThumbsVolume) {
  Open();
  const struct {
    int position;
    WORD code;
    bool fromSlider;
  } cases[] = {{0, SB_THUMBTRACK, true},  {0, SB_ENDSCROLL, false}, {100, SB_BOTTOM, true},
               {100, SB_LINEDOWN, false}, {37, SB_PAGEUP, true},    {37, SB_THUMBPOSITION, true},
               {63, SB_TOP, false},       {1, SB_LINEUP, true},     {99, SB_PAGEDOWN, true}};
  for (const auto &c : cases) {
    SendMessageA(slider_, TBM_SETPOS, TRUE, c.position);
    SendMessageA(dialog_, WM_VSCROLL, MAKEWPARAM(c.code, c.position),
                 reinterpret_cast<LPARAM>(c.fromSlider ? slider_ : nullptr));
    std::string context = "code " + std::to_string(c.code) + " at " + std::to_string(c.position);
    EXPECT_EQ(Field(), std::to_string(100 - c.position)) << context;
    ExpectPosts(VolumePosts({100 - c.position}), context);
  }
}

INSTANTIATE_TEST_SUITE_P(StandIns, VolumeDialogTest, testing::ValuesIn(kStandInSets),
                         [](const testing::TestParamInfo<StandInSet> &info) {
                           return info.index == 0 ? "ExactAndLonger" : "OtherCase";
                         });

TEST(DriverWindowClass, OnlyNamesBeginningWithTheExactPrefixMatch) {
  const struct {
    const char *name;
    bool matches;
  } cases[] = {{"VelderHideWindow", true},
               {"VelderHideWindowX", true},
               {"VelderHideWindow 2 with a much longer name than most classes have", true},
               {"VelderHideWindo", false},
               {"VelderHide", false},
               {"", false},
               {"velderhidewindow", false},
               {"VELDERHIDEWINDOW", false},
               {"VelderHideWindoW", false},
               {" VelderHideWindow", false}};
  for (const auto &c : cases) EXPECT_EQ(IsDriverWindowClass(c.name), c.matches) << '"' << c.name << '"';
}

// Drives the modal dialog from a timer of its own loop: Enter and Esc go
// through the dialog manager as typed keys, then the close button.
struct ModalRun {
  int step;
  bool openAfterKeys;
};
ModalRun g_modal;

void CALLBACK DriveModalDialog(HWND, UINT, UINT_PTR, DWORD) {
  HWND dialog = FindWindowA(nullptr, "VelderVol");
  if (!dialog || GetWindowThreadProcessId(dialog, nullptr) != GetCurrentThreadId()) return;
  HWND slider = GetDlgItem(dialog, IDC_VOLUME_SLIDER);
  switch (g_modal.step++) {
    case 0:
      PostMessageA(slider, WM_KEYDOWN, VK_RETURN, 0);
      PostMessageA(slider, WM_KEYDOWN, VK_ESCAPE, 0);
      break;
    case 1:
      g_modal.openAfterKeys = IsWindowVisible(dialog);
      PostMessageA(dialog, WM_CLOSE, 0, 0);
      break;
    default:  // the close did not end it: stop the test from hanging
      EndDialog(dialog, -1);
  }
}

TEST(VolumeDialogModal, EnterAndEscLeaveItOpenAndCloseEndsItWithOne) {
  RegisterSliderClass();
  g_modal = {};
  UINT_PTR timer = SetTimer(nullptr, 0, 200, DriveModalDialog);
  INT_PTR result =
      DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_VOLUME), nullptr, VolumeDlgProc, 0);
  KillTimer(nullptr, timer);
  EXPECT_TRUE(g_modal.openAfterKeys);
  EXPECT_EQ(result, 1);
}

TEST_P(VolumeDialogTest, ProgramPostsToDriverWindowsOfOtherProcessesAndExitsWithZero) {
  ProgramProcess program("VelderVolCtl.exe", "/s --volume 50 orvane.cfg");
  ASSERT_TRUE(program.started());
  HWND window = program.Window("VelderVol");
  ASSERT_NE(window, nullptr);
  ExpectPosts({}, "the program's start");
  HWND slider = GetDlgItem(window, IDC_VOLUME_SLIDER);
  SendMessageA(slider, WM_KEYDOWN, VK_HOME, 0);
  SendMessageA(slider, WM_KEYUP, VK_HOME, 0);
  ExpectPosts(VolumePosts({100, 100}), "Home in the program");
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.ExitStatus(), 0u);
}

// Reads a resource of the shipped program, not of this test program.
class ProgramResources : public testing::Test {
 protected:
  ProgramResources() : module_(LoadLibraryExA(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  ~ProgramResources() override {
    if (module_) FreeLibrary(module_);
  }
  std::string Resource(LPCSTR type, int id) const {
    HRSRC found = module_ ? FindResourceA(module_, MAKEINTRESOURCEA(id), type) : nullptr;
    if (!found) return std::string();
    const char *bytes = static_cast<const char *>(LockResource(LoadResource(module_, found)));
    return std::string(bytes, SizeofResource(module_, found));
  }
  HMODULE module_;
};

// Walks an extended dialog template.
class TemplateReader {
 public:
  explicit TemplateReader(const std::string &bytes) : bytes_(bytes) {}
  WORD Word() {
    unsigned low = Byte();
    return static_cast<WORD>(low | Byte() << 8);
  }
  DWORD Dword() {
    DWORD low = Word();
    return low | static_cast<DWORD>(Word()) << 16;
  }
  short Short() { return static_cast<short>(Word()); }
  // A name or an ordinal (written "#n"); the edit class's ordinal as "Edit".
  std::string NameOrOrdinal() {
    WORD first = Word();
    if (first == 0xFFFF) {
      WORD ordinal = Word();
      return ordinal == 0x0081 ? "Edit" : "#" + std::to_string(ordinal);
    }
    std::string name;
    for (WORD c = first; c != 0; c = Word()) name += static_cast<char>(c);
    return name;
  }
  void AlignToDword() { at_ = (at_ + 3) & ~size_t(3); }
  bool AtEnd() const { return at_ >= bytes_.size(); }

 private:
  unsigned Byte() {
    unsigned byte = at_ < bytes_.size() ? static_cast<unsigned char>(bytes_[at_]) : 0u;
    ++at_;
    return byte;
  }
  const std::string &bytes_;
  size_t at_ = 0;
};

struct TemplateItem {
  DWORD exStyle, style;
  short x, y, cx, cy;
  DWORD id;
  std::string windowClass, text;
};
// Window class names are not case-sensitive, and the resource compiler
// writes them in capitals.
bool operator==(const TemplateItem &a, const TemplateItem &b) {
  return a.exStyle == b.exStyle && a.style == b.style && a.x == b.x && a.y == b.y && a.cx == b.cx &&
         a.cy == b.cy && a.id == b.id && lstrcmpiA(a.windowClass.c_str(), b.windowClass.c_str()) == 0 &&
         a.text == b.text;
}
std::ostream &operator<<(std::ostream &out, const TemplateItem &i) {
  return out << "{id " << i.id << " class '" << i.windowClass << "' text '" << i.text << "' style 0x"
             << std::hex << i.style << " ex 0x" << i.exStyle << std::dec << " at " << i.x << "," << i.y << " "
             << i.cx << "x" << i.cy << "}";
}

TEST_F(ProgramResources, DialogIsTheExtendedTemplateWithTheSliderAndTheField) {
  std::string bytes = Resource(RT_DIALOG, IDD_VOLUME);
  ASSERT_FALSE(bytes.empty());
  TemplateReader reader(bytes);
  EXPECT_EQ(reader.Word(), 1);       // version
  EXPECT_EQ(reader.Word(), 0xFFFF);  // the extended template's signature
  reader.Dword();                    // help id
  TemplateItem dialog;
  dialog.exStyle = reader.Dword();
  dialog.style = reader.Dword();
  WORD itemCount = reader.Word();
  dialog.x = reader.Short(), dialog.y = reader.Short(), dialog.cx = reader.Short(),
  dialog.cy = reader.Short();
  dialog.id = IDD_VOLUME;
  EXPECT_EQ(reader.NameOrOrdinal(), "");  // no menu
  dialog.windowClass = reader.NameOrOrdinal();
  dialog.text = reader.NameOrOrdinal();
  EXPECT_EQ(dialog,
            (TemplateItem{0, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_FIXEDSYS, 0,
                          0, 44, 141, IDD_VOLUME, "", "VelderVol"}));
  EXPECT_EQ(reader.Word(), 8);  // points
  reader.Word();                // weight
  reader.Word();                // italic, character set
  EXPECT_EQ(reader.NameOrOrdinal(), "MS Shell Dlg");

  const TemplateItem expected[] = {
      {0, WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBS_VERT | TBS_BOTH | TBS_NOTICKS, 12, 4, 20, 112,
       IDC_VOLUME_SLIDER, "msctls_trackbar32", ""},
      {0, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL | ES_CENTER, 0, 126,
       40, 12, IDC_VOLUME_FIELD, "Edit", ""},
  };
  ASSERT_EQ(itemCount, 2);
  for (const TemplateItem &want : expected) {
    reader.AlignToDword();
    reader.Dword();  // help id
    TemplateItem item;
    item.exStyle = reader.Dword();
    item.style = reader.Dword();
    item.x = reader.Short(), item.y = reader.Short(), item.cx = reader.Short(), item.cy = reader.Short();
    item.id = reader.Dword();
    item.windowClass = reader.NameOrOrdinal();
    item.text = reader.NameOrOrdinal();
    EXPECT_EQ(reader.Word(), 0);  // no creation data
    EXPECT_EQ(item, want);
  }
  EXPECT_TRUE(reader.AtEnd());
}

TEST_F(ProgramResources, ManifestAsksToRunAsInvokerAndNamesNoDependency) {
  std::string manifest = Resource(RT_MANIFEST, 1);
  ASSERT_FALSE(manifest.empty());
  EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"),
            std::string::npos)
      << manifest;
  EXPECT_EQ(manifest.find("dependency"), std::string::npos) << manifest;
}

}  // namespace
