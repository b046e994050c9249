#include "setup/editor/choosers_win.h"

#include <gtest/gtest.h>
#include <string>

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

TEST(CMyFolderDialog, StartsWithItsDefaultTitleAndABuffer) {
  CMyFolderDialog dialog;
  EXPECT_STREQ(dialog.m_bi.lpszTitle, "フォルダを選択して下さい");
  EXPECT_EQ(dialog.m_bi.hwndOwner, nullptr);
  EXPECT_NE(dialog.m_pszPath, nullptr);
}

}  // namespace
