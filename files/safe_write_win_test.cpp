// What only Windows can show: files held open by another program.
#include <gtest/gtest.h>

#include "files/file_io.h"
#include "tests/win/test_support_win.h"

namespace {

TEST(SafeWriteWin, TargetHeldByAnotherProgramKeepsItsBytesAndNoTempFileStays) {
  WindowsFileGuard guard("orvane.cfg");
  WriteBytes(guard.path(), "old\r\n");
  auto before = WindowsDirectoryFiles("*");
  {
    // Another program reads the file and lets nobody delete or rename it.
    FileHolder holder(guard.path(), FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(holder.held());
    EXPECT_FALSE(SafeWriteFile(guard.path().c_str(), "new\r\n", 5));
  }
  std::string bytes;
  ASSERT_TRUE(ReadBytes(guard.path(), &bytes));
  EXPECT_EQ(bytes, "old\r\n");
  EXPECT_EQ(WindowsDirectoryFiles("*"), before);
}

TEST(SafeWriteWin, FileHeldWithoutSharingIsUnreadableNotMissing) {
  WindowsFileGuard guard("orvane.cfg");
  WriteBytes(guard.path(), "text");
  FileHolder holder(guard.path(), 0);
  ASSERT_TRUE(holder.held());
  std::string contents = "kept";
  EXPECT_EQ(ReadWholeFile(guard.path().c_str(), &contents), ReadStatus::kFailed);
  EXPECT_EQ(contents, "kept");
}

}  // namespace
