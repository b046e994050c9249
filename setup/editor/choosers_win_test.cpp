#include "setup/editor/choosers_win.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "tests/win/program_process_win.h"
#include "tests/win/test_support_win.h"

namespace {

// A chosen path is kept whole, whatever its length: a path of up to 509
// bytes sits NUL-padded in the first 512-byte slot, a longer one is never cut.
TEST(CMyFileDialog, KeepsTheWholePathAsItsOneResult) {
  CMyFileDialog dialog;
  EXPECT_EQ(dialog.m_pszResult, nullptr);
  EXPECT_EQ(dialog.m_ofn.lStructSize, sizeof(OPENFILENAMEA));
  EXPECT_FALSE(dialog.m_bSave);
  for (size_t length : {0u, 1u, 509u, 510u, 511u, 512u, 1000u, 32000u}) {
    std::string path = "C:\\" + std::string(length > 3 ? length - 3 : 0, 'p');
    path.resize(length);
    ASSERT_TRUE(dialog.KeepResult(path.c_str()));
    EXPECT_EQ(dialog.m_nResult, 1);
    EXPECT_EQ(std::string(dialog.m_pszResult), path) << length;
    if (length <= 509) {
      for (size_t i = length; i < 512; ++i) ASSERT_EQ(dialog.m_pszResult[i], '\0') << length << " at " << i;
    }
  }
}

// Several files chosen at once: the folder and each name, as full paths;
// a folder ending in a backslash, or in a trail byte 5C, gets one.
TEST(CMyFileDialog, KeepsEveryPathOfSeveralChosen) {
  CMyFileDialog dialog;
  struct Case {
    std::string answer;
    std::vector<std::string> paths;
  } cases[] = {
      {std::string("C:\\sf\\one.sf2\0", 15), {"C:\\sf\\one.sf2"}},
      {std::string("C:\\sf\0a.sf2\0b.sf2\0", 18), {"C:\\sf\\a.sf2", "C:\\sf\\b.sf2"}},
      {std::string("C:\\\0a.sf2\0", 10), {"C:\\a.sf2"}},
      {"", {}},
  };
  // In code page 932 the folder ends in a character whose trail byte is 5C.
  const std::string folder = GetACP() == 932 ? "C:\\\x95\x5c\\" : "C:\\\x95\x5c";
  cases[3] = {std::string("C:\\\x95\x5c\0", 6) + std::string(600, 'n') + std::string("\0b\0", 3),
              {folder + std::string(600, 'n'), folder + "b"}};
  for (const Case &c : cases) {
    ASSERT_TRUE(dialog.KeepResults(c.answer.c_str()));
    EXPECT_EQ(dialog.Paths(), c.paths);
  }
}

TEST(CMyFolderDialog, StartsWithItsDefaultTitleAndABuffer) {
  CMyFolderDialog dialog;
  EXPECT_EQ(dialog.m_bi.lpszTitle, Localized("フォルダを選択して下さい", "Choose a folder"));
  EXPECT_EQ(dialog.m_bi.hwndOwner, nullptr);
  EXPECT_NE(dialog.m_pszPath, nullptr);
}

// A DLL named like a chooser's beside the program is never loaded in its
// place. The probe opens a chooser from a folder that holds decoys of all
// three, with Wine told to prefer a DLL it finds to its own: once with the
// system's loader, once with one that rejects the search flags, as a Windows 7
// without update KB2533623 does, where the DLLs are named by full path.
TEST(ChooserLibraries, ComeFromTheSystemDirectoryNeverFromBesideTheProgram) {
  for (const char *dll : {"comdlg32.dll", "shell32.dll", "ole32.dll"})
    ASSERT_NE(GetFileAttributesA(PathBesideTest("decoy\\").append(dll).c_str()), INVALID_FILE_ATTRIBUTES)
        << dll;
  char overrides[256] = "";
  GetEnvironmentVariableA("WINEDLLOVERRIDES", overrides, sizeof overrides);
  for (const char *loader : {"", "--old-loader"}) {
    SetEnvironmentVariableA("WINEDLLOVERRIDES",
                            (std::string(overrides) + ";comdlg32,shell32,ole32=n,b").c_str());
    ProgramProcess probe(PathBesideTest("decoy\\chooser_probe.exe"), loader);
    SetEnvironmentVariableA("WINEDLLOVERRIDES", overrides);
    ASSERT_TRUE(probe.started()) << loader;
    EXPECT_EQ(probe.ExitStatus(), 0u) << loader
                                      << ": a bit for each DLL not from the system: 1 comdlg32, 2 shell32, "
                                         "4 ole32; 8 one not asked for by its full path there";
  }
}

}  // namespace
