#include "calendar/RecordingCanvas.h"

#include <charconv>

namespace qb {

void RecordingCanvas::AddPicture(const std::string& path, Picture picture) {
  pictures_.emplace_back(path, picture);
}

void RecordingCanvas::DrawText(int x, int y, std::string_view text, Colour colour,
                               const CanvasFont& font) {
  RecordedOp op;
  op.kind = RecordedOp::Kind::Text;
  op.x = x;
  op.y = y;
  op.text = std::string(text);
  op.colour = colour;
  op.font = font;
  ops_.push_back(std::move(op));
}

void RecordingCanvas::FillRect(int x, int y, int width, int height, Colour colour) {
  RecordedOp op;
  op.kind = RecordedOp::Kind::Fill;
  op.x = x;
  op.y = y;
  op.width = width;
  op.height = height;
  op.colour = colour;
  ops_.push_back(std::move(op));
}

bool RecordingCanvas::LoadPicture(const std::string& path) {
  RecordedOp op;
  op.kind = RecordedOp::Kind::Load;
  op.text = path;
  ops_.push_back(std::move(op));
  for (const auto& [known, picture] : pictures_) {
    if (known == path) {
      width_ = picture.width;
      height_ = picture.height;
      return true;
    }
  }
  return false;
}

bool RecordingCanvas::SavePicture(const std::string& path) {
  RecordedOp op;
  op.kind = RecordedOp::Kind::Save;
  op.text = path;
  ops_.push_back(std::move(op));
  return !failSave;
}

std::vector<RecordedOp> RecordingCanvas::texts() const {
  std::vector<RecordedOp> result;
  for (const RecordedOp& op : ops_) {
    if (op.kind == RecordedOp::Kind::Text) result.push_back(op);
  }
  return result;
}

std::string FormatPointSize(double value) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

}  // namespace qb
