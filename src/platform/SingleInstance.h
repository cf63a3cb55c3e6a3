#pragma once
// One resident instance per user and session, through a named mutex that lives as long as any
// instance holds it.
#include <string>

#include "platform/Handles.h"

namespace qb {

// The user's SID as text ("S-1-5-21-..."), or the user name when the SID cannot be read; empty
// when neither can.
std::string CurrentUserIdentity();

class InstanceMutex {
public:
  // Creates or opens the named mutex (the name from InstanceMutexName). The handle is kept for
  // the life of the object: the name stays taken while this process runs.
  static InstanceMutex Claim(const std::string& name);

  // True when the object existed before this process asked for it.
  [[nodiscard]] bool AnotherInstanceRunning() const noexcept { return existed_; }

private:
  UniqueHandle handle_;
  bool existed_ = false;
};

}  // namespace qb
