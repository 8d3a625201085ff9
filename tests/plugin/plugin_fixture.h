// Each test loads its own instance of the plug-in DLL, so every test starts from the
// state the host meets at load, and frees it again afterwards.
#pragma once

#include "host_double.h"
#include "message_box_catcher.h"
#include "plugin_library.h"
#include "support/scratch_directory.h"

#include <gtest/gtest.h>

#include <memory>

class PluginTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(loadScintilla());
    }

    void SetUp() override {
        plugin = loadPlugin();
        ASSERT_NE(plugin.module, nullptr) << plugin.error;
        host = std::make_unique<HostDouble>();
    }

    void TearDown() override {
        unloadPlugin(plugin);
    }

    FuncItem* commands() {
        int count = 0;
        return plugin.getFuncsArray(&count);
    }

    PluginLibrary plugin;
    ScratchDirectory scratch;
    std::unique_ptr<HostDouble> host;
};
