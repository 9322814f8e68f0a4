#include "editor/CompareSlots.h"
#include "editor/EditorModel.h"
#include "editor/HostEdits.h"
#include "support/RecordingEffect.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

class EditHistory : public ::testing::Test
{
protected:
    void drag(int index, std::initializer_list<float> values)
    {
        edits.begin(index);
        for (float value : values)
            edits.change(index, value);
        edits.end(index);
    }

    RecordingEffect effect;
    EditorModel model{nullptr};
    HostEdits edits{effect, model};
};

const std::vector<std::string> kOneGestureOn5 = {"begin 5", "set 5", "end 5"};

}  // namespace

TEST_F(EditHistory, UndoAndRedoWalkTheUsersStepsAndReachTheHostAsGestures)
{
    EXPECT_FALSE(edits.undo()) << "nothing to undo yet";
    drag(kParamGain, {0.3f, 0.4f, 0.6f});
    edits.change(kParamSizzle, 0.9f);  // a click: a step of its own
    effect.calls.clear();

    ASSERT_TRUE(edits.undo());
    EXPECT_FLOAT_EQ(effect.values[kParamSizzle], 0.0f);
    EXPECT_FLOAT_EQ(model.value(kParamGain), 0.6f);
    ASSERT_TRUE(edits.undo());
    EXPECT_FLOAT_EQ(effect.values[kParamGain], 0.0f) << "the whole drag is one step";
    EXPECT_FLOAT_EQ(model.value(kParamGain), 0.0f);
    EXPECT_FALSE(edits.canUndo());
    EXPECT_EQ(effect.calls, (std::vector<std::string>{"begin 3", "set 3", "end 3", "begin 5", "set 5", "end 5"}));

    ASSERT_TRUE(edits.redo());
    EXPECT_FLOAT_EQ(effect.values[kParamGain], 0.6f);
    edits.change(kParamPunch, 0.5f);
    EXPECT_FALSE(edits.canRedo()) << "a new edit drops what could be redone";
    EXPECT_FALSE(edits.redo());
}

TEST_F(EditHistory, UndoLeavesWhatTheHostChangedMeanwhileAlone)
{
    edits.change(kParamGain, 0.7f);
    // Host automation of another parameter reaches the model, not the history.
    model.setValue(kParamStereoWidth, 0.2f);
    ASSERT_TRUE(edits.undo());
    EXPECT_FLOAT_EQ(model.value(kParamGain), 0.0f);
    EXPECT_FLOAT_EQ(model.value(kParamStereoWidth), 0.2f);
}

TEST_F(EditHistory, AWholeSettingIsOneStepOfOneGesturePerChangedParameterAndWaitsForTheUsersGesture)
{
    Setting target = edits.current();
    target[kParamGain] = 0.25f;
    target[kParamInternal0] = 0.5f;  // housekeeping: never sent as an edit
    edits.begin(kParamShape);
    EXPECT_FALSE(edits.apply(target)) << "refused while the user holds a control";
    edits.end(kParamShape);
    effect.calls.clear();

    ASSERT_TRUE(edits.apply(target));
    EXPECT_EQ(effect.calls, kOneGestureOn5);
    EXPECT_FLOAT_EQ(model.value(kParamInternal0), 0.0f);
    ASSERT_TRUE(edits.undo());
    EXPECT_FLOAT_EQ(model.value(kParamGain), 0.0f);
    EXPECT_FALSE(edits.canUndo()) << "the empty gesture on Shape left no step";
}

TEST_F(EditHistory, KeepsTheNewestStepsOnly)
{
    const int edited = static_cast<int>(SettingHistory::kMaxSteps) + 2;
    for (int step = 1; step <= edited; ++step)
        edits.change(kParamGain, static_cast<float>(step) / 1000.0f);
    int undone = 0;
    while (edits.undo())
        ++undone;
    EXPECT_EQ(undone, static_cast<int>(SettingHistory::kMaxSteps));
    EXPECT_FLOAT_EQ(model.value(kParamGain), 2.0f / 1000.0f);
}

TEST(CompareSlots, SwitchingKeepsEachSlotsSettingAndCopyingFillsTheOther)
{
    CompareSlots slots;
    Setting a{};
    a[kParamGain] = 0.1f;
    Setting b = slots.switchOver(a);
    EXPECT_EQ(slots.active(), CompareSlots::Slot::B);
    EXPECT_EQ(b, a) << "B starts as a copy of A";
    b[kParamGain] = 0.9f;
    EXPECT_EQ(slots.switchOver(b), a);
    EXPECT_EQ(slots.active(), CompareSlots::Slot::A);
    EXPECT_EQ(slots.switchOver(a), b);

    slots.copyToOther(b);  // B to A
    EXPECT_EQ(slots.switchOver(b), b);
}
