#pragma once

#include "PluginHost.h"

#include <gtest/gtest.h>

// One instance of the built module, for cases that drive it as a host does without its editor.
class HostEffect : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(PluginModule::shared().loaded()) << PluginModule::shared().error(); }

    EffectInstance instance;
};
