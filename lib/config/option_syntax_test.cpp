#include "lib/config/option_syntax.h"

#include <gtest/gtest.h>

namespace {

TEST(OptionSyntax, LongShortAndEffectOptionsGiveTheirValueAndSettings) {
  struct Case {
    const char *option;
    const char *value;
    uint32_t sets;
    bool managed;
    bool applies;
  } cases[] = {
      {"--volume=5", "5", kSetsVolume, true, true},
      {"--no-fast-decay", "", kSetsFastDecay, true, true},
      {"--unload-instruments", "", kSetsUnload, false, true},
      {"--no-unload-instruments x", " x", kSetsUnload, false, true},
      {"--volume 5", "--volume 5", 0, false, false},
      {"volume=5", "volume=5", 0, false, false},
      {"-a 1,2", "1,2", kSetsVolume | kSetsDrumPower, true, true},
      {"-O x", "x", kSetsOutput | kSetsByteSwap, true, true},
      {"-N \t7", "7", kSetsResampleN, true, true},
      {"-x 1", "1", 0, false, false},
      {"-Ewp", "wp", kSetsEffects, true, true},
      {"-E", "", kSetsEffects, true, true},
      {"-EFchorus=n,3", "n,3", kSetsChorus, true, true},
      {"-E Fns=2", "2", kSetsNoiseShaping, true, true},
      // An effect setting the page does not know: dropped by the writer, read as nothing.
      {"-EFdelay=1", "Fdelay=1", 0, true, false},
  };
  for (const Case &c : cases) {
    ParsedOption parsed = ParseOption(c.option);
    EXPECT_EQ(parsed.value, c.value) << c.option;
    EXPECT_EQ(parsed.sets, c.sets) << c.option;
    EXPECT_EQ(parsed.managed, c.managed) << c.option;
    EXPECT_EQ(parsed.apply != nullptr, c.applies) << c.option;
    std::string_view value;
    EXPECT_EQ(FindOptionSettings(c.option, &value), c.sets) << c.option;
    EXPECT_EQ(value, c.value) << c.option;
  }
}

}  // namespace
