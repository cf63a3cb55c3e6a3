#pragma once

namespace qb {

// Dispatches the messages already waiting for this thread and returns; never waits. A quit
// request seen on the way is posted again so that the main message loop still ends.
void PumpPendingMessages();

}  // namespace qb

namespace qb {

// The main message loop; answers the exit code carried by WM_QUIT.
int RunMessageLoop();

}  // namespace qb
