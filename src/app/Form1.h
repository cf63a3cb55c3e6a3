#pragma once
// The hidden main window. It owns the process: Form_Load decides the role of the process and,
// for the resident instance, creates the window and starts every feature in order; Unload stops
// them in order and ends the message loop.
#include <windows.h>

#include <optional>
#include <string_view>

#include "platform/SingleInstance.h"
#include "platform/WindowBase.h"

namespace qb {

class Form1 : public WindowBase<Form1> {
public:
  static constexpr std::string_view kAppTitle = "Quorbell";
  static constexpr std::string_view kAlreadyRunningMessage = "Quorbellは既に起動中です.";

  static const wchar_t* ClassName() { return L"Quorbell.Form1"; }
  static void ConfigureClass(WNDCLASSEXW& wc);

  // The start-up. Answers nullopt when this process stays resident (run the message loop), or
  // the exit code when it has done its work (a helper role, or a failure to create the window).
  std::optional<int> Form_Load();
  // The orderly shutdown; every step runs even when an earlier one fails. Safe to call twice.
  void Unload();
  void Form_Terminate();

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
  bool StartResident();

  std::optional<InstanceMutex> instance_;
  bool unloading_ = false;
};

}  // namespace qb
