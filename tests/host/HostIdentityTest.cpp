#include "HostEffect.h"

#include <cstring>

namespace
{

using HostIdentity = HostEffect;

TEST_F(HostIdentity, RecordDescribesAStereoEffectWithEditorAndChunks)
{
    AEffect* effect = instance.effect();
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->magic, fourCharCode('V', 's', 't', 'P'));
    EXPECT_EQ(effect->numInputs, 2);
    EXPECT_EQ(effect->numOutputs, 2);
    EXPECT_EQ(effect->numParams, 42);
    EXPECT_EQ(effect->numPrograms, 1);
    EXPECT_EQ(effect->flags, 0x31);
    EXPECT_EQ(effect->uniqueID, fourCharCode('V', 'n', 'T', 'q'));
    EXPECT_EQ(effect->version, 1);
    EXPECT_EQ(effect->initialDelay, 2049);
    EXPECT_FLOAT_EQ(effect->ioRatio, 1.0f);
    EXPECT_NE(effect->processReplacing, nullptr);
    EXPECT_NE(effect->processDoubleReplacing, nullptr);
    EXPECT_NE(effect->process, nullptr);
}

TEST_F(HostIdentity, BothExportedNamesAreTheSameEntry)
{
    EXPECT_EQ(PluginModule::shared().mainEntry(), PluginModule::shared().legacyMainEntry());
}

TEST_F(HostIdentity, HostVersionZeroGetsNoEffect)
{
    HostRecorder::instance().versionAnswer = 0;
    AEffect* effect = PluginModule::shared().mainEntry()(recordingHostCallback);
    HostRecorder::instance().versionAnswer = 2400;
    EXPECT_EQ(effect, nullptr);
}

TEST_F(HostIdentity, AnswersIdentityQueries)
{
    EXPECT_EQ(instance.text(effGetVendorString), "Brackwel");
    EXPECT_EQ(instance.text(effGetProductString), "Vantor Pro");
    EXPECT_EQ(instance.dispatch(effGetVendorString, 0, 0, nullptr), 0) << "a null buffer is refused";
    EXPECT_EQ(instance.dispatch(effGetVendorVersion), 128);
    EXPECT_EQ(instance.dispatch(effGetVstVersion), 2400);
    EXPECT_EQ(instance.dispatch(effGetPlugCategory), 1);
    EXPECT_EQ(instance.dispatch(effIdentify), fourCharCode('N', 'v', 'E', 'f'));
    EXPECT_EQ(instance.dispatch(effGetTailSize), 0);
    EXPECT_EQ(instance.dispatch(effGetCurrentMidiProgram), -1);
    EXPECT_EQ(instance.dispatch(effSetTotalSampleToProcess, 0, 12345), 12345);
    EXPECT_EQ(instance.dispatch(effCanBeAutomated, 17), 1);
    EXPECT_EQ(instance.dispatch(effSetBypass, 0, 1), 0);
    EXPECT_EQ(instance.dispatch(effProcessEvents, 0, 0, nullptr), 1);
    EXPECT_EQ(instance.dispatch(effGetEffectName, 0, 0, nullptr), 0);
    for (VstInt32 unhandled : {9, 16, 17, 18, 20, 21, 28, 30, 31, 32, 36, 37, 43, 46, 53, 54, 55, 57, 80, 1000})
        EXPECT_EQ(instance.dispatch(unhandled), 0) << "opcode " << unhandled;
}

TEST_F(HostIdentity, CanDoAnswersExactStringsOnly)
{
    auto canDo = [&](const char* text) { return instance.dispatch(effCanDo, 0, 0, const_cast<char*>(text)); };
    EXPECT_EQ(canDo("receiveVstEvents"), 1);
    EXPECT_EQ(canDo("receiveVstMidiEvent"), 1);
    EXPECT_EQ(canDo("sendVstEvents"), 1);
    EXPECT_EQ(canDo("acceptIOChanges"), 1);
    EXPECT_EQ(canDo("offline"), -1);
    EXPECT_EQ(canDo("ReceiveVstEvents"), -1);
    EXPECT_EQ(canDo(""), -1);
}

TEST_F(HostIdentity, PinPropertiesNameTwoStereoPinsEachWay)
{
    VstPinProperties pin{};
    ASSERT_EQ(instance.dispatch(effGetInputProperties, 0, 0, &pin), 1);
    EXPECT_STREQ(pin.label, "VNi 1");
    EXPECT_EQ(pin.flags, 3);
    EXPECT_EQ(pin.arrangementType, 1);
    ASSERT_EQ(instance.dispatch(effGetInputProperties, 1, 0, &pin), 1);
    EXPECT_STREQ(pin.label, "VNi 2");

    VstPinProperties output{};
    output.arrangementType = 77;
    std::memcpy(output.shortLabel, "keep", 5);
    ASSERT_EQ(instance.dispatch(effGetOutputProperties, 1, 0, &output), 1);
    EXPECT_STREQ(output.label, "VNo 2");
    EXPECT_EQ(output.flags, 3);
    EXPECT_EQ(output.arrangementType, 77) << "left as the host gave it";
    EXPECT_STREQ(output.shortLabel, "keep");

    VstPinProperties untouched{};
    EXPECT_EQ(instance.dispatch(effGetInputProperties, 2, 0, &untouched), 0);
    EXPECT_EQ(instance.dispatch(effGetOutputProperties, 2, 0, &untouched), 0);
    EXPECT_EQ(untouched.label[0], '\0');
}

TEST_F(HostIdentity, EditorRectangleIs512By624AndANullParentIsRefused)
{
    ERect* rect = nullptr;
    ASSERT_EQ(instance.dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->bottom, 624);
    EXPECT_EQ(rect->right, 512);
    EXPECT_EQ(instance.dispatch(effEditGetRect, 0, 0, nullptr), 0);
    EXPECT_EQ(instance.dispatch(effEditOpen, 0, 0, nullptr), 0);
    EXPECT_EQ(instance.dispatch(effEditKeyDown, 'a', 0, nullptr, 1.0f), 0);
    EXPECT_EQ(instance.dispatch(effEditKeyUp, 'a', 0, nullptr, 1e30f), 0);
    EXPECT_EQ(instance.dispatch(effSetEditKnobMode, 0, 2), 0);
}

TEST_F(HostIdentity, ConstructionAnnouncesItsInputsAndResumeAsksForEvents)
{
    HostRecorder::instance().clear();
    EffectInstance created;
    AEffect* effect = created.effect();
    EXPECT_EQ(HostRecorder::instance().callsFor(effect, audioMasterIOChanged).size(), 1u);
    EXPECT_GE(HostRecorder::instance().callsFor(effect, audioMasterUpdateDisplay).size(), 1u);
    created.resumeAt(44100.0f);
    const auto wants = HostRecorder::instance().callsFor(effect, audioMasterWantMidi);
    ASSERT_EQ(wants.size(), 1u);
    EXPECT_EQ(wants[0].value, 1);
}

}  // namespace
