// The library's heap replaced by one that counts its blocks and fails on
// demand, to show that a failed allocation is reported where the program
// chose, that the missing block is never used, and that documents free what
// they hold.
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <utility>

#include "lib/ini/ini.h"
#include "lib/ini/ini_platform.h"

namespace {

int g_allocations = 0;  // made so far
int g_failAt = -1;      // the index of the one that fails; -1 for none
int g_live = 0;         // blocks handed out and not yet freed

}  // namespace

void *IniHeapAlloc(size_t size, bool zeroed) {
  if (g_allocations++ == g_failAt) return nullptr;
  ++g_live;
  return zeroed ? std::calloc(1, size) : std::malloc(size);
}

void IniHeapFree(void *block) {
  if (block) --g_live;
  std::free(block);
}

namespace {

const std::string kFile = "[s]\nk=v\n; c\n[t]\nj=w\n";

class IniAllocation : public testing::Test {
 protected:
  void FailAt(int index) {
    g_allocations = 0;
    g_failAt = index;
  }
  ~IniAllocation() override {
    g_failAt = -1;
    IniSetErrorStream(stdout);
  }
};

TEST_F(IniAllocation, ParseReportsEachFailureAndKeepsWhatItCouldBuild) {
  FailAt(-1);
  IniFile whole;
  ASSERT_TRUE(IniParse(whole, kFile.data(), kFile.size()));
  const int needed = g_allocations;  // 2 sections and 3 entries, each record and name, and 2 values
  EXPECT_EQ(needed, 12);

  for (int i = 0; i < needed; ++i) {
    FailAt(i);
    IniFile ini;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(IniParse(ini, kFile.data(), kFile.size())) << i;
    std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(printed == "error: calloc failed.\n" || printed == "error: malloc failed.\n") << i << printed;
    std::string text;
    EXPECT_TRUE(IniRender(ini, &text));  // every record in the document is whole
  }
}

TEST_F(IniAllocation, ReportsGoToTheStreamTheProgramChose) {
  IniSetErrorStream(stderr);
  FailAt(0);
  IniFile ini;
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  EXPECT_EQ(IniAddSection(ini, "s"), nullptr);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(err, "error: calloc failed.\n");
}

TEST_F(IniAllocation, DocumentsFreeEveryBlockTheyHold) {
  FailAt(-1);
  const int before = g_live;
  {
    IniFile ini;
    ASSERT_TRUE(IniParse(ini, kFile.data(), kFile.size()));
    EXPECT_EQ(g_live - before, 12);
    IniFile moved(std::move(ini));
    IniFile other;
    ASSERT_TRUE(IniParse(other, kFile.data(), kFile.size()));
    other = std::move(moved);  // the blocks other held go
    EXPECT_EQ(g_live - before, 12);
  }
  EXPECT_EQ(g_live, before);
}

TEST_F(IniAllocation, FailedSetterLeavesTheEntryAsItWas) {
  IniFile ini;
  IniSection *s = IniAddSection(ini, "s");
  ASSERT_TRUE(IniSetString(s, "k", "old"));

  FailAt(0);  // the copy of the new value
  testing::internal::CaptureStdout();
  EXPECT_FALSE(IniSetInt(s, "k", 5));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "error: malloc failed.\n");
  EXPECT_EQ(IniGetInt(s, "k", 0), 0);  // "old" reads as 0: still there, not the default
  IniValueArea value;
  IniGetString(s, "k", value);
  EXPECT_STREQ(value, "old");

  for (int i : {0, 1}) {  // a new entry's record, then its key
    FailAt(i);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(IniSetString(s, "new", "v"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              i == 0 ? "error: calloc failed.\n" : "error: malloc failed.\n");
    FailAt(i);
    EXPECT_EQ(IniAddSection(ini, "other"), nullptr);
  }
  std::string text;
  IniRender(ini, &text);
  EXPECT_EQ(text, "[s]\r\nk=old\r\n\r\n");
}

}  // namespace
