// Hidden top-level windows in this process that stand in for the driver's
// volume windows, beside look-alikes that must get nothing, and what each
// of them was posted.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

// What a stand-in window received: message, wParam, lParam.
struct Received {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
bool operator==(const Received &a, const Received &b);
std::ostream &operator<<(std::ostream &out, const Received &r);

// The driver's volume message for each volume, in order.
std::vector<Received> VolumePosts(std::initializer_list<int> volumes);

struct StandIn {
  const char *className;
  bool isDriverWindow;
};
void PrintTo(const StandIn &standIn, std::ostream *out);
using StandInSet = std::vector<StandIn>;

// Window class names are compared without regard to case within a process,
// so the name that differs from the driver's only in case needs a set of its own.
extern const StandInSet kStandInSets[2];
std::string StandInSetName(const testing::TestParamInfo<StandInSet> &info);

// Registers and creates one set of stand-ins for the test, and removes them.
class DriverStandIns : public testing::TestWithParam<StandInSet> {
 protected:
  DriverStandIns();
  ~DriverStandIns() override;

  // Lets the posts arrive, checks that the driver windows got exactly
  // `expected` and the others nothing, and forgets them.
  void ExpectPosts(const std::vector<Received> &expected, const std::string &context);

  std::vector<HWND> windows_;
};
