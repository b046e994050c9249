#include "files/file_io.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

#include "files/write_steps.h"

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

TEST_F(FileIoTest, StaleTempFileIsRemovedByTheNextSave) {
  Put("out.cfg", "old");
  Put((std::string("out.cfg") + kTempFileSuffix).c_str(), "left by a save that was cut short");
  ASSERT_TRUE(SafeWriteFile(PathOf("out.cfg").c_str(), "new", 3));
  EXPECT_EQ(Get("out.cfg"), "new");
  EXPECT_EQ(Names(), std::vector<std::string>{"out.cfg"});
}

// A folder in the temporary file's place, which no save can remove, stands
// for a folder where files cannot be created.
TEST_F(FileIoTest, WhereNoTempFileCanBeMadeTheTargetIsRewrittenInPlace) {
  for (const char *name : {"out.cfg", "none.cfg"}) {
    fs::path blocker = dir_ / (std::string(name) + kTempFileSuffix);
    fs::create_directory(blocker);
    std::ofstream(blocker / "keep") << "x";
  }
  Put("out.cfg", "old, and longer than the new bytes");
  ASSERT_TRUE(SafeWriteFile(PathOf("out.cfg").c_str(), "new", 3));
  EXPECT_EQ(Get("out.cfg"), "new");
  ASSERT_TRUE(SafeWriteFile(PathOf("out.cfg").c_str(), kMixed.data(), kMixed.size()));
  EXPECT_EQ(Get("out.cfg"), kMixed);
  // Only an existing file is rewritten in place.
  EXPECT_FALSE(SafeWriteFile(PathOf("none.cfg").c_str(), "new", 3));
  EXPECT_FALSE(fs::exists(dir_ / "none.cfg"));
}

// The platform's steps, failing on demand: the step numbered `failAt` (in the
// order they are taken) fails without acting, and with `noTempFile` every
// attempt to create the temporary file does.
int g_steps = 0;
int g_failAt = -1;
bool g_noTempFile = false;

bool Proceeds() { return g_steps++ != g_failAt; }

const WriteSteps kFaultySteps = {
    [](const char *temp, StepFile *file) {
      return !g_noTempFile && Proceeds() && kSystemWriteSteps.createTemp(temp, file);
    },
    [](const char *path, StepFile *file) { return Proceeds() && kSystemWriteSteps.openTarget(path, file); },
    [](StepFile file, std::string *bytes) { return Proceeds() && kSystemWriteSteps.readAll(file, bytes); },
    [](StepFile file, const char *data, size_t size) {
      return Proceeds() && kSystemWriteSteps.writeFromStart(file, data, size);
    },
    [](StepFile file) { return Proceeds() && kSystemWriteSteps.setEnd(file); },
    [](StepFile file) { return Proceeds() && kSystemWriteSteps.flush(file); },
    // A handle is closed even when its close reports a failure.
    [](StepFile file) { return kSystemWriteSteps.close(file) && Proceeds(); },
    [](const char *temp, const char *path) { return Proceeds() && kSystemWriteSteps.replace(temp, path); },
    [](const char *temp) { kSystemWriteSteps.remove(temp); },
};

// Whichever step fails, the target holds either its old bytes (and the save
// says it failed) or the new ones, and nothing else is left in the folder.
TEST_F(FileIoTest, EveryFailedStepLeavesTheOldBytesOrTheNewOnesAndNoStrayFile) {
  const std::string old = "old, and longer than the new bytes";
  for (bool noTempFile : {false, true}) {
    g_noTempFile = noTempFile;
    g_failAt = -1;
    g_steps = 0;
    Put("out.cfg", old);
    ASSERT_TRUE(SafeWriteFileWith(kFaultySteps, PathOf("out.cfg").c_str(), "new", 3));
    const int steps = g_steps;
    EXPECT_GE(steps, noTempFile ? 6 : 5);
    // The one failure a save gets past: a temporary file that cannot be made
    // (the target is then rewritten in place), or, in place, a failed close
    // after the new bytes are on disk.
    const int survived = noTempFile ? steps - 1 : 0;
    for (g_failAt = 0; g_failAt < steps; ++g_failAt) {
      g_steps = 0;
      Put("out.cfg", old);
      bool saved = SafeWriteFileWith(kFaultySteps, PathOf("out.cfg").c_str(), "new", 3);
      EXPECT_EQ(Get("out.cfg"), saved ? "new" : old) << noTempFile << " step " << g_failAt;
      EXPECT_EQ(saved, g_failAt == survived) << noTempFile << " step " << g_failAt;
      EXPECT_EQ(Names(), std::vector<std::string>{"out.cfg"}) << noTempFile << " step " << g_failAt;
    }
  }
  g_noTempFile = false;
  g_failAt = -1;
}

}  // namespace
