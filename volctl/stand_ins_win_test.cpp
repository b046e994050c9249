#include "volctl/stand_ins_win_test.h"

#include <map>

#include "tests/win/test_support_win.h"

namespace {

std::map<HWND, std::vector<Received>> g_received;

// Keeps every application message, so that anything else posted shows too.
LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= WM_USER && message < 0xC000) g_received[window].push_back({message, wParam, lParam});
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool operator==(const Received &a, const Received &b) {
  return a.message == b.message && a.wParam == b.wParam && a.lParam == b.lParam;
}

std::ostream &operator<<(std::ostream &out, const Received &r) {
  return out << "{0x" << std::hex << r.message << std::dec << ", " << r.wParam << ", " << r.lParam << "}";
}

std::vector<Received> VolumePosts(std::initializer_list<int> volumes) {
  std::vector<Received> posts;
  for (int volume : volumes) posts.push_back({WM_USER + 2, 0, volume});
  return posts;
}

void PrintTo(const StandIn &standIn, std::ostream *out) { *out << standIn.className; }

const StandInSet kStandInSets[2] = {
    {{"VelderHideWindow", true}, {"VelderHideWindowX", true}, {"VelderHide", false}},
    {{"velderhidewindow", false}, {"VelderHideWindowX", true}, {"VelderHideWindo", false}},
};

std::string StandInSetName(const testing::TestParamInfo<StandInSet> &info) {
  return info.index == 0 ? "ExactAndLonger" : "OtherCase";
}

DriverStandIns::DriverStandIns() {
  g_received.clear();
  for (const StandIn &standIn : GetParam()) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = RecordingProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = standIn.className;
    EXPECT_NE(RegisterClassA(&windowClass), 0) << standIn.className;
    windows_.push_back(CreateWindowExA(0, standIn.className, "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                       nullptr, GetModuleHandleA(nullptr), nullptr));
    EXPECT_NE(windows_.back(), nullptr) << standIn.className;
  }
}

DriverStandIns::~DriverStandIns() {
  for (HWND window : windows_) DestroyWindow(window);
  for (const StandIn &standIn : GetParam()) UnregisterClassA(standIn.className, GetModuleHandleA(nullptr));
}

void DriverStandIns::ExpectPosts(const std::vector<Received> &expected, const std::string &context) {
  PumpMessages(100);
  for (size_t i = 0; i < windows_.size(); ++i)
    EXPECT_EQ(g_received[windows_[i]], GetParam()[i].isDriverWindow ? expected : std::vector<Received>())
        << GetParam()[i].className << " after " << context;
  g_received.clear();
}
