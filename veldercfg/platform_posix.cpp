// Linux, for a driver installed under Wine: the Windows directory of the
// Wine prefix, drive letters through the prefix's dosdevices links, names
// looked up without regard to case as Wine does, and code page 932 turned
// into UTF-8 (the names Wine gives files) and into the terminal's encoding.
#include <dirent.h>
#include <iconv.h>
#include <langinfo.h>
#include <pwd.h>
#include <strings.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

#include "lib/files/file_io.h"
#include "veldercfg/platform.h"

namespace {

PathKind KindOf(const std::string &path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return PathKind::kMissing;
  return S_ISREG(st.st_mode) ? PathKind::kFile : S_ISDIR(st.st_mode) ? PathKind::kFolder : PathKind::kOther;
}

// The path with each component that does not exist as spelt replaced by
// one of its folder that differs from it in letter case only.
bool FindCaseless(const std::string &path, std::string *real) {
  std::string current = path[0] == '/' ? "" : ".";
  size_t at = 0;
  while (at < path.size()) {
    size_t end = path.find('/', at);
    std::string part = path.substr(at, end == std::string::npos ? std::string::npos : end - at);
    at = end == std::string::npos ? path.size() : end + 1;
    if (part.empty()) continue;
    std::string next = current + "/" + part;
    if (KindOf(next) == PathKind::kMissing) {
      DIR *dir = opendir(current.empty() ? "/" : current.c_str());
      if (!dir) return false;
      bool matched = false;
      while (dirent *entry = readdir(dir))
        if (strcasecmp(entry->d_name, part.c_str()) == 0) {
          next = current + "/" + entry->d_name;
          matched = true;
          break;
        }
      closedir(dir);
      if (!matched) return false;
    }
    current = next;
  }
  *real = current;
  return true;
}

PathKind FindPath(const std::string &path, std::string *found) {
  std::string real = path;
  if (path.empty() || (KindOf(path) == PathKind::kMissing && !FindCaseless(path, &real)))
    return PathKind::kMissing;
  char *canonical = realpath(real.c_str(), nullptr);
  *found = canonical ? canonical : real;
  std::free(canonical);
  return KindOf(*found);
}

// Bytes that do not convert become "?", so that a message still shows the rest.
std::string Convert(std::string_view text, const char *from, const char *to) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(text);
  std::string out;
  char buffer[1024];
  char *in = const_cast<char *>(text.data());
  size_t left = text.size();
  while (left > 0) {
    char *dest = buffer;
    size_t room = sizeof buffer;
    size_t result = iconv(cd, &in, &left, &dest, &room);
    out.append(buffer, static_cast<size_t>(dest - buffer));
    if (result == static_cast<size_t>(-1) && errno != E2BIG) {
      out += '?';
      ++in;
      --left;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return out;
}

std::string FromCodePage932(std::string_view bytes) { return Convert(bytes, "CP932", "UTF-8"); }

std::string Home() {
  const char *home = std::getenv("HOME");
  return home ? home : "";
}

// $WINEPREFIX, else ~/.wine.
std::string WinePrefix() {
  const char *prefix = std::getenv("WINEPREFIX");
  return prefix && *prefix ? prefix : Home().empty() ? "" : Home() + "/.wine";
}

std::string DefaultWindowsDir() {
  std::string prefix = WinePrefix();
  return prefix.empty() ? "" : prefix + "/drive_c/windows";
}

// Wine names the user's profile folder after $USER, else after the account
// it runs as.
std::string WineUserName() {
  const char *user = std::getenv("USER");
  if (user && *user) return user;
  const passwd *account = getpwuid(getuid());
  return account ? account->pw_name : "";
}

// As on Windows, %LOCALAPPDATA%\VirtualStore followed by the Windows
// directory's path without its drive: under Wine %LOCALAPPDATA% is
// C:\users\<user>\AppData\Local, and drive C: is the prefix's drive_c.
std::string VirtualStore() {
  std::string windows = DefaultWindowsDir(), user = WineUserName();
  if (windows.empty() || user.empty()) return "";
  size_t slash = windows.rfind('/');
  return windows.substr(0, slash) + "/users/" + user + "/AppData/Local/VirtualStore" + windows.substr(slash);
}

// The device and inode: one file, however it is spelt or linked.
std::string FileIdentity(const std::string &path) {
  struct stat status;
  if (stat(path.c_str(), &status) != 0) return "";
  return std::to_string(status.st_dev) + ":" + std::to_string(status.st_ino);
}

// The links of the prefix that holds the Windows directory, else those of
// the default prefix.
FileSystemView PosixFileSystem(const std::string &windowsDir) {
  std::string links = windowsDir + "/../../dosdevices";
  if (KindOf(links) != PathKind::kFolder) links = WinePrefix() + "/dosdevices";
  std::string found;
  if (FindPath(links, &found) == PathKind::kFolder) links = found;
  return {FindPath, ReadWholeFile, ReadFileStart, FromCodePage932, links, '/', FileIdentity};
}

// The prefix's files belong to the user who made it.
std::string WriteRefusal(WriteFailure failure) {
  switch (failure) {
    case WriteFailure::kReadOnly:
      return "read-only: the file has no write permission, and velder-cfg writes no such file\n";
    case WriteFailure::kDenied:
      return "access denied: run velder-cfg as the user who owns the Wine prefix\n";
    case WriteFailure::kNone:
    case WriteFailure::kOther:
      break;
  }
  return "";
}

}  // namespace

const Platform kPlatform = {"velder-cfg",    DefaultWindowsDir, VirtualStore,
                            PosixFileSystem, WriteRefusal,      nullptr};

std::string ForTerminal(std::string_view text) {
  const char *codeset = nl_langinfo(CODESET);
  if (!codeset || std::strcmp(codeset, "UTF-8") == 0) return std::string(text);
  return Convert(text, "UTF-8", (std::string(codeset) + "//TRANSLIT").c_str());
}
