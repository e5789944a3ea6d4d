// The steps of the pattern, for undo and redo: a list of snapshots with a
// cursor on the one shown. Undo and redo only move the cursor once the
// caller has managed to restore the snapshot, so a failed restore loses no
// step.
#pragma once

#include "document/PatternSnapshot.h"

#include <cstddef>
#include <deque>

class TPatternHistory {
public:
    static constexpr size_t kDefaultSteps = 1000;

    // steps: how many changes can be undone; the oldest go first.
    explicit TPatternHistory(size_t steps = kDefaultSteps);

    // Forgets every step; current becomes the first state.
    void Reset(const TPatternSnapshot& current);
    // Adds current as a step unless it is the pattern shown already; a new
    // step drops the steps that could have been redone. True when added.
    bool Record(const TPatternSnapshot& current);

    bool CanUndo() const { return cursor_ > 0; }
    bool CanRedo() const { return cursor_ + 1 < states_.size(); }
    // What undo and redo would restore; only while CanUndo / CanRedo.
    const TPatternSnapshot& UndoTarget() const { return states_[cursor_ - 1]; }
    const TPatternSnapshot& RedoTarget() const { return states_[cursor_ + 1]; }
    // Moves the cursor once the target has been restored.
    void StepBack() { --cursor_; }
    void StepForward() { ++cursor_; }

    // The steps that can be undone and redone from here.
    size_t UndoCount() const { return cursor_; }
    size_t RedoCount() const { return states_.empty() ? 0 : states_.size() - 1 - cursor_; }

private:
    size_t steps_;
    std::deque<TPatternSnapshot> states_;
    size_t cursor_ = 0;
};
