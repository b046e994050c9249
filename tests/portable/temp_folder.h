// What the portable tests share: a folder of their own for files, and whole
// files put and read byte for byte.
#pragma once

#include <cctype>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

// Makes or empties the file at `path` and puts `bytes` in it; a path that
// cannot be opened (a folder, a missing folder) is left as it is.
inline void PutFile(const std::filesystem::path &path, const std::string &bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// The file's bytes; empty when it cannot be read.
inline std::string FileBytes(const std::filesystem::path &path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// An empty folder in the temporary directory, named after the running test
// so that tests running at the same time never share one, and removed with
// everything in it when it goes.
class TempFolder {
 public:
  TempFolder() : path_(std::filesystem::temp_directory_path() / NameForThisTest()) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder &) = delete;
  TempFolder &operator=(const TempFolder &) = delete;

  const std::filesystem::path &path() const { return path_; }
  std::string PathOf(const char *name) const { return (path_ / name).string(); }
  void Put(const char *name, const std::string &bytes) const { PutFile(path_ / name, bytes); }
  std::string Get(const char *name) const { return FileBytes(path_ / name); }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(path_))
      names.push_back(entry.path().filename().string());
    return names;
  }

 private:
  static std::string NameForThisTest() {
    const testing::TestInfo *test = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("velder_") + test->test_suite_name() + "_" + test->name();
    for (char &c : name)
      if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
  }

  std::filesystem::path path_;
};
