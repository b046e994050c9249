#include "lib/files/file_io.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "lib/files/write_steps.h"
#include "tests/portable/temp_folder.h"

namespace fs = std::filesystem;

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

TEST_F(FileIoTest, StaleTempFileIsRemovedByTheNextSave) {
  folder_.Put("out.cfg", "old");
  folder_.Put((std::string("out.cfg") + kTempFileSuffix).c_str(), "left by a save that was cut short");
  ASSERT_TRUE(SafeWriteFile(folder_.PathOf("out.cfg").c_str(), "new", 3));
  EXPECT_EQ(folder_.Get("out.cfg"), "new");
  EXPECT_EQ(folder_.Names(), std::vector<std::string>{"out.cfg"});
}

// A folder in the temporary file's place, which no save can remove, stands
// for a folder where files cannot be created.
TEST_F(FileIoTest, WhereNoTempFileCanBeMadeTheTargetIsRewrittenInPlace) {
  for (const char *name : {"out.cfg", "none.cfg"}) {
    fs::path blocker = folder_.path() / (std::string(name) + kTempFileSuffix);
    fs::create_directory(blocker);
    std::ofstream(blocker / "keep") << "x";
  }
  folder_.Put("out.cfg", "old, and longer than the new bytes");
  ASSERT_TRUE(SafeWriteFile(folder_.PathOf("out.cfg").c_str(), "new", 3));
  EXPECT_EQ(folder_.Get("out.cfg"), "new");
  ASSERT_TRUE(SafeWriteFile(folder_.PathOf("out.cfg").c_str(), kMixed.data(), kMixed.size()));
  EXPECT_EQ(folder_.Get("out.cfg"), kMixed);
  // Only an existing file is rewritten in place.
  EXPECT_FALSE(SafeWriteFile(folder_.PathOf("none.cfg").c_str(), "new", 3));
  EXPECT_FALSE(fs::exists(folder_.path() / "none.cfg"));
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
    folder_.Put("out.cfg", old);
    ASSERT_TRUE(SafeWriteFileWith(kFaultySteps, folder_.PathOf("out.cfg").c_str(), "new", 3));
    const int steps = g_steps;
    EXPECT_GE(steps, noTempFile ? 6 : 5);
    // The one failure a save gets past: a temporary file that cannot be made
    // (the target is then rewritten in place), or, in place, a failed close
    // after the new bytes are on disk.
    const int survived = noTempFile ? steps - 1 : 0;
    for (g_failAt = 0; g_failAt < steps; ++g_failAt) {
      g_steps = 0;
      folder_.Put("out.cfg", old);
      bool saved = SafeWriteFileWith(kFaultySteps, folder_.PathOf("out.cfg").c_str(), "new", 3);
      EXPECT_EQ(folder_.Get("out.cfg"), saved ? "new" : old) << noTempFile << " step " << g_failAt;
      EXPECT_EQ(saved, g_failAt == survived) << noTempFile << " step " << g_failAt;
      EXPECT_EQ(folder_.Names(), std::vector<std::string>{"out.cfg"}) << noTempFile << " step " << g_failAt;
    }
  }
  g_noTempFile = false;
  g_failAt = -1;
}

#ifndef _WIN32
// On Linux a replaced file keeps its permissions, and a new one gets those
// that creating it would give.
TEST_F(FileIoTest, SafeWriteKeepsTheModeOfTheFileItReplaces) {
  folder_.Put("kept.cfg", "old");
  fs::permissions(folder_.PathOf("kept.cfg"), fs::perms(0640));
  ASSERT_TRUE(SafeWriteFile(folder_.PathOf("kept.cfg").c_str(), "new", 3));
  EXPECT_EQ(fs::status(folder_.PathOf("kept.cfg")).permissions(), fs::perms(0640));
  mode_t mask = umask(027);
  bool written = SafeWriteFile(folder_.PathOf("new.cfg").c_str(), "new", 3);
  umask(mask);
  ASSERT_TRUE(written);
  EXPECT_EQ(fs::status(folder_.PathOf("new.cfg")).permissions(), fs::perms(0640));
}
#endif

}  // namespace
