#include "volctl/volume_dialog_win.h"

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>
#include <string>

#include "tests/win/modal_driver_win.h"
#include "tests/win/test_support_win.h"
#include "volctl/resource.h"
#include "volctl/stand_ins_win_test.h"

namespace {

// As the program's entry does, so that the dialog's slider can be created.
void RegisterSliderClass() {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
}

// The volume dialog among one set of stand-ins.
class VolumeDialogTest : public DriverStandIns {
 protected:
  VolumeDialogTest() { RegisterSliderClass(); }
  ~VolumeDialogTest() override {
    if (dialog_) DestroyWindow(dialog_);
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

INSTANTIATE_TEST_SUITE_P(StandIns, VolumeDialogTest, testing::ValuesIn(kStandInSets), StandInSetName);

// Drives the modal dialog from inside its own loop: Enter and Esc go through
// the dialog manager as typed keys, then the close button.
TEST(VolumeDialogModal, EnterAndEscLeaveItOpenAndCloseEndsItWithOne) {
  RegisterSliderClass();
  int step = 0;
  bool openAfterKeys = false;
  auto drive = [&](HWND dialog) {
    HWND slider = GetDlgItem(dialog, IDC_VOLUME_SLIDER);
    switch (step++) {
      case 0:
        PostMessageA(slider, WM_KEYDOWN, VK_RETURN, 0);
        PostMessageA(slider, WM_KEYDOWN, VK_ESCAPE, 0);
        return false;
      case 1:
        openAfterKeys = IsWindowVisible(dialog);
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        return false;
      default:  // the close did not end it: stop the test from hanging
        EndDialog(dialog, -1);
        return true;
    }
  };
  ModalDriver driver([](HWND window) { return WindowText(window) == "VelderVol"; }, drive);
  INT_PTR result =
      DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_VOLUME), nullptr, VolumeDlgProc, 0);
  EXPECT_TRUE(openAfterKeys);
  EXPECT_EQ(result, 1);
}

}  // namespace
