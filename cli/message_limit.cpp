#include "cli/message_limit.h"

namespace kavor {

namespace {
const char kOtherTexts[] = "(other messages)";
}  // namespace

bool MessageLimit::admit(const std::string& text) {
  auto it = counts_.find(text);
  if (it == counts_.end()) {
    const bool room = counts_.size() < kDistinctTexts;
    it = counts_.emplace(room ? text : std::string(kOtherTexts), 0).first;
  }
  return ++it->second <= kShownPerText;
}

std::vector<std::string> MessageLimit::held_back() const {
  std::vector<std::string> lines;
  for (const auto& [text, count] : counts_)
    if (count > kShownPerText) lines.push_back(std::to_string(count - kShownPerText) + " more: " + text);
  return lines;
}

}  // namespace kavor
