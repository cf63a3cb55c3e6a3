#pragma once
// The stored form of the clipboard-slot and key-macro texts (sections CLIP and PARA): one line of
// the settings file in which "\n" (backslash, n) stands for a line break and "\t" for a tab.
#include <string>
#include <string_view>

namespace qb {

// Replaces every "\n" by CR LF first, then every "\t" by a tab; no other backslash sequence has a
// meaning, so "\\" stays two backslashes and a "\n" inside a path ("C:\new") also becomes a line
// break, exactly as the stored text has always been read.
std::string UnescapeSlotText(std::string_view stored);
// The inverse for writers: every line break (CR LF, lone CR, lone LF) becomes "\n" and every tab
// "\t", so the value never breaks the line structure of the settings file.
std::string EscapeSlotText(std::string_view text);

}  // namespace qb
