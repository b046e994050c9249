// Windows: the Windows directory, and paths and text in the ANSI code page,
// which the files and the console share; nothing is converted.
#include <windows.h>

#include <shlobj.h>

#include "lib/files/file_io.h"
#include "veldercfg/platform.h"

namespace {

PathKind FindPath(const std::string &path, std::string *found) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::kMissing;
  char full[MAX_PATH];
  DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  *found = length > 0 && length < MAX_PATH ? full : path;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return PathKind::kFolder;
  return attributes & FILE_ATTRIBUTE_DEVICE ? PathKind::kOther : PathKind::kFile;
}

std::string AsIs(std::string_view bytes) { return std::string(bytes); }

std::string DefaultWindowsDir() {
  char dir[MAX_PATH];
  UINT length = GetWindowsDirectoryA(dir, MAX_PATH);
  return length > 0 && length < MAX_PATH ? dir : "";
}

// %LOCALAPPDATA%\VirtualStore followed by the Windows directory's path
// without its drive, where the system redirects the writes of programs
// without a manifest.
std::string VirtualStore() {
  char local[MAX_PATH];
  std::string windows = DefaultWindowsDir();
  if (windows.size() < 2 || windows[1] != ':' ||
      SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local) != S_OK)
    return "";
  return std::string(local) + "\\VirtualStore" + windows.substr(2);
}

FileSystemView WindowsFileSystem(const std::string &) { return {FindPath, ReadWholeFile, AsIs, "", '\\'}; }

// A standard user may not write the Windows directory's files, and with its
// manifest this program is not redirected to a copy of its own: only an
// elevated prompt reaches them. A read-only file is refused to everyone.
std::string WriteRefusal() {
  if (GetLastError() != ERROR_ACCESS_DENIED) return "";
  return "access denied: the files in the Windows directory take administrator rights to write.\n"
         "Open a command prompt with \"Run as administrator\" (right-click it) and run VelderCfg there;\n"
         "a file marked read-only is not written even then.\n";
}

}  // namespace

const Platform kPlatform = {"VelderCfg", DefaultWindowsDir, VirtualStore, WindowsFileSystem, WriteRefusal};

std::string ForTerminal(std::string_view text) { return std::string(text); }
