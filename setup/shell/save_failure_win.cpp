#include "setup/shell/save_failure_win.h"

#include "lib/texts/interface_text_win.h"

void ReportSaveFailure(HWND owner) {
  MessageBoxA(owner, UiText(TextId::kSaveFailed), UiText(TextId::kSaveFailedCaption), MB_ICONERROR);
}

void ReportCfgWrite(HWND owner, WriteOutcome outcome) {
  switch (outcome) {
    case WriteOutcome::kWritten:
      MessageBoxA(owner, UiText(TextId::kOptionsWritten), UiText(TextId::kConfirmCaption), MB_OK);
      break;
    case WriteOutcome::kDeclined:
      break;
    case WriteOutcome::kFailed:
      ReportSaveFailure(owner);
      break;
  }
}
