#include "lib/config/windows_view_win.h"

#include <windows.h>

#include <shlobj.h>

#include "lib/files/system_library_win.h"

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

// The volume serial number and file index: one file, however it is spelt.
std::string FileIdentity(const std::string &path) {
  HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "";
  BY_HANDLE_FILE_INFORMATION info;
  bool known = GetFileInformationByHandle(file, &info);
  CloseHandle(file);
  if (!known) return "";
  return std::to_string(info.dwVolumeSerialNumber) + ":" + std::to_string(info.nFileIndexHigh) + ":" +
         std::to_string(info.nFileIndexLow);
}

// The current user's local application data folder; empty when there is none.
std::string LocalAppData() {
  HMODULE shell = LoadSystemLibrary("shell32.dll", LoadLibraryExA);
  decltype(&SHGetFolderPathA) getFolderPath;
  FindFunction(shell, "SHGetFolderPathA", &getFolderPath);
  char local[MAX_PATH];
  if (!getFolderPath ||
      getFolderPath(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local) != S_OK)
    return "";
  return local;
}

}  // namespace

std::string WindowsDirectory() {
  char dir[MAX_PATH];
  UINT length = GetWindowsDirectoryA(dir, MAX_PATH);
  return length > 0 && length < MAX_PATH ? dir : "";
}

FileSystemView WindowsFileSystem() {
  return {FindPath, ReadWholeFile, ReadFileStart, AsIs, "", '\\', FileIdentity};
}

std::string UserVirtualStore() {
  std::string windows = WindowsDirectory();
  if (windows.size() < 2 || windows[1] != ':') return "";
  std::string local = LocalAppData();
  return local.empty() ? "" : local + "\\VirtualStore" + windows.substr(2);
}
