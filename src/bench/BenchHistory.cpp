#include "bench/BenchHistory.h"

namespace bench {

bool sameInputs(const BenchState &a, const BenchState &b) {
    return a.fields == b.fields && a.options == b.options &&
           a.objectAtInfinity == b.objectAtInfinity &&
           a.apparentDiameterTenths == b.apparentDiameterTenths &&
           a.arrowPositionTenths == b.arrowPositionTenths &&
           a.lens1DiameterTenths == b.lens1DiameterTenths &&
           a.lens1DiameterTenthsMax == b.lens1DiameterTenthsMax &&
           a.axisLengthStep == b.axisLengthStep && a.axisLength == b.axisLength &&
           a.precisionIndex == b.precisionIndex && a.positionFormat == b.positionFormat;
}

void BenchHistory::record(const BenchState &before, const BenchState &after) {
    if (inGesture() || sameInputs(before, after)) return;
    undo_.push_back(before);
    if (undo_.size() > static_cast<std::size_t>(Limit)) undo_.pop_front();
    redo_.clear();
}

void BenchHistory::beginGesture(const BenchState &before) {
    if (!inGesture()) gestureStart_ = before;
}

void BenchHistory::endGesture(const BenchState &after) {
    if (!inGesture()) return;
    const BenchState start = std::move(*gestureStart_);
    gestureStart_.reset();
    record(start, after);
}

std::optional<BenchState> BenchHistory::step(std::deque<BenchState> &from,
                                             std::deque<BenchState> &to,
                                             const BenchState &current) {
    if (from.empty()) return std::nullopt;
    gestureStart_.reset();
    BenchState shown = std::move(from.back());
    from.pop_back();
    to.push_back(current);
    return shown;
}

std::optional<BenchState> BenchHistory::undo(const BenchState &current) {
    return step(undo_, redo_, current);
}

std::optional<BenchState> BenchHistory::redo(const BenchState &current) {
    return step(redo_, undo_, current);
}

void BenchHistory::clear() {
    undo_.clear();
    redo_.clear();
    gestureStart_.reset();
}

} // namespace bench
