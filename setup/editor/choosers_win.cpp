#include "setup/editor/choosers_win.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "lib/files/system_library_win.h"
#include "lib/texts/interface_text_win.h"

namespace {

// A chosen path is kept in whole slots of this size, never cut to fit one.
const size_t kResultSlot = 512;
// Where the file dialog writes its answer, and how much of it it may use.
const size_t kScratchSize = 32768;
const DWORD kScratchUsable = 0x7FF0;
// Room for a display name or a file-system path, with some to spare.
const size_t kFolderPathSize = 292;

// The 32-bit program hands the dialog the record's full form.
static_assert(sizeof(void *) != 4 || sizeof(OPENFILENAMEA) == 88, "OPENFILENAMEA without its tail fields");

// The browser starts with no folder selected.
char g_noFolder[] = "";

// The choosers' system DLLs are loaded when a chooser is first shown, not at
// start-up: loading them costs every start, and most runs never open one.
// They come from the system directory alone, so that a DLL of the same name
// beside the program (in a downloads folder, say) is never loaded.
struct ChooserEntries {
  decltype(&GetOpenFileNameA) getOpenFileName;
  decltype(&GetSaveFileNameA) getSaveFileName;
  decltype(&CoInitializeEx) coInitializeEx;
  decltype(&CoUninitialize) coUninitialize;
  decltype(&SHGetMalloc) shGetMalloc;
  decltype(&SHGetSpecialFolderLocation) shGetSpecialFolderLocation;
  decltype(&SHBrowseForFolderA) shBrowseForFolder;
  decltype(&SHGetPathFromIDListA) shGetPathFromIDList;
};

template <class Function>
void Load(Function *entry, const char *dll, const char *name, bool *complete) {
  FindFunction(LoadSystemLibrary(dll, g_chooserLibraryLoader), name, entry);
  *complete = *complete && *entry;
}

// Every entry, or null when one of them cannot be had.
const ChooserEntries *Entries() {
  static ChooserEntries entries;
  static bool complete = [] {
    bool all = true;
    Load(&entries.getOpenFileName, "comdlg32.dll", "GetOpenFileNameA", &all);
    Load(&entries.getSaveFileName, "comdlg32.dll", "GetSaveFileNameA", &all);
    Load(&entries.coInitializeEx, "ole32.dll", "CoInitializeEx", &all);
    Load(&entries.coUninitialize, "ole32.dll", "CoUninitialize", &all);
    Load(&entries.shGetMalloc, "shell32.dll", "SHGetMalloc", &all);
    Load(&entries.shGetSpecialFolderLocation, "shell32.dll", "SHGetSpecialFolderLocation", &all);
    Load(&entries.shBrowseForFolder, "shell32.dll", "SHBrowseForFolderA", &all);
    Load(&entries.shGetPathFromIDList, "shell32.dll", "SHGetPathFromIDListA", &all);
    return all;
  }();
  return complete ? &entries : nullptr;
}

}  // namespace

decltype(&LoadLibraryExA) g_chooserLibraryLoader = LoadLibraryExA;

CMyFileDialog::CMyFileDialog()
    : m_ofn(), m_bSave(false), m_pszResult(nullptr), m_nResult(0), m_pszStartName(nullptr) {
  m_ofn.lStructSize = sizeof m_ofn;
  m_ofn.hwndOwner = nullptr;
}

CMyFileDialog::~CMyFileDialog() {
  std::free(m_pszResult);
  m_pszResult = nullptr;
}

bool CMyFileDialog::KeepResult(const char *path) {
  size_t length = std::strlen(path);
  size_t slots = length / kResultSlot + 1;
  char *block = static_cast<char *>(std::calloc(slots, kResultSlot));
  if (!block) return false;
  std::memcpy(block, path, length);
  std::free(m_pszResult);
  m_pszResult = block;
  m_nResult = 1;
  return true;
}

namespace {

size_t SlotsFor(const std::string &path) { return path.size() / kResultSlot + 1; }

// `folder` and `name` joined by one backslash; a trail byte 5C that ends
// the folder is no separator.
std::string Joined(const std::string &folder, const char *name) {
  bool separated = false;
  for (size_t i = 0; i < folder.size(); ++i) {
    separated = folder[i] == '\\';
    if (IsDBCSLeadByte(static_cast<BYTE>(folder[i]))) ++i;
  }
  return folder + (separated ? "" : "\\") + name;
}

}  // namespace

bool CMyFileDialog::KeepResults(const char *answer) {
  const char *name = answer + std::strlen(answer) + 1;
  if (!*name) return KeepResult(answer);
  std::vector<std::string> paths;
  size_t slots = 0;
  try {
    for (; *name; name += std::strlen(name) + 1) {
      paths.push_back(Joined(answer, name));
      slots += SlotsFor(paths.back());
    }
  } catch (const std::bad_alloc &) {
    return false;
  }
  char *block = static_cast<char *>(std::calloc(slots, kResultSlot));
  if (!block) return false;
  char *at = block;
  for (const std::string &path : paths) {
    std::memcpy(at, path.data(), path.size());
    at += SlotsFor(path) * kResultSlot;
  }
  std::free(m_pszResult);
  m_pszResult = block;
  m_nResult = static_cast<int>(paths.size());
  return true;
}

std::vector<std::string> CMyFileDialog::Paths() const {
  std::vector<std::string> paths;
  const char *at = m_pszResult;
  for (int i = 0; at && i < m_nResult; ++i) {
    paths.emplace_back(at);
    at += SlotsFor(paths.back()) * kResultSlot;
  }
  return paths;
}

bool CMyFileDialog::Show() {
  const ChooserEntries *entries = Entries();
  char *scratch = entries ? static_cast<char *>(std::calloc(kScratchSize, 1)) : nullptr;
  if (!scratch) return false;
  if (m_pszStartName) std::strncpy(scratch, m_pszStartName, kScratchUsable - 1);
  m_ofn.lpstrFile = scratch;
  m_ofn.nMaxFile = kScratchUsable;
  BOOL chosen = m_bSave ? entries->getSaveFileName(&m_ofn) : entries->getOpenFileName(&m_ofn);
  bool several = (m_ofn.Flags & OFN_ALLOWMULTISELECT) != 0;
  bool kept = chosen && (several ? KeepResults(scratch) : KeepResult(scratch));
  // The record must not point at the scratch buffer once it is gone.
  m_ofn.lpstrFile = nullptr;
  m_ofn.nMaxFile = 0;
  std::free(scratch);
  return kept;
}

CMyFolderDialog::CMyFolderDialog() : m_bi(), m_pszPath(new (std::nothrow) char[kFolderPathSize]()) {
  m_bi.hwndOwner = nullptr;
  m_bi.lpszTitle = UiText(TextId::kFolderTitle);
}

CMyFolderDialog::~CMyFolderDialog() { delete[] m_pszPath; }

bool CMyFolderDialog::Show() {
  const ChooserEntries *entries = Entries();
  if (!m_pszPath || !entries) return false;
  // The browser needs COM on this thread; the program never starts it
  // otherwise, so it is started for the browser's time only.
  HRESULT com = entries->coInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  bool found = Browse();
  if (SUCCEEDED(com)) entries->coUninitialize();
  return found;
}

bool CMyFolderDialog::Browse() {
  const ChooserEntries *entries = Entries();
  IMalloc *allocator = nullptr;
  if (FAILED(entries->shGetMalloc(&allocator))) return false;
  LPITEMIDLIST desktop = nullptr;
  bool found = false;
  if (SUCCEEDED(entries->shGetSpecialFolderLocation(m_bi.hwndOwner, CSIDL_DESKTOP, &desktop))) {
    m_bi.pidlRoot = desktop;
    m_bi.pszDisplayName = m_pszPath;
    m_bi.ulFlags = 0;
    m_bi.lpfn = BrowseCallbackProc;
    m_bi.lParam = reinterpret_cast<LPARAM>(g_noFolder);
    LPITEMIDLIST chosen = entries->shBrowseForFolder(&m_bi);
    if (chosen) {
      // A virtual folder (one without a file-system path) fails here.
      found = entries->shGetPathFromIDList(chosen, m_pszPath) != FALSE;
      allocator->Free(chosen);
    }
    m_bi.pidlRoot = nullptr;
    allocator->Free(desktop);
  }
  allocator->Release();
  return found;
}

int CALLBACK CMyFolderDialog::BrowseCallbackProc(HWND browser, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED && data) SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, data);
  return 0;
}
