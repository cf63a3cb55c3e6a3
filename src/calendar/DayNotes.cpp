#include "calendar/DayNotes.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <utility>

#include "common/Text.h"

namespace qb {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kSeparator = "@@";
// NTFS and FAT allow 255 UTF-16 units per name; the title gets ".txt" appended.
constexpr std::size_t kMaxTitleUnits = 255 - 4;

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  }
  return true;
}

// Windows opens the device for these names whatever extension follows, so "con.txt" or
// "CON .note" would never reach a file.
bool IsReservedDeviceName(std::string_view title) {
  std::string_view stem = title.substr(0, title.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  std::string upper;
  for (char c : stem) upper += AsciiUpper(c);
  static constexpr std::array<std::string_view, 4> kPlain = {"CON", "PRN", "AUX", "NUL"};
  for (std::string_view name : kPlain) {
    if (upper == name) return true;
  }
  if (upper == "CONIN$" || upper == "CONOUT$") return true;
  if (upper.size() >= 4 && (upper.starts_with("COM") || upper.starts_with("LPT"))) {
    const std::string_view digit = std::string_view(upper).substr(3);
    // Windows also reserves the superscript digits ¹ ² ³ after COM and LPT.
    if (digit.size() == 1 && digit[0] >= '0' && digit[0] <= '9') return true;
    if (digit == "\xC2\xB9" || digit == "\xC2\xB2" || digit == "\xC2\xB3") return true;
  }
  return false;
}

bool IsValidUtf8(std::string_view text) {
  return Utf16ToUtf8(Utf8ToUtf16(text)) == text;
}

// Text without BOM is CP932, as the note files have always been written. Bytes that are no
// UTF-8 behind a UTF-8 mark (a file damaged or written by another tool) read as U+FFFD, so that
// the rest of the program only ever sees valid text.
std::string DecodeNoteFile(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Bom)) return Utf16ToUtf8(Utf8ToUtf16(bytes.substr(kUtf8Bom.size())));
  if (bytes.starts_with(kUtf16LeBom)) {
    bytes.remove_prefix(kUtf16LeBom.size());
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
      units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                     (static_cast<unsigned char>(bytes[i + 1]) << 8));
    }
    return Utf16ToUtf8(units);
  }
  return Cp932ToUtf8(bytes);
}

// Every line ends a segment; segments are joined with "@@". A final line break does not start
// another (empty) line.
std::string JoinLines(std::string_view content) {
  std::string joined;
  std::size_t pos = 0;
  while (pos < content.size()) {
    const std::size_t end = content.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) {
      joined.append(content.substr(pos));
      joined.append(kSeparator);
      break;
    }
    joined.append(content.substr(pos, end - pos));
    joined.append(kSeparator);
    pos = end + (content.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  if (!joined.empty()) joined.resize(joined.size() - kSeparator.size());
  return joined;
}

// A raw line break would split the note into two lines of the file; both read back as "@@".
std::string EscapeLineBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out.append(kSeparator);
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string EncodeNoteFile(std::string_view text) {
  // Only text that comes back unchanged from CP932 is stored that way.
  const std::optional<std::string> cp932 = Utf8ToCp932(text);
  if (cp932 && Cp932ToUtf8(*cp932) == text) return *cp932 + "\r\n";
  std::string bytes(kUtf8Bom);
  bytes.append(text);
  bytes.append("\r\n");
  return bytes;
}

std::string DicFolder(const DayNoteFolder& folder) { return JoinPath(folder.baseDir, "dic"); }

// The notes the calendar drawings read last, by path, with the size and stamp they had then.
struct CachedNote {
  std::uint64_t size = 0;
  std::int64_t changeStamp = 0;
  std::string text;
};
constexpr std::size_t kMaxCachedNotes = 400;

std::map<std::string, CachedNote>& ReadNotes() {
  static std::map<std::string, CachedNote> notes;
  return notes;
}

DayNoteFolder& CurrentFolder() {
  static DayNoteFolder folder{&SystemFileSystem(), std::string()};
  return folder;
}

}  // namespace

std::string DayNoteTitle(int year, int month, int day) {
  return std::to_string(year) + "年" + std::to_string(month) + "月" + std::to_string(day) + "日";
}

bool IsPlainNoteTitle(std::string_view title) {
  if (title.empty() || title == "." || title == "..") return false;
  if (title.back() == '.' || title.back() == ' ') return false;
  for (std::size_t i = 0; i < title.size(); ++i) {
    const auto c = static_cast<unsigned char>(title[i]);
    if (c < 0x20 || c == 0x7F) return false;
    if (std::string_view("/\\<>:\"|?*").find(static_cast<char>(c)) != std::string_view::npos) {
      return false;
    }
    // U+0080 to U+009F, the C1 controls.
    if (c == 0xC2 && i + 1 < title.size()) {
      const auto next = static_cast<unsigned char>(title[i + 1]);
      if (next >= 0x80 && next <= 0x9F) return false;
    }
  }
  if (!IsValidUtf8(title)) return false;
  if (Utf8ToUtf16(title).size() > kMaxTitleUnits) return false;
  return !IsReservedDeviceName(title);
}

std::string DayNotePath(const DayNoteFolder& folder, std::string_view title) {
  std::string name(title);
  name += ".txt";
  return JoinPath(DicFolder(folder), name);
}

int ReadDayNote(const DayNoteFolder& folder, std::string_view title, std::string& text) {
  if (folder.fs == nullptr || !IsPlainNoteTitle(title)) return kDayNoteUnreadable;
  const std::optional<std::string> bytes = folder.fs->ReadFile(DayNotePath(folder, title));
  if (!bytes) return kDayNoteUnreadable;
  text += JoinLines(DecodeNoteFile(*bytes));
  return 0;
}

bool SaveDayNote(const DayNoteFolder& folder, std::string_view title, std::string_view text) {
  if (folder.fs == nullptr || !IsPlainNoteTitle(title)) return false;
  const std::string dic = DicFolder(folder);
  if (!folder.fs->DirectoryExists(dic)) {
    // A failure shows in WriteFileAtomically below, which then leaves everything as it was.
    (void)folder.fs->CreateDirectories(dic);
  }
  const std::string path = DayNotePath(folder, title);
  ReadNotes().erase(path);
  return folder.fs->WriteFileAtomically(path, EncodeNoteFile(EscapeLineBreaks(text)));
}

int WriteDayNote(const DayNoteFolder& folder, std::string_view title, std::string_view text) {
  (void)SaveDayNote(folder, title, text);
  return 0;
}

const DayNoteLookup::Month& DayNoteLookup::MonthOf(std::string_view prefix) {
  for (const Month& month : months_) {
    if (month.prefix == prefix) return month;
  }
  Month month;
  month.prefix = std::string(prefix);
  if (folder_.fs != nullptr) {
    if (auto entries = folder_.fs->ListDirectory(DicFolder(folder_), prefix)) {
      month.listed = true;
      std::erase_if(*entries, [](const DirectoryEntry& e) { return e.directory; });
      month.files = std::move(*entries);
    }
  }
  months_.push_back(std::move(month));
  return months_.back();
}

int DayNoteLookup::Read(std::string_view title, std::string& text) {
  const std::size_t monthEnd = title.find("月");
  if (monthEnd == std::string_view::npos || !IsPlainNoteTitle(title)) return ReadDayNote(folder_, title, text);
  const Month& month = MonthOf(title.substr(0, monthEnd + std::string_view("月").size()));
  if (!month.listed) return ReadDayNote(folder_, title, text);
  const std::string path = DayNotePath(folder_, title);
  const std::string fileName = FileNameOf(path);
  // Windows matches file names without regard to case, so "….TXT" is the same note.
  const auto file = std::find_if(month.files.begin(), month.files.end(), [&](const DirectoryEntry& e) {
    return EqualsIgnoringAsciiCase(e.name, fileName);
  });
  if (file == month.files.end()) return kDayNoteUnreadable;
  auto& cache = ReadNotes();
  const auto cached = cache.find(path);
  if (cached != cache.end() && cached->second.size == file->size && cached->second.changeStamp == file->changeStamp) {
    text += cached->second.text;
    return 0;
  }
  std::string note;
  const int result = ReadDayNote(folder_, title, note);
  if (result != 0) return result;
  // The notes of the months drawn lately are kept; an old cache is dropped rather than searched.
  // A file system that gives no stamp gives no way to see a change, so nothing is kept.
  if (file->changeStamp != 0) {
    if (cache.size() >= kMaxCachedNotes) cache.clear();
    cache[path] = CachedNote{file->size, file->changeStamp, note};
  }
  text += note;
  return 0;
}

DayNoteLookup CurrentDayNoteLookup() { return DayNoteLookup(CurrentFolder()); }

void UseDayNoteFolder(std::string baseDir, FileSystem& fs) {
  CurrentFolder() = DayNoteFolder{&fs, std::move(baseDir)};
}

int ReadDayNote(std::string_view title, std::string& text) {
  return ReadDayNote(CurrentFolder(), title, text);
}

int WriteDayNote(std::string_view title, std::string_view text) {
  return WriteDayNote(CurrentFolder(), title, text);
}

bool SaveDayNote(std::string_view title, std::string_view text) { return SaveDayNote(CurrentFolder(), title, text); }

}  // namespace qb
