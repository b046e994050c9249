#include "files/file_io.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "tests/portable/temp_folder.h"

namespace {

class FileIoTest : public testing::Test {
 protected:
  TempFolder folder_;
};

const std::string kMixed("a\r\nb\nc\0d\x83\x5C\xFF", 11);

TEST_F(FileIoTest, MissingFileIsMissingAndLeavesTheStringAlone) {
  std::string contents = "kept";
  EXPECT_EQ(ReadWholeFile(folder_.PathOf("none.cfg").c_str(), &contents), ReadStatus::kMissing);
  EXPECT_EQ(contents, "kept");
}

TEST_F(FileIoTest, ReadsEveryByte) {
  folder_.Put("f.cfg", kMixed);
  std::string contents;
  ASSERT_EQ(ReadWholeFile(folder_.PathOf("f.cfg").c_str(), &contents), ReadStatus::kOk);
  EXPECT_EQ(contents, kMixed);
}

TEST_F(FileIoTest, ReadsALargeFileWhole) {
  std::string big(300000, 'x');
  big[123456] = '\n';
  folder_.Put("big.cfg", big);
  std::string contents;
  ASSERT_EQ(ReadWholeFile(folder_.PathOf("big.cfg").c_str(), &contents), ReadStatus::kOk);
  EXPECT_EQ(contents, big);
}

TEST_F(FileIoTest, SafeWriteCreatesAndReplacesLeavingNothingElse) {
  ASSERT_TRUE(SafeWriteFile(folder_.PathOf("out.cfg").c_str(), kMixed.data(), kMixed.size()));
  EXPECT_EQ(folder_.Get("out.cfg"), kMixed);
  ASSERT_TRUE(SafeWriteFile(folder_.PathOf("out.cfg").c_str(), "short", 5));
  EXPECT_EQ(folder_.Get("out.cfg"), "short");
  ASSERT_TRUE(SafeWriteFile(folder_.PathOf("out.cfg").c_str(), "", 0));
  EXPECT_EQ(folder_.Get("out.cfg"), "");
  EXPECT_EQ(folder_.Names(), std::vector<std::string>{"out.cfg"});
}

TEST_F(FileIoTest, SafeWriteIntoAMissingFolderFailsAndCreatesNothing) {
  EXPECT_FALSE(SafeWriteFile((folder_.path() / "no" / "out.cfg").string().c_str(), "x", 1));
  EXPECT_TRUE(folder_.Names().empty());
}

}  // namespace
