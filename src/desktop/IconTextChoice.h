#pragma once
// The background behind the desktop icon labels: which one the stored choice asks for, and what
// the labels had before the program first changed them, so that exactly that comes back.
#include <cstdint>
#include <optional>
#include <string_view>

namespace qb {

// Colours are 0x00BBGGRR. The list view's "no colour" (CLR_NONE) draws the labels transparent.
inline constexpr uint32_t kTransparentTextBackground = 0xFFFFFFFF;

// The background the stored choice asks for. `check` and `colour` are the settings' texts (the
// colour already defaulted by the caller); `desktopColour` is the system's desktop colour, taken
// when the colour is no usable value. A `check` that is no number counts as its default, 1.
[[nodiscard]] uint32_t IconTextBackgroundFor(std::string_view check, std::string_view colour, uint32_t desktopColour);

// The background each icon list had before the program first changed it. A restarted shell brings
// a new icon list with its own background, so the record belongs to one list (an opaque id); the
// program's own colours are never taken for the original.
class IconTextRecord {
public:
  // True when `list`'s current background must be read (and remembered) before it is changed.
  [[nodiscard]] bool NeedsOriginalOf(uintptr_t list) const { return !original_ || list_ != list; }
  void RememberOriginal(uintptr_t list, uint32_t background);
  // What to give back to `list`, and forget it: nullopt when the program never changed that list.
  [[nodiscard]] std::optional<uint32_t> TakeOriginalFor(uintptr_t list);

private:
  uintptr_t list_ = 0;
  std::optional<uint32_t> original_;
};

// The one record of the process, window thread only.
IconTextRecord& TheIconTextRecord();

}  // namespace qb
