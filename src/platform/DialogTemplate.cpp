#include "platform/DialogTemplate.h"

#include <cstring>

namespace qb {

namespace {

// Appends to a byte buffer, keeping the alignment rules of the template format.
class TemplateWriter {
public:
  void Word(WORD value) { Append(&value, sizeof value); }
  void Dword(DWORD value) { Append(&value, sizeof value); }
  void Short(short value) { Append(&value, sizeof value); }
  void Byte(BYTE value) { Append(&value, sizeof value); }
  void Text(const std::wstring& text) {
    Append(text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  }
  void AlignToDword() {
    while (bytes_.size() % sizeof(DWORD) != 0) bytes_.push_back(0);
  }
  [[nodiscard]] std::vector<DWORD> Finish() {
    AlignToDword();
    std::vector<DWORD> out(bytes_.size() / sizeof(DWORD));
    std::memcpy(out.data(), bytes_.data(), bytes_.size());
    return out;
  }

private:
  void Append(const void* data, size_t size) {
    const auto* p = static_cast<const unsigned char*>(data);
    bytes_.insert(bytes_.end(), p, p + size);
  }
  std::vector<unsigned char> bytes_;
};

}  // namespace

std::vector<DWORD> BuildDialogTemplate(const DialogSpec& spec) {
  TemplateWriter w;
  w.Word(1);       // dlgVer
  w.Word(0xFFFF);  // signature: the extended template
  w.Dword(0);      // helpID
  w.Dword(spec.exStyle);
  w.Dword(spec.style | DS_SETFONT);
  w.Word(static_cast<WORD>(spec.items.size()));
  w.Short(spec.x);
  w.Short(spec.y);
  w.Short(spec.width);
  w.Short(spec.height);
  w.Word(0);  // no menu
  w.Word(0);  // the standard dialog class
  w.Text(spec.caption);
  w.Word(spec.fontPoints);
  w.Word(FW_NORMAL);
  w.Byte(FALSE);  // not italic
  w.Byte(spec.fontCharset);
  w.Text(spec.fontFace);
  for (const DialogItem& item : spec.items) {
    w.AlignToDword();
    w.Dword(0);  // helpID
    w.Dword(item.exStyle);
    w.Dword(item.style | WS_CHILD | WS_VISIBLE);
    w.Short(item.x);
    w.Short(item.y);
    w.Short(item.width);
    w.Short(item.height);
    w.Dword(static_cast<DWORD>(item.id));
    w.Text(item.className);
    w.Text(item.text);
    w.Word(0);  // no creation data
  }
  return w.Finish();
}

}  // namespace qb
