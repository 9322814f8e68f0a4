// The wordmark's preset menu without a window: its rows and what picking them or typing into
// it does, on a user preset folder of the test's own.
#include "editor/EditorModel.h"
#include "editor/HostEdits.h"
#include "editor/PresetBrowser.h"
#include "editor/PresetMenu.h"
#include "presets/FactoryPresets.h"
#include "support/RecordingEffect.h"
#include "window/NativeGlWindow.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace
{

class PresetMenuTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::filesystem::remove_all(folder);
        for (int index = 0; index < kNumParameters; ++index)
        {
            effect.values[index] = kParameterTable[index].defaultValue;
            model.setValue(index, kParameterTable[index].defaultValue);
        }
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::vector<std::string> texts()
    {
        std::vector<std::string> all;
        for (const MenuRow& row : menu.rows())
            all.push_back(row.text);
        return all;
    }
    std::string heading() { return menu.rows().front().text; }
    // Picks the row with this text; answers whether the menu stays open.
    bool pick(const std::string& text)
    {
        const std::vector<MenuRow> rows = menu.rows();
        for (std::size_t i = 0; i < rows.size(); ++i)
        {
            if (rows[i].text == text)
            {
                EXPECT_TRUE(rows[i].pickable()) << text;
                return menu.pick(i);
            }
        }
        ADD_FAILURE() << "no row \"" << text << "\"";
        return true;
    }
    void type(const std::string& text)
    {
        for (char c : text)
            EXPECT_TRUE(menu.key(c, c));
    }
    bool holdsFactoryPreset(std::size_t index) const
    {
        const Setting values = parameterValuesOf(factoryChunk(factoryPresets()[index]));
        for (int i = 0; i < kNumParameters; ++i)
        {
            if (isSettingParameter(i) && effect.values[i] != values[i])
                return false;
        }
        return true;
    }

    std::filesystem::path folder = std::filesystem::temp_directory_path() / "preset-menu";
    RecordingEffect effect;
    EditorModel model{nullptr};
    HostEdits edits{effect, model};
    PresetBrowser browser{effect, edits, PresetLibrary(folder.string())};
    PresetMenu menu{browser, edits};
};

}  // namespace

TEST_F(PresetMenuTest, APresetLoadsAsGesturesIsMarkedWhenChangedAndUndoTakesTheLoadBack)
{
    EXPECT_EQ(heading(), "A: Default");
    EXPECT_TRUE(pick("Factory presets  >"));
    EXPECT_EQ(texts().size(), 1 + factoryPresets().size());
    EXPECT_FALSE(pick("Wide Pads")) << "a preset picked from its page closes the menu";
    menu.closed();

    EXPECT_TRUE(holdsFactoryPreset(1));
    EXPECT_EQ(effect.name, "Wide Pads") << "the program is named after it, so a project reopens with it";
    ASSERT_FALSE(effect.calls.empty());
    ASSERT_EQ(effect.calls.size() % 3, 0u);
    for (std::size_t i = 0; i < effect.calls.size(); i += 3)
    {
        const std::string index = effect.calls[i].substr(6);
        EXPECT_EQ(effect.calls[i], "begin " + index);
        EXPECT_EQ(effect.calls[i + 1], "set " + index);
        EXPECT_EQ(effect.calls[i + 2], "end " + index);
    }
    EXPECT_EQ(heading(), "A: Wide Pads");

    edits.change(kParamPunch, 0.9f);
    EXPECT_EQ(heading(), "A: Wide Pads *");
    EXPECT_TRUE(pick("Undo  (Ctrl+Z)"));
    EXPECT_EQ(heading(), "A: Wide Pads");
    EXPECT_TRUE(pick("Undo  (Ctrl+Z)"));
    EXPECT_FLOAT_EQ(effect.values[kParamStereoWidth], kParameterTable[kParamStereoWidth].defaultValue);
    EXPECT_TRUE(pick("Redo  (Ctrl+Shift+Z)"));
    EXPECT_TRUE(holdsFactoryPreset(1));
}

TEST_F(PresetMenuTest, NextAndPreviousGoRoundTheWholeList)
{
    EXPECT_TRUE(pick("Next preset"));
    EXPECT_TRUE(holdsFactoryPreset(0)) << "from a setting no preset names, Next starts at the top";
    EXPECT_TRUE(pick("Previous preset"));
    EXPECT_EQ(effect.name, factoryPresets().back().name) << "and Previous goes round to the end";

    ASSERT_TRUE(browser.save("Zeta", ExistingPreset::Keep).saved);
    browser.load(factoryPresets().size() - 1);
    EXPECT_TRUE(pick("Next preset"));
    EXPECT_EQ(effect.name, "Zeta") << "the user's presets follow the factory's";
    EXPECT_TRUE(pick("Next preset"));
    EXPECT_EQ(effect.name, factoryPresets().front().name);
}

TEST_F(PresetMenuTest, SavesUnderATypedOrNumberedNameAndDeletesOnlyUserPresets)
{
    edits.change(kParamSizzle, 0.7f);
    EXPECT_TRUE(pick("Save as a new preset..."));
    type("My Padsx");
    EXPECT_TRUE(menu.key(platform::kKeyBackspace, 0));
    EXPECT_EQ(texts()[1], "Name: My Pads_");
    EXPECT_TRUE(menu.key(platform::kKeyReturn, 0));
    EXPECT_TRUE(std::filesystem::exists(folder / "My Pads.fxp"));
    EXPECT_EQ(heading(), "A: My Pads") << "saved, the menu is back on its first page with the new name";

    // The same name again: refused with a reason, until the user asks to replace it.
    EXPECT_TRUE(pick("Save as a new preset..."));
    type("My Pads");
    EXPECT_TRUE(menu.key(platform::kKeyReturn, 0));
    const std::vector<std::string> refused = texts();
    EXPECT_NE(std::find(refused.begin(), refused.end(), "a user preset named \"My Pads\" exists"), refused.end());
    EXPECT_TRUE(pick("Replace \"My Pads\""));
    EXPECT_EQ(heading(), "A: My Pads");

    // Where no keys arrive, the first free numbered name.
    EXPECT_TRUE(pick("Save as a new preset..."));
    EXPECT_TRUE(pick("Save as \"User 1\""));
    EXPECT_TRUE(std::filesystem::exists(folder / "User 1.fxp"));
    EXPECT_TRUE(pick("User presets  >"));
    EXPECT_EQ(texts(), (std::vector<std::string>{"<  User presets", "My Pads", "User 1"}));
    EXPECT_TRUE(pick("<  User presets"));

    EXPECT_TRUE(pick("Delete \"User 1\""));
    EXPECT_FALSE(std::filesystem::exists(folder / "User 1.fxp"));
    browser.load(0);
    EXPECT_EQ(texts()[6], "Delete (a user preset)");
    EXPECT_FALSE(menu.rows()[6].pickable()) << "a factory preset cannot be deleted";
}

TEST_F(PresetMenuTest, ABSwitchesBetweenTwoSettingsWithTheirNamesAndCopies)
{
    browser.load(0);
    EXPECT_TRUE(pick("Switch to B"));
    EXPECT_EQ(heading(), "B: Mix Bus Widen") << "B starts as a copy of A";
    browser.load(3);
    EXPECT_TRUE(pick("Switch to A"));
    EXPECT_TRUE(holdsFactoryPreset(0));
    EXPECT_EQ(heading(), "A: Mix Bus Widen");
    EXPECT_TRUE(pick("Switch to B"));
    EXPECT_TRUE(holdsFactoryPreset(3));
    EXPECT_EQ(heading(), std::string("B: ") + factoryPresets()[3].name);
    EXPECT_TRUE(pick("Copy B to A"));
    EXPECT_TRUE(pick("Switch to A"));
    EXPECT_TRUE(holdsFactoryPreset(3));
}

TEST_F(PresetMenuTest, BadFilesAreListedAsSkippedAndNeverTouchTheSetting)
{
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "Broken.fxp", std::ios::binary) << "CcnK";
    effect.calls.clear();
    EXPECT_TRUE(pick("User presets  >"));
    const std::vector<MenuRow> rows = menu.rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].text, "None saved yet");
    EXPECT_EQ(rows[2].text.rfind("Broken.fxp: skipped, ", 0), 0u) << rows[2].text;
    EXPECT_FALSE(rows[2].pickable());
    EXPECT_TRUE(menu.pick(2));
    EXPECT_TRUE(effect.calls.empty());
}

TEST_F(PresetMenuTest, AReopenedProjectFindsItsPresetByTheProgramsName)
{
    const Setting vocalAir = parameterValuesOf(factoryChunk(factoryPresets()[4]));
    for (int index = 0; index < kNumParameters; ++index)
        model.setValue(index, vocalAir[index]);
    effect.name = factoryPresets()[4].name;
    EXPECT_EQ(heading(), std::string("A: ") + factoryPresets()[4].name);
    EXPECT_TRUE(pick("Factory presets  >"));
    EXPECT_EQ(menu.rows()[5].look, MenuRow::Look::Chosen);
    model.setValue(kParamGain, 0.9f);
    menu.closed();
    EXPECT_EQ(heading(), std::string("A: ") + factoryPresets()[4].name + " *");
}
