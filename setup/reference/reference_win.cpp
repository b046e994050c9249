#include "setup/reference/reference_win.h"

#include <cstdlib>
#include <cstring>

#include "setup/res/resource.h"
#include "setup/shell/instance_win.h"

namespace {

// Edges of the edit inside the page, in pixels, whatever the dialog font.
const int kSideMargin = 8;
const int kTopBottomMargin = 10;

// The resource holds no NUL of its own, so the text is copied to add one.
void ShowReferenceText(HWND page) {
  HRSRC found = FindResourceA(g_instance, MAKEINTRESOURCEA(IDR_OPTION_REF_TEXT), "TEXT");
  HGLOBAL loaded = found ? LoadResource(g_instance, found) : nullptr;
  const void *bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return;
  DWORD size = SizeofResource(g_instance, found);
  char *text = static_cast<char *>(std::malloc(size + 1));
  if (!text) return;
  std::memcpy(text, bytes, size);
  text[size] = '\0';
  SetDlgItemTextA(page, IDC_OPTION_REF_EDIT, text);
  std::free(text);
}

// Makes the reference edit fill the page, 8 pixels in from the left and
// right edges and 10 from the top and bottom.
void FitEditToPage(HWND page) {
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  GetWindowPlacement(page, &placement);
  RECT &rect = placement.rcNormalPosition;
  LONG width = rect.right - rect.left;
  LONG height = rect.bottom - rect.top;
  rect = {kSideMargin, kTopBottomMargin, width - kSideMargin, height - kTopBottomMargin};
  // Before the edit exists (while the page is being created) this finds no
  // control and changes nothing.
  SetWindowPlacement(GetDlgItem(page, IDC_OPTION_REF_EDIT), &placement);
}

}  // namespace

INT_PTR CALLBACK OptionRefDlgProc(HWND page, UINT message, WPARAM, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      ShowReferenceText(page);
      return TRUE;
    case WM_SIZE:
      FitEditToPage(page);
      return FALSE;
    case WM_CLOSE:  // as the setup window answers; on a modeless child page EndDialog only hides it
      EndDialog(page, 1);
      return TRUE;
  }
  return FALSE;
}
