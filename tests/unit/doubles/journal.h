// An optional shared record of calls across several doubles, for tests that care
// about the order in which different seams are used.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace sw::testing {

struct Journal {
  std::vector<std::string> entries;
  void Note(std::string entry) { entries.push_back(std::move(entry)); }
};

inline void NoteTo(Journal* journal, std::string entry) {
  if (journal != nullptr) journal->Note(std::move(entry));
}

}  // namespace sw::testing
