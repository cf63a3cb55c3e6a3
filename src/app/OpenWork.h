#pragma once
// "Save what is open": windows that hold text the user typed and has not stored yet (the desktop
// memos) register a saver here. The savers run when Windows logs off or shuts down and when the
// program ends, so no typed text is lost either way. Window thread only.
#include <functional>

namespace qb {

using OpenWorkSaver = std::function<void()>;

// Registers a saver; the answer is its ticket for UnregisterOpenWorkSaver (never 0).
int RegisterOpenWorkSaver(OpenWorkSaver saver);
// A window that closes takes its saver away; unknown tickets are ignored.
void UnregisterOpenWorkSaver(int ticket);

// Runs every registered saver in registration order. A saver that throws does not keep the
// others from running; answers how many savers failed. Savers may register or unregister savers
// while they run: those changes count from the next call on.
int SaveOpenWork();

}  // namespace qb
