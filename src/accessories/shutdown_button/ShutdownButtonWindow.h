#pragma once
// The shutdown button: a small borderless picture of a button standing on the desktop. The left
// button drags it; any other button stores where it stands and asks the shell for its own
// shut-down dialog, in which the user decides. The program never shuts anything down itself.
// There is one button; it stays until the program ends.
#include <windows.h>

#include <optional>

#include "platform/PictureBox.h"
#include "platform/StoredPlace.h"
#include "platform/WindowBase.h"

namespace qb {

class ShutdownButtonWindow : public WindowBase<ShutdownButtonWindow>, private PictureBox::Listener {
public:
  // The button picture's size in pixels at 96 dots per inch.
  static constexpr int kPictureWidth = 64;
  static constexpr int kPictureHeight = 32;

  static const wchar_t* ClassName() { return L"Quorbell.ShutdownButtonWindow"; }
  static void ConfigureClass(WNDCLASSEXW& wc);
  ShutdownButtonWindow() = default;
  ~ShutdownButtonWindow() { Destroy(); }

  // Creates the window (hidden) at its stored place with its picture; true when it exists
  // afterwards. An open window is left as it is.
  [[nodiscard]] bool Load();
  // Shows the window in front, brought onto the nearest monitor when its place lies on none.
  void Show();

  // Moved to a monitor of another DPI: its size and picture at that DPI, in the suggested
  // rectangle (when one is given).
  void OnDpiChanged(int dpi, const RECT* suggested);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
  void PictureBox_MouseDown(PictureBox& box, PictureBox::Button button, int x, int y) override;
  void DrawPicture();
  void OnDrag();
  void OnShutDownRequest();

  PictureBox picture_;
  bool shown_ = false;
  StoredPlace place_;
  int dpi_ = 96;  // the DPI the button is drawn for: its monitor's
};

// Asks the shell for its shut-down dialog: WM_CLOSE posted to the task bar ("Shell_TrayWnd"), which
// the shell answers with that dialog. Without a task bar (another shell, or none) nothing happens.
void ShowWinBootDialog();

// The tray item: opens the button, or brings the open one forward.
void ShowShutdownButton();

}  // namespace qb
