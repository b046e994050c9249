#include "files/file_io.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;

namespace {

class FileIoTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("velder_file_io_" + std::to_string(testing::UnitTest::GetInstance()->random_seed()) +
            testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string PathOf(const char *name) const { return (dir_ / name).string(); }
  void Put(const char *name, const std::string &bytes) const {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
  }
  std::string Get(const char *name) const {
    std::ifstream in(dir_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(dir_)) names.push_back(entry.path().filename().string());
    return names;
  }

  fs::path dir_;
};

const std::string kMixed("a\r\nb\nc\0d\x83\x5C\xFF", 11);

TEST_F(FileIoTest, MissingFileIsMissingAndLeavesTheStringAlone) {
  std::string contents = "kept";
  EXPECT_EQ(ReadWholeFile(PathOf("none.cfg").c_str(), &contents), ReadStatus::kMissing);
  EXPECT_EQ(contents, "kept");
}

TEST_F(FileIoTest, ReadsEveryByte) {
  Put("f.cfg", kMixed);
  std::string contents;
  ASSERT_EQ(ReadWholeFile(PathOf("f.cfg").c_str(), &contents), ReadStatus::kOk);
  EXPECT_EQ(contents, kMixed);
}

TEST_F(FileIoTest, ReadsALargeFileWhole) {
  std::string big(300000, 'x');
  big[123456] = '\n';
  Put("big.cfg", big);
  std::string contents;
  ASSERT_EQ(ReadWholeFile(PathOf("big.cfg").c_str(), &contents), ReadStatus::kOk);
  EXPECT_EQ(contents, big);
}

TEST_F(FileIoTest, SafeWriteCreatesAndReplacesLeavingNothingElse) {
  ASSERT_TRUE(SafeWriteFile(PathOf("out.cfg").c_str(), kMixed.data(), kMixed.size()));
  EXPECT_EQ(Get("out.cfg"), kMixed);
  ASSERT_TRUE(SafeWriteFile(PathOf("out.cfg").c_str(), "short", 5));
  EXPECT_EQ(Get("out.cfg"), "short");
  ASSERT_TRUE(SafeWriteFile(PathOf("out.cfg").c_str(), "", 0));
  EXPECT_EQ(Get("out.cfg"), "");
  EXPECT_EQ(Names(), std::vector<std::string>{"out.cfg"});
}

TEST_F(FileIoTest, SafeWriteIntoAMissingFolderFailsAndCreatesNothing) {
  EXPECT_FALSE(SafeWriteFile((dir_ / "no" / "out.cfg").string().c_str(), "x", 1));
  EXPECT_TRUE(Names().empty());
}

#ifndef _WIN32
// On Linux a replaced file keeps its permissions, and a new one gets those
// that creating it would give.
TEST_F(FileIoTest, SafeWriteKeepsTheModeOfTheFileItReplaces) {
  Put("kept.cfg", "old");
  fs::permissions(PathOf("kept.cfg"), fs::perms(0640));
  ASSERT_TRUE(SafeWriteFile(PathOf("kept.cfg").c_str(), "new", 3));
  EXPECT_EQ(fs::status(PathOf("kept.cfg")).permissions(), fs::perms(0640));
  mode_t mask = umask(027);
  bool written = SafeWriteFile(PathOf("new.cfg").c_str(), "new", 3);
  umask(mask);
  ASSERT_TRUE(written);
  EXPECT_EQ(fs::status(PathOf("new.cfg")).permissions(), fs::perms(0640));
}
#endif

}  // namespace
