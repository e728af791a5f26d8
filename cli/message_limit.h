#pragma once
// Keeps the messages of a run readable: the same text is shown at most a
// few times, and at the end one line per text says how many more there
// were. A damaged plot can raise millions of identical messages.

#include <map>
#include <string>
#include <vector>

namespace kavor {

class MessageLimit {
 public:
  static constexpr int kShownPerText = 20;

  // True when the text is to be shown; counts it either way.
  bool admit(const std::string& text);
  // "N more: TEXT" for every text that was held back, in text order.
  std::vector<std::string> held_back() const;
  void clear() { counts_.clear(); }

 private:
  // Texts beyond this many distinct ones share one count, so that a plot
  // cannot make the table grow without end.
  static constexpr size_t kDistinctTexts = 4096;
  std::map<std::string, long> counts_;
};

}  // namespace kavor
