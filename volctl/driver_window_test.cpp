#include "volctl/driver_window.h"

#include <gtest/gtest.h>

namespace {

TEST(DriverWindowClass, OnlyNamesBeginningWithTheExactPrefixMatch) {
  const struct {
    const char *name;
    bool matches;
  } cases[] = {{"VelderHideWindow", true},
               {"VelderHideWindowX", true},
               {"VelderHideWindow 2 with a much longer name than most classes have", true},
               {"VelderHideWindo", false},
               {"VelderHide", false},
               {"", false},
               {"velderhidewindow", false},
               {"VELDERHIDEWINDOW", false},
               {"VelderHideWindoW", false},
               {" VelderHideWindow", false}};
  for (const auto &c : cases) EXPECT_EQ(IsDriverWindowClass(c.name), c.matches) << '"' << c.name << '"';
}

}  // namespace
