#include "setup/shell/save_failure_win.h"

void ReportSaveFailure(HWND owner) {
  MessageBoxA(owner, "ファイルの保存に失敗しました", "エラー", MB_ICONERROR);
}
