#include "platform/ProgramResource.h"

#include "platform/DebugLog.h"

namespace qb {

std::string_view ProgramResource(const wchar_t* type, const wchar_t* name) {
  const HMODULE program = GetModuleHandleW(nullptr);
  const HRSRC found = FindResourceW(program, name, type);
  if (!Tolerate(found != nullptr, "FindResourceW")) return {};
  // A loaded resource of the program's own image needs no freeing: it is part of the mapped file.
  const HGLOBAL loaded = LoadResource(program, found);
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (!Tolerate(bytes != nullptr, "LoadResource")) return {};
  return {static_cast<const char*>(bytes), SizeofResource(program, found)};
}

}  // namespace qb
