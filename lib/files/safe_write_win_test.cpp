// What only Windows can show: files held open by another program, and two
// saves of one file at once, each step of the other save taken by hand.
#include <gtest/gtest.h>

#include "lib/files/file_io.h"
#include "tests/win/test_support_win.h"

namespace {

std::string Held(const std::string &path) {
  std::string bytes;
  EXPECT_TRUE(ReadBytes(path, &bytes));
  return bytes;
}

HANDLE Open(const std::string &path, DWORD access, DWORD share, DWORD disposition) {
  return CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

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
  EXPECT_EQ(Held(guard.path()), "old\r\n");
  EXPECT_EQ(WindowsDirectoryFiles("*"), before);
}

DWORD WINAPI CloseAfterAMoment(LPVOID handle) {
  Sleep(300);
  CloseHandle(handle);
  return 0;
}

// Another program holds the file for a moment, as the driver does while it
// reads it: the save waits for it and then lands.
TEST(SafeWriteWin, TargetHeldForAMomentIsReplacedOnceItIsFree) {
  WindowsFileGuard guard("orvane.cfg");
  WriteBytes(guard.path(), "old\r\n");
  auto before = WindowsDirectoryFiles("*");
  HANDLE held = Open(guard.path(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  HANDLE releaser = CreateThread(nullptr, 0, CloseAfterAMoment, held, 0, nullptr);
  ASSERT_NE(releaser, nullptr);
  EXPECT_TRUE(SafeWriteFile(guard.path().c_str(), "new\r\n", 5));
  WaitForSingleObject(releaser, INFINITE);
  CloseHandle(releaser);
  EXPECT_EQ(Held(guard.path()), "new\r\n");
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

// The other save is writing its temporary file: this save must neither remove
// nor reuse it, so it rewrites the target in place; the other save's move
// then lands its own bytes whole.
TEST(SafeWriteWin, SaveWhileAnotherWritesItsTempFileLeavesOneWholeFile) {
  WindowsFileGuard guard("orvane.cfg");
  WriteBytes(guard.path(), "old");
  auto before = WindowsDirectoryFiles("*");
  const std::string temp = guard.path() + kTempFileSuffix;
  HANDLE other = Open(temp, GENERIC_WRITE, 0, CREATE_NEW);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  DWORD written;
  ASSERT_TRUE(WriteFile(other, "theirs", 6, &written, nullptr));

  EXPECT_TRUE(SafeWriteFile(guard.path().c_str(), "ours", 4));
  EXPECT_EQ(Held(guard.path()), "ours");

  ASSERT_TRUE(CloseHandle(other));
  EXPECT_TRUE(MoveFileExA(temp.c_str(), guard.path().c_str(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(Held(guard.path()), "theirs");
  EXPECT_EQ(WindowsDirectoryFiles("*"), before);
}

// The other save is rewriting the target in place: this one may not replace
// it meanwhile, fails, and leaves nothing behind.
TEST(SafeWriteWin, SaveWhileAnotherRewritesInPlaceFailsAndLeavesItsBytes) {
  WindowsFileGuard guard("orvane.cfg");
  WriteBytes(guard.path(), "old");
  auto before = WindowsDirectoryFiles("*");
  HANDLE other = Open(guard.path(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  DWORD written;
  ASSERT_TRUE(WriteFile(other, "theirs", 6, &written, nullptr));

  EXPECT_FALSE(SafeWriteFile(guard.path().c_str(), "ours", 4));
  ASSERT_TRUE(CloseHandle(other));
  EXPECT_EQ(Held(guard.path()), "theirs");
  EXPECT_EQ(WindowsDirectoryFiles("*"), before);
}

}  // namespace
