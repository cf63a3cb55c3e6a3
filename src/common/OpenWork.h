#pragma once
// "Save what is open": windows that hold text the user typed and has not stored yet (the desktop
// memos) register a saver. The resident program runs the savers when Windows logs off or shuts
// down and when it ends, so no typed text is lost either way. Window thread only.
#include <functional>
#include <vector>

namespace qb {

using OpenWorkSaver = std::function<void()>;

// What a window needs of the resident program to take part; handed over at start-up.
class OpenWorkRegistry {
public:
  virtual ~OpenWorkRegistry() = default;
  // Registers a saver; the answer is its ticket for Unregister (never 0).
  virtual int Register(OpenWorkSaver saver) = 0;
  // A window that closes takes its saver away; unknown tickets are ignored.
  virtual void Unregister(int ticket) = 0;
};

class OpenWorkSavers final : public OpenWorkRegistry {
public:
  int Register(OpenWorkSaver saver) override;
  void Unregister(int ticket) override;

  // Runs every registered saver in registration order. A saver that throws does not keep the
  // others from running; answers how many savers failed. Savers may register or unregister savers
  // while they run: those changes count from the next call on.
  int SaveAll();

private:
  struct Saver {
    int ticket;
    OpenWorkSaver save;
  };
  std::vector<Saver> savers_;
  int nextTicket_ = 1;
};

}  // namespace qb
