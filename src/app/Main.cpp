#include <windows.h>

#include "app/Form1.h"
#include "platform/DebugLog.h"
#include "platform/MessagePump.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    qb::Form1 form;
    if (const std::optional<int> exitCode = form.Form_Load()) return *exitCode;
    return qb::RunMessageLoop();
  } catch (...) {
    qb::LogCurrentException("wWinMain");
    return 1;
  }
}
