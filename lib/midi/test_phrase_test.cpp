#include "lib/midi/test_phrase.h"

#include <algorithm>
#include <gtest/gtest.h>

#include "tests/portable/fake_midi.h"

namespace {

std::vector<std::string> Messages(const uint32_t *messages, unsigned count) {
  std::vector<std::string> log;
  for (unsigned i = 0; i < count; ++i) log.push_back(FakeMidi::Message(messages[i]));
  return log;
}

std::vector<std::string> Release() {
  std::vector<std::string> log = Messages(kPhraseRelease, kPhraseReleaseCount);
  log.push_back("reset");
  log.push_back("close");
  return log;
}

std::vector<std::string> Joined(std::vector<std::string> a, const std::vector<std::string> &b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(TestPhrase, SetsProgramAndVolumeFirstThenPlaysToItsEndAndClosesTheDevice) {
  FakeMidi fake;
  PhrasePlayer player;
  unsigned wait = 0;
  ASSERT_EQ(StartPhrase(fake.calls(), kMidiMapper, &player, &wait), kMidiOk);
  EXPECT_TRUE(player.playing);
  std::vector<std::string> start = {"open 4294967295",    "message 0x000000c0", "message 0x006407b0",
                                    "message 0x006407b9", "message 0x00603c90", "message 0x00604090",
                                    "message 0x00604390", "message 0x00702499"};
  EXPECT_EQ(fake.log, start);
  EXPECT_EQ(wait, 500u);

  fake.log.clear();
  ASSERT_TRUE(ContinuePhrase(fake.calls(), &player, &wait));
  EXPECT_EQ(fake.log, std::vector<std::string>{"message 0x00002489"});
  EXPECT_EQ(wait, kTestPhraseLength - 500);

  fake.log.clear();
  EXPECT_FALSE(ContinuePhrase(fake.calls(), &player, &wait));
  EXPECT_EQ(fake.log, Release());
  EXPECT_FALSE(player.playing);

  // Every note it plays is among those released.
  for (unsigned i = 0; i < kTestPhraseSteps; ++i) {
    uint32_t message = kTestPhrase[i].message;
    if ((message & 0xF0) != 0x90) continue;
    uint32_t off = (message & 0x0F) | 0x80 | (message & 0xFF00);
    EXPECT_NE(std::find(kPhraseRelease, kPhraseRelease + kPhraseReleaseCount, off),
              kPhraseRelease + kPhraseReleaseCount)
        << std::hex << message;
  }
}

TEST(TestPhrase, AStopReleasesResetsAndClosesAtOnceAndOnlyOnce) {
  FakeMidi fake;
  PhrasePlayer player;
  unsigned wait = 0;
  ASSERT_EQ(StartPhrase(fake.calls(), 1, &player, &wait), kMidiOk);
  fake.log.clear();
  StopPhrase(fake.calls(), &player);
  EXPECT_EQ(fake.log, Release());
  fake.log.clear();
  StopPhrase(fake.calls(), &player);
  EXPECT_FALSE(ContinuePhrase(fake.calls(), &player, &wait));
  EXPECT_TRUE(fake.log.empty());

  // Starting again while it plays ends the first phrase before opening anew.
  ASSERT_EQ(StartPhrase(fake.calls(), 1, &player, &wait), kMidiOk);
  fake.log.clear();
  ASSERT_EQ(StartPhrase(fake.calls(), 0, &player, &wait), kMidiOk);
  ASSERT_GT(fake.log.size(), Release().size());
  EXPECT_EQ(std::vector<std::string>(fake.log.begin(), fake.log.begin() + Release().size() + 1),
            Joined(Release(), {"open 0"}));
}

TEST(TestPhrase, FailuresLeaveNoDeviceOpen) {
  FakeMidi fake;
  PhrasePlayer player;
  unsigned wait = 0;
  fake.openResult = 4;  // MMSYSERR_ALLOCATED
  EXPECT_EQ(StartPhrase(fake.calls(), 0, &player, &wait), 4u);
  EXPECT_FALSE(player.playing);
  StopPhrase(fake.calls(), &player);
  EXPECT_EQ(fake.log, std::vector<std::string>{"open 0"});

  // A device that fails its messages and its reset is still released and closed.
  fake.openResult = kMidiOk;
  fake.messageResult = 5;
  fake.resetResult = 5;
  fake.log.clear();
  ASSERT_EQ(StartPhrase(fake.calls(), 0, &player, &wait), kMidiOk);
  ASSERT_TRUE(ContinuePhrase(fake.calls(), &player, &wait));
  fake.log.clear();
  EXPECT_FALSE(ContinuePhrase(fake.calls(), &player, &wait));
  EXPECT_EQ(fake.log, Release());
  EXPECT_FALSE(player.playing);
}

}  // namespace
