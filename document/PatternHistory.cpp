#include "document/PatternHistory.h"

TPatternHistory::TPatternHistory(size_t steps) : steps_(steps) {}

void TPatternHistory::Reset(const TPatternSnapshot& current)
{
    states_.clear();
    states_.push_back(current);
    cursor_ = 0;
}

bool TPatternHistory::Record(const TPatternSnapshot& current)
{
    if (states_.empty()) {
        Reset(current);
        return false;
    }
    if (SamePattern(states_[cursor_], current)) return false;
    states_.erase(states_.begin() + static_cast<std::ptrdiff_t>(cursor_) + 1, states_.end());
    states_.push_back(current);
    ++cursor_;
    // The first state plus steps_ changes.
    while (states_.size() > steps_ + 1) {
        states_.pop_front();
        --cursor_;
    }
    return true;
}
