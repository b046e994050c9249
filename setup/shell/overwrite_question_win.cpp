#include "setup/shell/overwrite_question_win.h"

#include "lib/texts/interface_text_win.h"

bool AskToOverwrite(HWND owner, TextId question) {
  return MessageBoxA(owner, UiText(question), UiText(TextId::kConfirmCaption),
                     MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}
