#pragma once

#include "bench/BenchState.h"

#include <deque>
#include <optional>

namespace bench {

// Whether two benches hold the same inputs: fields, switches, sliders, axis length and
// precision. Derived values are left out, since the figure update recomputes them.
bool sameInputs(const BenchState &a, const BenchState &b);

// The undo and redo history of the bench: snapshots of the whole bench, at most Limit steps.
// A change that leaves the inputs as they were is not a step. A gesture (a drag from press to
// release) is one step however many changes it makes.
class BenchHistory {
  public:
    static constexpr int Limit = 100;

    // Records a change from `before` to `after`; a new change clears what could be redone.
    // Inside a gesture, changes only extend the gesture.
    void record(const BenchState &before, const BenchState &after);

    // A gesture starts from the bench as it is; its changes become one step at its end.
    void beginGesture(const BenchState &before);
    void endGesture(const BenchState &after);
    bool inGesture() const { return gestureStart_.has_value(); }

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    int undoCount() const { return static_cast<int>(undo_.size()); }
    int redoCount() const { return static_cast<int>(redo_.size()); }

    // The bench to show instead of `current`, which becomes the step to redo (or to undo).
    // No value when there is nothing to undo (or redo).
    std::optional<BenchState> undo(const BenchState &current);
    std::optional<BenchState> redo(const BenchState &current);

    void clear();

  private:
    // Takes the last bench of `from` to show, keeping `current` at the end of `to`.
    std::optional<BenchState> step(std::deque<BenchState> &from, std::deque<BenchState> &to,
                                   const BenchState &current);

    std::deque<BenchState> undo_; // oldest first
    std::deque<BenchState> redo_; // the next to redo last
    std::optional<BenchState> gestureStart_;
};

} // namespace bench
