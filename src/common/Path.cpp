#include "common/FileSystem.h"

namespace qb {
namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// "C:" alone names a drive; its children are written with a backslash.
bool IsDriveOnly(std::string_view dir) {
  return dir.size() == 2 && dir[1] == ':' &&
         ((dir[0] >= 'A' && dir[0] <= 'Z') || (dir[0] >= 'a' && dir[0] <= 'z'));
}

}  // namespace

std::string JoinPath(std::string_view dir, std::string_view name) {
  if (dir.empty()) return std::string(name);
  std::string out(dir);
  if (!IsSeparator(out.back())) {
    const bool windowsStyle = IsDriveOnly(dir) || dir.find('\\') != std::string_view::npos;
    out += windowsStyle ? '\\' : '/';
  }
  while (!name.empty() && IsSeparator(name.front())) name.remove_prefix(1);
  out += name;
  return out;
}

std::string ParentPath(std::string_view path) {
  while (path.size() > 1 && IsSeparator(path.back())) path.remove_suffix(1);
  const std::size_t slash = path.find_last_of("/\\");
  if (slash == std::string_view::npos) {
    // "C:name" lives in the drive's current folder.
    return path.size() > 2 && path[1] == ':' ? std::string(path.substr(0, 2)) : std::string();
  }
  std::size_t end = slash;
  while (end > 0 && IsSeparator(path[end - 1])) --end;
  // Keep the separator of a root: "/", "C:\", "\\server" stays as it is.
  if (end == 0) return std::string(path.substr(0, slash + 1));
  if (end == 2 && path[1] == ':') return std::string(path.substr(0, 3));
  return std::string(path.substr(0, end));
}

std::string FileNameOf(std::string_view path) {
  const std::size_t slash = path.find_last_of("/\\");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

}  // namespace qb
