// The shipped VelderVolCtl, started beside this test program, and its resources.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>
#include <string>

#include "tests/win/dialog_template_win.h"
#include "tests/win/program_process_win.h"
#include "tests/win/test_support_win.h"
#include "volctl/resource.h"
#include "volctl/stand_ins_win_test.h"

namespace {

std::string ProgramPath() { return PathBesideTest("VelderVolCtl.exe"); }

using VolumeProgram = DriverStandIns;

TEST_P(VolumeProgram, PostsToDriverWindowsOfOtherProcessesAndExitsWithZero) {
  ProgramProcess program(ProgramPath(), "/s --volume 50 orvane.cfg");
  ASSERT_TRUE(program.started());
  HWND window = program.Window("VelderVol");
  ASSERT_NE(window, nullptr);
  ExpectPosts({}, "the program's start");
  HWND slider = GetDlgItem(window, IDC_VOLUME_SLIDER);
  SendMessageA(slider, WM_KEYDOWN, VK_HOME, 0);
  SendMessageA(slider, WM_KEYUP, VK_HOME, 0);
  ExpectPosts(VolumePosts({100, 100}), "Home in the program");
  EXPECT_EQ(program.Close(window), 0u);
}

INSTANTIATE_TEST_SUITE_P(StandIns, VolumeProgram, testing::ValuesIn(kStandInSets), StandInSetName);

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
