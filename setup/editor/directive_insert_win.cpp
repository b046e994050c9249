#include "setup/editor/directive_insert_win.h"

#include <cstdlib>

#include "lib/config/directive_line.h"
#include "lib/texts/interface_text_win.h"
#include "setup/editor/choosers_win.h"
#include "setup/res/resource.h"

namespace {

struct DirectiveButton {
  WORD id;
  bool folder;         // the folder browser, else the file dialog
  TextId chooserText;  // the file dialog's filter or the browser's title
  const char *format;
};

const DirectiveButton kDirectiveButtons[] = {
    {IDC_ADD_SOURCE, false, TextId::kCfgFilter, "source \"%s\""},
    {IDC_ADD_SOUNDFONT, false, TextId::kSoundFontFilter, "soundfont \"%s\""},
    {IDC_ADD_DIR, true, TextId::kDirFolderTitle, "dir \"%s\""},
};

// EM_REPLACESEL works on the caret wherever it is; the packed EM_GETSEL
// result is not consulted, since it overflows beyond character 32,767 and
// would send the line to the top of a large file.
void PutLineAtCaret(HWND page, const char *format, const char *path) {
  char *line = ComposeDirective(format, path);
  if (!line) return;
  SendDlgItemMessageA(page, IDC_CFG_EDIT, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(line));
  std::free(line);
}

// Each chooser is owned by the setup window, which stays disabled while it
// is open: a second press cannot open another one, and the window cannot be
// closed under it.
void ChooseAndPut(HWND page, const DirectiveButton &button) {
  HWND owner = GetAncestor(page, GA_ROOT);
  if (button.folder) {
    CMyFolderDialog chooser;
    chooser.m_bi.hwndOwner = owner;
    chooser.m_bi.lpszTitle = UiText(button.chooserText);
    if (chooser.Show()) PutLineAtCaret(page, button.format, chooser.m_pszPath);
  } else {
    CMyFileDialog chooser;
    chooser.m_ofn.hwndOwner = owner;
    chooser.m_ofn.Flags = OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
    chooser.m_ofn.lpstrFilter = UiText(button.chooserText);
    if (chooser.Show() && chooser.m_nResult) PutLineAtCaret(page, button.format, chooser.m_pszResult);
  }
}

}  // namespace

void InsertDirective(HWND page, WORD id) {
  for (const DirectiveButton &button : kDirectiveButtons) {
    if (button.id != id) continue;
    // The choosers may move the current directory; put it back either way.
    char saved[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(MAX_PATH, saved);
    ChooseAndPut(page, button);
    if (length > 0 && length < MAX_PATH) SetCurrentDirectoryA(saved);
  }
}
