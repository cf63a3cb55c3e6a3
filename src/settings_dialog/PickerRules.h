#pragma once
// The arithmetic and texts behind the modal pickers, kept apart from the dialogs so that the
// native tests can check them: point sizes and font cell heights, weights and boldness, face names
// that must fit the font structure, and the file-type lists of the file picker.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qb {

// The font dialog is given the size as a cell height in pixels of the screen's DPI (the one it
// converts points with): points x dpi / 72, to the nearest whole pixel with halves to even (10 pt
// -> 13 at 96 dpi, 20 at 144). Always positive, which asks Windows for a cell height rather than a
// character height.
std::int32_t PointsToCellHeight(std::int32_t points, int dpi = 96);
// The dialog answers with a (usually negative) character height; its magnitude x 72 / dpi to the
// nearest whole point, halves to even (at 96 dpi: -13 -> 10, -14 -> 10, -15 -> 11). A DPI below
// 72 or above 4 x 96 is taken as 96.
std::int32_t CellHeightToPoints(std::int32_t height, int dpi = 96);

inline constexpr std::int32_t kNormalWeight = 400;
inline constexpr std::int32_t kBoldWeight = 700;
std::int32_t WeightOf(bool bold);
// The memo keeps only "bold or not": every weight other than the normal one counts as bold,
// light (300) and semibold (600) included.
bool IsBoldWeight(std::int32_t weight);

// Room for a face name in the font structure: 32 UTF-16 units including the terminator.
inline constexpr std::size_t kFaceNameUnits = 31;
// The longest start of `name` that fits `units` UTF-16 units without splitting a character
// (a surrogate pair stays whole or goes). Malformed UTF-8 becomes U+FFFD first.
std::string FitFaceName(std::string_view name, std::size_t units = kFaceNameUnits);

// The file-type list of the file picker as the open-file dialog takes it: description and
// pattern pairs, each text ended by a NUL, the whole ended by one more NUL. UTF-8.
std::string OpenFileFilter(bool pictureMode);

}  // namespace qb
