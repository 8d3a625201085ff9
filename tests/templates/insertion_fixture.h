// Each test gets a fresh host double, the plug-in loaded from its DLL and told about that
// host, and a scratch current directory that holds the case's templates.
#pragma once

#include "host_double.h"
#include "message_box_catcher.h"
#include "plugin_library.h"
#include "support/scratch_directory.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// Positions of the template commands in the plug-in's menu.
enum CommandPosition { kRoom = 0, kObject, kArmour, kWeapon, kNpc };

class InsertionTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(loadScintilla());
        plugin = loadPlugin();
        ASSERT_NE(plugin.module, nullptr) << plugin.error;
    }

    static void TearDownTestSuite() {
        unloadPlugin(plugin);
    }

    void SetUp() override {
        host = std::make_unique<HostDouble>();
        plugin.setInfo(host->handles());
    }

    // Runs the menu command at `position` as the host would; returns the boxes it showed.
    std::vector<CaughtMessageBox> runCommand(int position) {
        int count = 0;
        FuncItem* items = plugin.getFuncsArray(&count);
        return catchMessageBoxes(items[position].pFunc);
    }

    // Installs `bytes` as the Room template and runs the Room command.
    std::vector<CaughtMessageBox> insertRoom(const std::string& bytes) {
        scratch.writeFile(templatePath("room.c"), bytes);
        return runCommand(kRoom);
    }

    static inline PluginLibrary plugin;
    ScratchDirectory scratch;
    std::unique_ptr<HostDouble> host;
};
