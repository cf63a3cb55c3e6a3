#include "app/OpenWork.h"

#include <utility>
#include <vector>

namespace qb {

namespace {

struct Saver {
  int ticket;
  OpenWorkSaver save;
};

struct Savers {
  std::vector<Saver> list;
  int nextTicket = 1;
};

Savers& TheSavers() {
  static Savers savers;
  return savers;
}

}  // namespace

int RegisterOpenWorkSaver(OpenWorkSaver saver) {
  Savers& s = TheSavers();
  const int ticket = s.nextTicket++;
  s.list.push_back({ticket, std::move(saver)});
  return ticket;
}

void UnregisterOpenWorkSaver(int ticket) {
  auto& list = TheSavers().list;
  std::erase_if(list, [ticket](const Saver& s) { return s.ticket == ticket; });
}

int SaveOpenWork() {
  // A copy: a saver may close its window, which unregisters it while the list is walked.
  const std::vector<Saver> savers = TheSavers().list;
  int failures = 0;
  for (const Saver& saver : savers) {
    try {
      if (saver.save) saver.save();
    } catch (...) {
      ++failures;
    }
  }
  return failures;
}

}  // namespace qb
