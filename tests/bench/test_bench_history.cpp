// The undo history of the bench: every kind of change is one step that undo and redo restore
// exactly, a gesture is one step, the history keeps 100 steps, and a new change clears redo.

#include "bench/BenchControls.h"
#include "bench/BenchHistory.h"
#include "bench/FieldBounds.h"

#include <gtest/gtest.h>

#include <functional>

using namespace bench;

namespace {

struct Change {
    const char *name;
    std::function<void(BenchState &)> apply;
};

const Change Changes[] = {
    {"validated field",
     [](BenchState &s) {
         setFieldText(s, Lens1Position, QStringLiteral("30"));
         testpos(s);
     }},
    {"switch", [](BenchState &s) { setOption(s, BeamFromB, true); }},
    {"two lenses", [](BenchState &s) { setOption(s, TwoLenses, true); }},
    {"object at infinity", [](BenchState &s) { setObjectAtInfinity(s, true); }},
    {"diameter slider", [](BenchState &s) { setLens1DiameterSlider(s, 55); }},
    {"arrow slider", [](BenchState &s) { setArrowPosition(s, 7); }},
    {"apparent diameter", [](BenchState &s) { setApparentDiameter(s, 42); }},
    {"precision", [](BenchState &s) { precisionButton(s, 1); }},
    {"axis length", [](BenchState &s) { axisLengthButton(s, 1); }},
    {"loaded configuration",
     [](BenchState &s) {
         setAxisLength(s, 5, 100);
         axisLengthButton(s, 2);
         setFieldText(s, ObjectHeight, QStringLiteral("7,5"));
         setOption(s, WhiteBackground, true);
         testpos(s);
     }},
};

} // namespace

TEST(BenchHistory, EachKindOfChangeIsOneStepThatUndoAndRedoRestore) {
    for (const Change &c : Changes) {
        BenchHistory history;
        BenchState state = BenchState::startup();
        const BenchState before = state;
        c.apply(state);
        ASSERT_FALSE(sameInputs(before, state)) << c.name;
        history.record(before, state);
        EXPECT_EQ(history.undoCount(), 1) << c.name;
        const BenchState after = state;

        state = *history.undo(state);
        EXPECT_TRUE(sameInputs(state, before)) << c.name;
        EXPECT_EQ(state.fields, before.fields) << c.name;
        EXPECT_FALSE(history.canUndo()) << c.name;
        state = *history.redo(state);
        EXPECT_TRUE(sameInputs(state, after)) << c.name;
        EXPECT_FALSE(history.canRedo()) << c.name;
        EXPECT_FALSE(history.undo(state) == std::nullopt) << c.name;
    }
}

TEST(BenchHistory, ChangesThatChangeNothingAreNotSteps) {
    BenchHistory history;
    BenchState state = BenchState::startup();
    const BenchState before = state;
    setOption(state, ShowImages, true); // already on
    testpos(state);                     // fields already in bounds
    history.record(before, state);
    EXPECT_FALSE(history.canUndo());
    EXPECT_EQ(history.undo(state), std::nullopt);
    EXPECT_EQ(history.redo(state), std::nullopt);
}

TEST(BenchHistory, GestureIsOneStepAndUndoReturnsToItsStart) {
    BenchHistory history;
    BenchState state = BenchState::startup();
    const BenchState start = state;
    history.beginGesture(state);
    for (const char *position : {"16,0", "17,0", "18,0", "19,5"}) {
        const BenchState before = state;
        setFieldText(state, Lens1Position, QString::fromLatin1(position));
        testpos(state);
        history.record(before, state);
    }
    history.endGesture(state);
    EXPECT_EQ(history.undoCount(), 1);
    EXPECT_EQ(state.fields[Lens1Position], QStringLiteral("19,5"));
    state = *history.undo(state);
    EXPECT_EQ(state.fields[Lens1Position], start.fields[Lens1Position]);

    // A press and release without a move is no step.
    history.clear();
    history.beginGesture(state);
    history.endGesture(state);
    EXPECT_FALSE(history.canUndo());
}

TEST(BenchHistory, KeepsTheLastHundredStepsAndANewChangeClearsRedo) {
    BenchHistory history;
    BenchState state = BenchState::startup();
    for (int i = 1; i <= 150; ++i) {
        const BenchState before = state;
        setFieldText(state, ObjectHeight, QString::number(i));
        history.record(before, state);
    }
    EXPECT_EQ(history.undoCount(), BenchHistory::Limit);
    while (history.canUndo())
        state = *history.undo(state);
    // The oldest step kept leads back to the bench after the fiftieth change.
    EXPECT_EQ(state.fields[ObjectHeight], QStringLiteral("50"));
    EXPECT_EQ(history.redoCount(), BenchHistory::Limit);

    const BenchState before = state;
    setOption(state, ShowFoci, false);
    history.record(before, state);
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.undoCount(), 1);
}
