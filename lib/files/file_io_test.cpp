#include "lib/files/file_io.h"

#include <algorithm>
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

TEST_F(FileIoTest, ReadsAFilesStartAndItsWholeSize) {
  folder_.Put("big.sf2", std::string(300000, 'x'));
  folder_.Put("f.sf2", kMixed);
  std::string start = "kept";
  uint64_t size = 0;
  EXPECT_EQ(ReadFileStart(folder_.PathOf("none.sf2").c_str(), 10, &start, &size), ReadStatus::kMissing);
  EXPECT_EQ(start, "kept");
  ASSERT_EQ(ReadFileStart(folder_.PathOf("big.sf2").c_str(), 10, &start, &size), ReadStatus::kOk);
  EXPECT_EQ(start, std::string(10, 'x'));
  EXPECT_EQ(size, 300000u);
  ASSERT_EQ(ReadFileStart(folder_.PathOf("f.sf2").c_str(), 100, &start, &size), ReadStatus::kOk);
  EXPECT_EQ(start, kMixed);
  EXPECT_EQ(size, kMixed.size());
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
    [](const char *path, TargetInfo *info) { return Proceeds() && kSystemWriteSteps.inspect(path, info); },
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
    [](const char *temp, uint32_t kept) { return Proceeds() && kSystemWriteSteps.keep(temp, kept); },
    [](const char *temp, const char *path, const char *backup) {
      return Proceeds() ? kSystemWriteSteps.replace(temp, path, backup) : MoveResult::kFailed;
    },
    [](const char *from, const char *to) {
      return Proceeds() ? kSystemWriteSteps.move(from, to) : MoveResult::kFailed;
    },
    [](const char *from, const char *to) {
      return Proceeds() ? kSystemWriteSteps.moveOver(from, to) : MoveResult::kFailed;
    },
    [](const char *path) { kSystemWriteSteps.remove(path); },
    [](unsigned) {},
    [] { return kSystemWriteSteps.denied(); },
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
    EXPECT_GE(steps, 7);
    // The one failure a save gets past: a temporary file that cannot be made
    // (the target is then rewritten in place), or, in place, a failed close
    // after the new bytes are on disk.
    const int survived = noTempFile ? steps - 1 : 1;
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

// A replacement can stop half-way. Whatever state it leaves, the target ends
// with its old bytes (and the save says it failed) or the new ones, and
// nothing else stays; only where no file can be moved at all do the old bytes
// stay under the backup name, their one copy.
bool g_onlyTheTempMoves = false;
bool EndsWith(const std::string &text, const std::string &end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST_F(FileIoTest, AReplacementStoppedHalfWayLeavesTheOldBytesOrTheNewOnes) {
  using Replace = MoveResult (*)(const char *temp, const char *path, const char *backup);
  const Replace kNothingMoved = [](const char *, const char *, const char *) { return MoveResult::kFailed; };
  const Replace kOldMovedToBackup = [](const char *, const char *path, const char *backup) {
    kSystemWriteSteps.move(path, backup);
    return MoveResult::kFailed;
  };
  const Replace kOldRemoved = [](const char *, const char *path, const char *) {
    kSystemWriteSteps.remove(path);
    return MoveResult::kFailed;
  };
  struct Case {
    const char *state;
    Replace replace;
    bool onlyTheTempMoves;  // the backup cannot be moved back
    bool nothingMoves;
    bool saved;
  };
  const Case kCases[] = {
      {"both keep their names", kNothingMoved, false, false, false},
      {"the old file under the backup name, the new one under its own", kOldMovedToBackup, false, false,
       false},
      {"as above, and the backup cannot be moved back", kOldMovedToBackup, true, false, true},
      {"the old file removed, the new one under its own", kOldRemoved, false, false, true},
  };
  const std::string old = "old bytes";
  for (const Case &c : kCases) {
    SCOPED_TRACE(c.state);
    folder_.Put("out.cfg", old);
    g_onlyTheTempMoves = c.onlyTheTempMoves;
    WriteSteps steps = kSystemWriteSteps;
    steps.replace = c.replace;
    steps.move = [](const char *from, const char *to) {
      if (g_onlyTheTempMoves && !EndsWith(from, kTempFileSuffix)) return MoveResult::kFailed;
      return kSystemWriteSteps.move(from, to);
    };
    bool saved = SafeWriteFileWith(steps, folder_.PathOf("out.cfg").c_str(), "new", 3);
    EXPECT_EQ(saved, c.saved);
    EXPECT_EQ(folder_.Get("out.cfg"), saved ? "new" : old);
    EXPECT_EQ(folder_.Names(), std::vector<std::string>{"out.cfg"});
  }
  g_onlyTheTempMoves = false;

  // Nothing can be moved: the old bytes are not thrown away with the backup.
  folder_.Put("out.cfg", old);
  WriteSteps stuck = kSystemWriteSteps;
  stuck.replace = kOldMovedToBackup;
  stuck.move = [](const char *, const char *) { return MoveResult::kFailed; };
  EXPECT_FALSE(SafeWriteFileWith(stuck, folder_.PathOf("out.cfg").c_str(), "new", 3));
  std::vector<std::string> names = folder_.Names();
  ASSERT_EQ(names.size(), 1u);
  EXPECT_NE(names[0], "out.cfg");
  EXPECT_EQ(folder_.Get(names[0].c_str()), old);
}

// With the previous version kept, whichever step fails, an older previous
// version stays as it was, no new one is made and nothing else is left; a
// save that gets past its failure keeps none either (rewritten in place, or
// the old file not made the previous version) but stands.
TEST_F(FileIoTest, AFailedStepLeavesAnOlderPreviousVersionAsItWas) {
  const std::string bak = std::string("out.cfg") + kPreviousVersionSuffix;
  const std::string path = folder_.PathOf("out.cfg");
  const std::vector<std::string> kBoth = {"out.cfg", bak};
  g_failAt = -1;
  g_steps = 0;
  folder_.Put("out.cfg", "old");
  folder_.Put(bak.c_str(), "older");
  ASSERT_TRUE(SafeWriteFileWith(kFaultySteps, path.c_str(), "new", 3, true));
  EXPECT_EQ(folder_.Get(bak.c_str()), "old");
  const int steps = g_steps;
  for (g_failAt = 0; g_failAt < steps; ++g_failAt) {
    SCOPED_TRACE(testing::Message() << "step " << g_failAt);
    g_steps = 0;
    folder_.Put("out.cfg", "old");
    folder_.Put(bak.c_str(), "older");
    bool saved = SafeWriteFileWith(kFaultySteps, path.c_str(), "new", 3, true);
    // Step 1 makes the temporary file; the last one makes the previous version.
    EXPECT_EQ(saved, g_failAt == 1 || g_failAt == steps - 1);
    EXPECT_EQ(folder_.Get("out.cfg"), saved ? "new" : "old");
    EXPECT_EQ(folder_.Get(bak.c_str()), "older");
    std::vector<std::string> names = folder_.Names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, kBoth);
  }
  g_failAt = -1;
}

// A failed write says why, from the step that failed: the in-place rewrite
// tried after it does not replace a refusal of the temporary file, which
// rights would have let through.
TEST_F(FileIoTest, AFailedWriteSaysWhyFromTheStepThatFailed) {
  WriteSteps refusesTemp = kSystemWriteSteps;
  refusesTemp.createTemp = [](const char *, StepFile *) { return false; };
  refusesTemp.denied = [] { return true; };
  WriteSteps refusesTempOnly = refusesTemp;
  refusesTempOnly.openTarget = [](const char *, StepFile *) { return false; };
  refusesTempOnly.denied = [] {
    static int asked = 0;
    return asked++ % 2 == 0;  // the temporary file's step, then not the in-place one
  };
  WriteSteps failsTemp = kSystemWriteSteps;
  failsTemp.createTemp = refusesTemp.createTemp;
  failsTemp.denied = [] { return false; };
  WriteSteps refusesReplace = kSystemWriteSteps;
  refusesReplace.replace = [](const char *, const char *, const char *) { return MoveResult::kFailed; };
  refusesReplace.denied = [] { return true; };
  struct Case {
    const char *name;
    const WriteSteps &steps;
    bool exists;
    bool readOnly;
    bool written;
    WriteFailure failure;
  } cases[] = {
      {"written", kSystemWriteSteps, true, false, true, WriteFailure::kNone},
      {"read-only", kSystemWriteSteps, true, true, false, WriteFailure::kReadOnly},
      {"temporary file refused, no file", refusesTemp, false, false, false, WriteFailure::kDenied},
      {"temporary file refused, rewritten in place", refusesTemp, true, false, true, WriteFailure::kNone},
      {"temporary file refused, in place failed", refusesTempOnly, true, false, false, WriteFailure::kDenied},
      {"temporary file failed, no file", failsTemp, false, false, false, WriteFailure::kOther},
      {"replacement refused", refusesReplace, true, false, false, WriteFailure::kDenied},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(folder_.PathOf("out.cfg"));
    if (c.exists) folder_.Put("out.cfg", "old");
    const fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (c.readOnly) fs::permissions(folder_.PathOf("out.cfg"), write, fs::perm_options::remove);
    WriteFailure failure = WriteFailure::kOther;
    EXPECT_EQ(SafeWriteFileWith(c.steps, folder_.PathOf("out.cfg").c_str(), "new", 3, false, &failure),
              c.written);
    EXPECT_EQ(failure, c.failure);
    EXPECT_EQ(folder_.Get("out.cfg"), c.written ? "new" : c.exists ? "old" : "");
    if (c.readOnly) fs::permissions(folder_.PathOf("out.cfg"), fs::perms::owner_write, fs::perm_options::add);
  }
}

// A target near the longest path Windows' ANSI calls take is still written
// all or nothing: the writer's own files beside it get short names in its
// folder where its name and their suffix would not fit.
TEST_F(FileIoTest, ATargetNearTheLongestPathKeepsItsFilesBesideItWithinThatLength) {
  static std::vector<std::string> named;
  WriteSteps steps = kSystemWriteSteps;
  steps.createTemp = [](const char *temp, StepFile *file) {
    named.push_back(temp);
    return kSystemWriteSteps.createTemp(temp, file);
  };
  steps.replace = [](const char *temp, const char *path, const char *backup) {
    named.insert(named.end(), {temp, path, backup});
    return kSystemWriteSteps.replace(temp, path, backup);
  };
  steps.moveOver = [](const char *from, const char *to) {
    named.insert(named.end(), {from, to});
    return kSystemWriteSteps.moveOver(from, to);
  };
  fs::path folder = folder_.path();
  while (folder.string().size() < 230)
    folder /= std::string(std::min<size_t>(40, 230 - folder.string().size()), 'd');
  fs::create_directories(folder);
  for (size_t length : {249, 255, 259}) {
    SCOPED_TRACE(length);
    const std::string path = (folder / std::string(length - folder.string().size() - 1, 'f')).string();
    ASSERT_EQ(path.size(), length);
    PutFile(path, "old");
    named.clear();
    ASSERT_TRUE(SafeWriteFileWith(steps, path.c_str(), "new", 3, true));
    EXPECT_EQ(FileBytes(path), "new");
    ASSERT_GE(named.size(), 4u) << "replaced, not rewritten in place";
    const std::string previous = path + kPreviousVersionSuffix;
    for (const std::string &name : named) {
      // The previous version keeps its name, which the user looks for; the
      // write goes on where it does not fit.
      if (name == previous) continue;
      EXPECT_LE(name.size(), 259u) << name;
      EXPECT_EQ(fs::path(name).parent_path(), folder) << name;
    }
    if (previous.size() <= 259) {
      EXPECT_EQ(FileBytes(previous), "old");
    }
    size_t left = 0;
    for (const auto &entry : fs::directory_iterator(folder)) left += entry.path() != previous;
    EXPECT_EQ(left, 1u) << "no file of the writer's own stays";
    fs::remove(path);
    fs::remove(path + kPreviousVersionSuffix);
  }
}

#ifndef _WIN32
// A symbolic link stays a link: the write goes to the file it leads to, in
// that file's folder, and so does its previous version.
TEST_F(FileIoTest, AWriteThroughASymbolicLinkGoesToItsTarget) {
  fs::create_directory(folder_.path() / "real");
  folder_.Put("real/out.cfg", "old");
  fs::create_symlink("real/out.cfg", folder_.path() / "link.cfg");
  fs::create_symlink("link.cfg", folder_.path() / "link2.cfg");
  RunWrites run;
  ASSERT_TRUE(SafeWriteInRun(&run, folder_.PathOf("link2.cfg").c_str(), "new", 3));
  EXPECT_TRUE(fs::is_symlink(folder_.path() / "link.cfg"));
  EXPECT_TRUE(fs::is_symlink(folder_.path() / "link2.cfg"));
  EXPECT_EQ(folder_.Get("real/out.cfg"), "new");
  EXPECT_EQ(folder_.Get((std::string("real/out.cfg") + kPreviousVersionSuffix).c_str()), "old");
  EXPECT_FALSE(fs::exists(folder_.path() / (std::string("link2.cfg") + kPreviousVersionSuffix)));
}
#endif

class RunWritesTest : public FileIoTest {
 protected:
  bool Write(RunWrites *run, const char *name, const std::string &bytes) const {
    return SafeWriteInRun(run, folder_.PathOf(name).c_str(), bytes.data(), bytes.size());
  }
  std::string Previous(const char *name) const { return folder_.Get((name + kBak).c_str()); }
  bool HasPrevious(const char *name) const { return fs::exists(folder_.path() / (name + kBak)); }

  const std::string kBak = kPreviousVersionSuffix;
};

TEST_F(RunWritesTest, TheFirstWriteOfARunKeepsThePreviousVersionAndANewRunReplacesIt) {
  folder_.Put("out.cfg", kMixed);
  RunWrites run;
  ASSERT_TRUE(Write(&run, "out.cfg", "second"));
  EXPECT_EQ(folder_.Get("out.cfg"), "second");
  EXPECT_EQ(Previous("out.cfg"), kMixed);
  ASSERT_TRUE(Write(&run, "out.cfg", "third"));
  EXPECT_EQ(Previous("out.cfg"), kMixed) << "a later write of the run keeps the first one's";
  // Each file of a run is its own.
  folder_.Put("other.ini", "other");
  ASSERT_TRUE(Write(&run, "other.ini", "new"));
  EXPECT_EQ(Previous("other.ini"), "other");

  RunWrites next;
  ASSERT_TRUE(Write(&next, "out.cfg", "fourth"));
  EXPECT_EQ(folder_.Get("out.cfg"), "fourth");
  EXPECT_EQ(Previous("out.cfg"), "third");
  EXPECT_EQ(folder_.Names().size(), 4u);
}

TEST_F(RunWritesTest, ANewFileKeepsNoneNorDoLaterWritesOfItsRun) {
  RunWrites run;
  ASSERT_TRUE(Write(&run, "out.cfg", "first"));
  ASSERT_TRUE(Write(&run, "out.cfg", "second"));
  EXPECT_EQ(folder_.Names(), std::vector<std::string>{"out.cfg"});
  // A previous version left beside a file since removed stays as it was.
  folder_.Put(("new.cfg" + kBak).c_str(), "older");
  RunWrites next;
  ASSERT_TRUE(Write(&next, "new.cfg", "new"));
  EXPECT_EQ(Previous("new.cfg"), "older");
}

// A folder in the temporary file's place stands for a folder where no file
// can be made: the file is rewritten in place, keeping no previous version,
// and that write was still the run's first.
TEST_F(RunWritesTest, AFileRewrittenInPlaceKeepsNone) {
  fs::path blocker = folder_.path() / (std::string("out.cfg") + kTempFileSuffix);
  fs::create_directory(blocker);
  std::ofstream(blocker / "keep") << "x";
  folder_.Put("out.cfg", "old");
  RunWrites run;
  ASSERT_TRUE(Write(&run, "out.cfg", "new"));
  EXPECT_EQ(folder_.Get("out.cfg"), "new");
  EXPECT_FALSE(HasPrevious("out.cfg"));
  fs::remove_all(blocker);
  ASSERT_TRUE(Write(&run, "out.cfg", "newer"));
  EXPECT_FALSE(HasPrevious("out.cfg"));
}

// A failed write keeps nothing and is not the run's first: the next one is.
TEST_F(RunWritesTest, AFailedWriteIsNotTheRunsFirst) {
  folder_.Put("out.cfg", "old");
  folder_.Put(("out.cfg" + kBak).c_str(), "older");
  const fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  fs::permissions(folder_.PathOf("out.cfg"), write, fs::perm_options::remove);
  RunWrites run;
  EXPECT_FALSE(Write(&run, "out.cfg", "new"));
  EXPECT_EQ(Previous("out.cfg"), "older");
  fs::permissions(folder_.PathOf("out.cfg"), fs::perms::owner_write, fs::perm_options::add);
  ASSERT_TRUE(Write(&run, "out.cfg", "new"));
  EXPECT_EQ(Previous("out.cfg"), "old");
}

// A move or a replacement that finds the file held by another program is
// tried again, pausing between tries, for about a second in all.
int g_busyTimes = 0;
unsigned g_pausedMs = 0;

bool StillBusy() { return g_busyTimes > 0 && g_busyTimes-- > 0; }

TEST_F(FileIoTest, AFileHeldByAnotherProgramIsTriedAgainForAboutASecond) {
  WriteSteps steps = kSystemWriteSteps;
  steps.replace = [](const char *temp, const char *path, const char *backup) {
    return StillBusy() ? MoveResult::kBusy : kSystemWriteSteps.replace(temp, path, backup);
  };
  steps.move = [](const char *from, const char *to) {
    return StillBusy() ? MoveResult::kBusy : kSystemWriteSteps.move(from, to);
  };
  steps.pause = [](unsigned ms) { g_pausedMs += ms; };
  struct Case {
    bool targetExists;
    int busyTimes;
    bool saved;
    unsigned pausedMs;
  };
  for (const Case &c : {Case{true, 3, true, 300}, Case{true, 1000, false, 1000}, Case{false, 3, true, 300},
                        Case{false, 1000, false, 1000}}) {
    SCOPED_TRACE(testing::Message() << c.targetExists << " busy " << c.busyTimes);
    std::filesystem::remove(folder_.PathOf("out.cfg"));
    if (c.targetExists) folder_.Put("out.cfg", "old");
    g_busyTimes = c.busyTimes;
    g_pausedMs = 0;
    EXPECT_EQ(SafeWriteFileWith(steps, folder_.PathOf("out.cfg").c_str(), "new", 3), c.saved);
    EXPECT_EQ(g_pausedMs, c.pausedMs);
    EXPECT_EQ(folder_.Get("out.cfg"), c.saved ? "new" : c.targetExists ? "old" : "");
    EXPECT_EQ(folder_.Names().size(), c.saved || c.targetExists ? 1u : 0u);
  }
  g_busyTimes = 0;
}

// A read-only file is never written, whichever way the save would take and
// whoever runs it (root may write any file).
TEST_F(FileIoTest, AReadOnlyFileIsNeverWritten) {
  for (bool noTempFile : {false, true}) {
    SCOPED_TRACE(noTempFile);
    fs::path blocker = folder_.path() / (std::string("out.cfg") + kTempFileSuffix);
    if (noTempFile) {
      fs::create_directory(blocker);
      std::ofstream(blocker / "keep") << "x";
    }
    folder_.Put("out.cfg", "old");
    const fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(folder_.PathOf("out.cfg"), write, fs::perm_options::remove);
    EXPECT_FALSE(SafeWriteFile(folder_.PathOf("out.cfg").c_str(), "new", 3));
    EXPECT_EQ(folder_.Get("out.cfg"), "old");
    fs::permissions(folder_.PathOf("out.cfg"), fs::perms::owner_write, fs::perm_options::add);
    fs::remove_all(blocker);
    EXPECT_EQ(folder_.Names(), std::vector<std::string>{"out.cfg"});
  }
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
