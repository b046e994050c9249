#include "setup/shell/overwrite_question_win.h"

const char kConfirmCaption[] = "確認";

bool AskToOverwrite(HWND owner, const char *text) {
  return MessageBoxA(owner, text, kConfirmCaption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}
