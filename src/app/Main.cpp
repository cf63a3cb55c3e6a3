#include <windows.h>

#include "app/MainWindow.h"
#include "platform/DebugLog.h"
#include "platform/MessagePump.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    qb::MainWindow form;
    if (const std::optional<int> exitCode = form.Load()) return *exitCode;
    return qb::RunMessageLoop();
  } catch (...) {
    qb::LogCurrentException("wWinMain");
    return 1;
  }
}
