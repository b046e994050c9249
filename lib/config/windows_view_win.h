// The driver's files as Windows programs see them: the Windows directory,
// the file system view the diagnosis reads through (paths and text in the
// ANSI code page, nothing converted), and the current user's VirtualStore.
// velder-cfg and the setup window's diagnosis page share these.
#pragma once

#include <string>

#include "lib/config/file_system_view.h"

// The Windows directory; empty when there is none.
std::string WindowsDirectory();

FileSystemView WindowsFileSystem();

// %LOCALAPPDATA%\VirtualStore followed by the Windows directory's path
// without its drive, where the system redirects the writes of programs
// without a manifest; empty when there is none. shell32 is loaded at the
// first call, not at start-up.
std::string UserVirtualStore();
