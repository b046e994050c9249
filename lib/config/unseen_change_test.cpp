#include "lib/config/unseen_change.h"

#include <gtest/gtest.h>
#include <string>

#include "lib/config/driver_params.h"
#include "tests/portable/temp_folder.h"

namespace {

SeenFile Missing() { return {}; }
SeenFile Unknown() { return {ReadStatus::kFailed, ""}; }
SeenFile Bytes(const char *bytes) { return {ReadStatus::kOk, bytes}; }

TEST(BytesChangedSince, AsksWhereTheWriteWouldLoseBytesThePageNeverShowed) {
  struct Case {
    const char *name;
    SeenFile seen;
    SeenFile now;
    bool changed;
  };
  const Case kCases[] = {
      {"nobody changed it", Bytes("a\r\n"), Bytes("a\r\n"), false},
      {"another program changed it", Bytes("a\r\n"), Bytes("b\r\n"), true},
      {"only a line end changed", Bytes("a\r\n"), Bytes("a\n"), true},
      {"emptied", Bytes("a\r\n"), Bytes(""), true},
      {"deleted", Bytes("a\r\n"), Missing(), false},
      {"still missing", Missing(), Missing(), false},
      {"appeared", Missing(), Bytes(""), true},
      {"unreadable now", Bytes("a\r\n"), Unknown(), true},
      {"unreadable at start, readable now", Unknown(), Bytes("a\r\n"), true},
      {"unreadable then and now", Unknown(), Unknown(), true},
      {"unreadable at start, deleted since", Unknown(), Missing(), false},
  };
  for (const Case &c : kCases) EXPECT_EQ(BytesChangedSince(c.seen, c.now), c.changed) << c.name;
}

TEST(ReadSeenFile, TellsMissingUnreadableAndReadFiles) {
  TempFolder folder;
  EXPECT_EQ(ReadSeenFile(folder.PathOf("none").c_str()).status, ReadStatus::kMissing);
  EXPECT_EQ(ReadSeenFile(folder.path().string().c_str()).status, ReadStatus::kFailed);  // a folder
  folder.Put("orvane.cfg", "a\nb\r\n");
  SeenFile read = ReadSeenFile(folder.PathOf("orvane.cfg").c_str());
  EXPECT_EQ(read.status, ReadStatus::kOk);
  EXPECT_EQ(read.bytes, "a\nb\r\n");
}

TEST(FileOptions, ComparesOnlyWhatTheOptionLinesGive) {
  const std::string kRead =
      "soundfont \"a.sf2\"\r\n#extension opt --fast-decay\r\n#extension opt --volume=90\r\n";
  struct Case {
    const char *name;
    std::string now;
    bool same;
  };
  const Case kCases[] = {
      {"nobody changed it", kRead, true},
      {"a soundfont line added", kRead + "soundfont \"b.sf2\"\r\n", true},
      {"an option written another way, same value", "#extension opt -a 90\r\n#extension opt --fast-decay\r\n",
       true},
      {"an option repeated, the last with the value",
       kRead + "#extension opt -a80\r\n#extension opt -a90\r\n", true},
      {"an option's value changed", "#extension opt --fast-decay\r\n#extension opt --volume=91\r\n", false},
      {"an option removed", "#extension opt --volume=90\r\n", false},
      {"an effect flag added", kRead + "#extension opt -Ew\r\n", false},
      {"an option set to its default", kRead + "#extension opt --volume=70\r\n", false},
  };
  const OptionValues seen = FileOptions(kRead);
  EXPECT_FALSE(SameOptionValues(seen, DefaultOptionValues()));
  for (const Case &c : kCases) EXPECT_EQ(SameOptionValues(seen, FileOptions(c.now)), c.same) << c.name;
  EXPECT_TRUE(SameOptionValues(FileOptions(""), DefaultOptionValues()));
}

TEST(SavedParamsChangedSince, AsksOnlyForValuesASaveWrites) {
  TempFolder folder;
  const std::string path = folder.PathOf("velder_soundfont.ini");
  const std::string kRead =
      "[main]\r\nver=101\r\nOverWriteTremolo=0\r\n[param]\r\nVibratoDepth=5\r\n"
      "_VibratoCent=20000\r\n[chorus]\r\nLevel=64\r\n";
  folder.Put("velder_soundfont.ini", kRead);
  DriverParams seen;
  ASSERT_TRUE(LoadDriverParamsFile(path.c_str(), &seen).readable);
  struct Case {
    const char *name;
    std::string now;
    bool changed;
  };
  const Case kCases[] = {
      {"nobody changed it", kRead, false},
      {"an unknown key added", kRead + "Mine=1\r\n[other]\r\nx=2\r\n", false},
      {"a key the save does not write changed",
       "[main]\r\nver=101\r\n[param]\r\nVibratoDepth=5\r\n"
       "_VibratoCent=20000\r\n[chorus]\r\nLevel=10\r\n",
       false},
      {"the same values after the load's limits",
       "[main]\r\nver=101\r\n[param]\r\nVibratoDepth=5\r\n"
       "_VibratoCent=10000\r\n",
       false},
      {"a written value changed", "[main]\r\nver=101\r\n[param]\r\nVibratoDepth=6\r\n_VibratoCent=20000\r\n",
       true},
      {"an override flag changed", kRead + "[main]\r\nOverWriteTremolo=1\r\n", true},
      {"the older layout, converted to other flags",
       "[param]\r\nVibratoDepth=5\r\n_VibratoCent=20000\r\n"
       "_OverWriteTremolo=1\r\n",
       true},
  };
  for (const Case &c : kCases) {
    folder.Put("velder_soundfont.ini", c.now);
    EXPECT_EQ(SavedParamsChangedSince(path.c_str(), seen), c.changed) << c.name;
  }
  // Nothing there to lose: a save makes the file anew or fails.
  EXPECT_FALSE(SavedParamsChangedSince(folder.PathOf("deleted.ini").c_str(), seen));
  EXPECT_FALSE(SavedParamsChangedSince(folder.path().string().c_str(), seen));  // unreadable
}

}  // namespace
