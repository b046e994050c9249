// Windows: the Windows directory, and paths and text in the ANSI code page,
// which the files and the console share; nothing is converted.
#include <windows.h>

#include "lib/config/windows_view_win.h"
#include "veldercfg/platform.h"

namespace {

FileSystemView WindowsFileSystemAt(const std::string &) { return WindowsFileSystem(); }

// A standard user may not write the Windows directory's files, and with its
// manifest this program is not redirected to a copy of its own: only an
// elevated prompt reaches them. A read-only file is refused to everyone.
std::string WriteRefusal(WriteFailure failure) {
  switch (failure) {
    case WriteFailure::kReadOnly:
      return "read-only: the file is marked read-only, and VelderCfg writes no such file\n";
    case WriteFailure::kDenied:
      return "access denied: the files in the Windows directory take administrator rights to write.\n"
             "Open a command prompt with \"Run as administrator\" (right-click it) and run VelderCfg there;\n"
             "a file marked read-only is not written even then.\n";
    case WriteFailure::kNone:
    case WriteFailure::kOther:
      break;
  }
  return "";
}

}  // namespace

const Platform kPlatform = {"VelderCfg",         WindowsDirectory, UserVirtualStore,
                            WindowsFileSystemAt, WriteRefusal,     &kSystemMidiCalls};

std::string ForTerminal(std::string_view text) { return std::string(text); }
