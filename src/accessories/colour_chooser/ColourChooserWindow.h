#pragma once
// The colour chooser: a narrow tool window with a hue bar and a shade bar to pick from, a sample
// box, the colour as hex text and the "取得" button that runs an eyedropper on the pixel under the
// pointer ten times a second. There is one chooser; choosing it again brings it forward as it is.
#include <windows.h>

#include <optional>
#include <vector>

#include "accessories/colour_chooser/ColourBands.h"
#include "platform/DialogKeys.h"
#include "platform/Handles.h"
#include "platform/PictureBox.h"
#include "platform/WindowBase.h"

namespace qb {

class ColourChooserWindow : public WindowBase<ColourChooserWindow>, private PictureBox::Listener {
public:
  static constexpr const char* kCaption = "ColorChooser";
  static constexpr const char* kStartCaption = "取得";
  static constexpr const char* kStopCaption = "停止";
  static constexpr const char* kFontFace = "ＭＳ ゴシック";
  static constexpr int kFontPoints = 9;
  static constexpr UINT kEyedropperMs = 100;

  static const wchar_t* ClassName() { return L"Quorbell.ColourChooser"; }
  static void ConfigureClass(WNDCLASSEXW& wc);
  ColourChooserWindow() = default;
  ~ColourChooserWindow() { Destroy(); }

  // Creates the window with both bars drawn (the shade bar for white) and the eyedropper stopped;
  // true when it exists afterwards. An open window is left as it is.
  [[nodiscard]] bool Load();
  // Shows the window in front and active.
  void Show();

  void DrawHueBar();
  // Fills the shade bar with the tints and shades of that colour.
  void DrawShadeBar(Rgb colour);
  // The colour in the sample box and as hex text.
  void ShowColour(Rgb colour);

  void OnGetColourClick();
  void OnEyedropperTick();
  // Moved to a monitor of another DPI: bars, sample, text box, button and font at that DPI, in the
  // suggested rectangle (when one is given).
  void OnDpiChanged(int dpi, const RECT* suggested);
  [[nodiscard]] bool EyedropperRunning() const noexcept { return eyedropperRunning_; }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
  void PictureBox_MouseUp(PictureBox& box, PictureBox::Button button, int x, int y) override;
  // The colour of a point of a bar as it is drawn; outside the bar, all bits set (white).
  static Rgb ColourAt(const PictureBox& box, int x, int y);
  // The controls' places, the font and the bars at the window's DPI.
  void LayOut();
  void FillBands(PictureBox& box, const std::vector<ColourBand>& bands);
  void StopEyedropper();

  PictureBox hueBar_;
  PictureBox shadeBar_;
  PictureBox sample_;
  DialogKeys keys_;
  HWND hexText_ = nullptr;       // children: destroyed with the window
  HWND getColourButton_ = nullptr;
  UniqueFont font_;
  bool eyedropperRunning_ = false;
  Rgb shadeColour_{255, 255, 255};  // the colour the shade bar shows the tints and shades of
  std::optional<Rgb> shownColour_;  // the colour in the sample box, once one was chosen
  int dpi_ = 96;                    // the DPI the window is laid out for: its monitor's
};

// Opens the one colour chooser, or brings it forward with its state when it is open.
void ShowColourChooser();

}  // namespace qb
