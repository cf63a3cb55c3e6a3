#include "common/OpenWork.h"

#include <utility>

namespace qb {

int OpenWorkSavers::Register(OpenWorkSaver saver) {
  const int ticket = nextTicket_++;
  savers_.push_back({ticket, std::move(saver)});
  return ticket;
}

void OpenWorkSavers::Unregister(int ticket) {
  std::erase_if(savers_, [ticket](const Saver& s) { return s.ticket == ticket; });
}

int OpenWorkSavers::SaveAll() {
  // A copy: a saver may close its window, which unregisters it while the list is walked.
  const std::vector<Saver> savers = savers_;
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
