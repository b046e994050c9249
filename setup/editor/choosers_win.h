// The file and folder choosers behind the editor page's insertion buttons.
// Each object lives for one button press: the caller sets what it needs in
// the platform record, calls Show, reads the result and lets it go.
#pragma once

#include <windows.h>

#include <commdlg.h>
#include <shlobj.h>

#include <string>
#include <vector>

// Loads the choosers' DLLs, all at the first chooser shown; a test puts a
// stand-in here before that, to act as an older system's loader would.
extern decltype(&LoadLibraryExA) g_chooserLibraryLoader;

class CMyFileDialog {
 public:
  CMyFileDialog();
  virtual ~CMyFileDialog();
  CMyFileDialog(const CMyFileDialog &) = delete;
  CMyFileDialog &operator=(const CMyFileDialog &) = delete;

  // Runs the open (or, with m_bSave, the save) dialog. True when a path was
  // chosen and kept whole in m_pszResult; false on cancel, on a dialog
  // failure, or when there is no memory to keep the path.
  bool Show();

  // Keeps `path` whole as the one result, in as many 512-byte slots as it
  // needs. On failure the previous result stays as it was.
  bool KeepResult(const char *path);

  // Keeps what a dialog with OFN_ALLOWMULTISELECT | OFN_EXPLORER answered
  // (one path, or a folder and the names chosen in it, each NUL-ended, the
  // list ended by a further NUL) as that many full paths, each starting a
  // slot of its own. On failure the previous result stays as it was.
  bool KeepResults(const char *answer);

  // The paths kept, in order.
  std::vector<std::string> Paths() const;

  OPENFILENAMEA m_ofn;
  bool m_bSave;
  char *m_pszResult;
  int m_nResult;
  const char *m_pszStartName;  // the file name the dialog starts with; null: none
};

class CMyFolderDialog {
 public:
  CMyFolderDialog();
  virtual ~CMyFolderDialog();
  CMyFolderDialog(const CMyFolderDialog &) = delete;
  CMyFolderDialog &operator=(const CMyFolderDialog &) = delete;

  // Runs the folder browser over the whole namespace. True when m_pszPath
  // holds the chosen folder's file-system path; false on cancel, on a
  // failure, or for a folder that has no file-system path.
  bool Show();

  // Starts the browser with the folder `data` (a path string) selected.
  static int CALLBACK BrowseCallbackProc(HWND browser, UINT message, LPARAM lParam, LPARAM data);

  BROWSEINFOA m_bi;
  char *m_pszPath;

 private:
  bool Browse();
};
