#pragma once
// A canvas that draws nothing and remembers every operation in order: the month layout's tests
// and `quorbell-tool draw-month` read the list.
#include <set>
#include <string>
#include <vector>

#include "common/Canvas.h"

namespace qb {

struct RecordedOp {
  enum class Kind { Text, Fill, Load, Save };
  Kind kind = Kind::Text;
  int x = 0;
  int y = 0;
  int width = 0;   // Fill
  int height = 0;  // Fill
  std::string text;  // Text: the text; Load/Save: the path
  Colour colour = 0;
  CanvasFont font;
};

class RecordingCanvas final : public Canvas {
public:
  RecordingCanvas(int width = 640, int height = 480) : width_(width), height_(height) {}

  // Pictures LoadPicture accepts, with the size the canvas takes on; every other path fails.
  struct Picture {
    int width = 0;
    int height = 0;
  };
  void AddPicture(const std::string& path, Picture picture);
  // Makes SavePicture fail.
  bool failSave = false;

  void DrawText(int x, int y, std::string_view text, Colour colour, const CanvasFont& font) override;
  void FillRect(int x, int y, int width, int height, Colour colour) override;
  bool LoadPicture(const std::string& path) override;
  bool SavePicture(const std::string& path) override;
  int Width() const override { return width_; }
  int Height() const override { return height_; }

  const std::vector<RecordedOp>& ops() const { return ops_; }
  // Only the texts, in drawing order.
  std::vector<RecordedOp> texts() const;
  void Clear() { ops_.clear(); }

private:
  int width_;
  int height_;
  std::vector<std::pair<std::string, Picture>> pictures_;
  std::vector<RecordedOp> ops_;
};

// The shortest decimal that reads back as `value`: "15", "13.5", "16.8".
std::string FormatPointSize(double value);

}  // namespace qb
