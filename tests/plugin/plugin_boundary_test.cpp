// What the host sees of the plug-in through its six exports: the name, the command table,
// the About box and the answers to notifications and messages.
#include "plugin_fixture.h"

#include "support/process_resources.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

struct MenuEntry {
    const wchar_t* name;
    const char* templateFile; // null for About
};

const MenuEntry kMenu[] = {
    {L"Room", "room.c"},     {L"Object", "object.c"}, {L"Armour", "armour.c"},
    {L"Weapon", "weapon.c"}, {L"NPC", "npc.c"},       {L"About", nullptr},
};
constexpr int kMenuLength = 6;

class PluginBoundaryTest : public PluginTest {
  protected:
    // The table as the host reads it after setInfo: names, order, check mark, shortcut.
    void expectFilledTable(const FuncItem* table) {
        for (int i = 0; i < kMenuLength; ++i) {
            SCOPED_TRACE(i);
            EXPECT_STREQ(table[i].itemName, kMenu[i].name);
            EXPECT_NE(table[i].pFunc, nullptr);
            EXPECT_FALSE(table[i].init2Check);
            EXPECT_EQ(table[i].pShKey, nullptr);
        }
    }
};

TEST_F(PluginBoundaryTest, DeclaresItselfWideCharacter) {
    EXPECT_EQ(plugin.isUnicode(), TRUE);
}

TEST_F(PluginBoundaryTest, NamesItselfBeforeAndAfterSetInfo) {
    const wchar_t* before = plugin.getName();
    EXPECT_STREQ(before, L"Tamrel Templates");
    plugin.setInfo(host->handles());
    EXPECT_STREQ(plugin.getName(), L"Tamrel Templates");
    EXPECT_EQ(plugin.getName(), before);
}

TEST_F(PluginBoundaryTest, CommandTableIsEmptyUntilSetInfoFillsIt) {
    int count = 0;
    FuncItem* before = plugin.getFuncsArray(&count);
    ASSERT_EQ(count, kMenuLength);
    ASSERT_NE(before, nullptr);
    for (int i = 0; i < kMenuLength; ++i) {
        EXPECT_EQ(before[i].itemName[0], L'\0');
        EXPECT_EQ(before[i].pFunc, nullptr);
    }

    plugin.setInfo(host->handles());
    count = 0;
    FuncItem* after = plugin.getFuncsArray(&count);
    EXPECT_EQ(count, kMenuLength);
    EXPECT_EQ(after, before);
    expectFilledTable(after);
}

TEST_F(PluginBoundaryTest, SecondSetInfoTakesTheNewHostAndKeepsTheHostsCommandIds) {
    plugin.setInfo(host->handles());
    FuncItem* table = commands();
    std::vector<FuncItem> first(table, table + kMenuLength);
    for (int i = 0; i < kMenuLength; ++i) {
        table[i].cmdID = 22000 + i; // as the host numbers its menu items
    }

    HostDouble newHost;
    plugin.setInfo(newHost.handles());

    expectFilledTable(table);
    for (int i = 0; i < kMenuLength; ++i) {
        EXPECT_EQ(table[i].pFunc, first[i].pFunc);
        EXPECT_EQ(table[i].cmdID, 22000 + i);
    }
    scratch.writeFile(templatePath("room.c"), "room r;\n");
    EXPECT_TRUE(catchMessageBoxes(table[0].pFunc).empty());
    EXPECT_EQ(host->documentCount(), 0u);
    ASSERT_EQ(newHost.documentCount(), 1u);
    EXPECT_EQ(newHost.documentText(0), "room r;\n");
}

TEST_F(PluginBoundaryTest, EachMenuEntryDoesItsOwnJob) {
    plugin.setInfo(host->handles());
    for (const MenuEntry& entry : kMenu) {
        if (entry.templateFile != nullptr) {
            scratch.writeFile(templatePath(entry.templateFile),
                              std::string("// ") + entry.templateFile);
        }
    }
    FuncItem* table = commands();
    for (int i = 0; i < kMenuLength; ++i) {
        const MenuEntry& entry = kMenu[i];
        if (entry.templateFile == nullptr) {
            continue;
        }
        SCOPED_TRACE(entry.templateFile);
        std::size_t before = host->documentCount();
        EXPECT_TRUE(catchMessageBoxes(table[i].pFunc).empty());
        ASSERT_EQ(host->documentCount(), before + 1);
        EXPECT_EQ(host->documentText(before), std::string("// ") + entry.templateFile);
    }
}

TEST_F(PluginBoundaryTest, AboutShowsTheCreditInItsOwnBox) {
    plugin.setInfo(host->handles());

    std::vector<CaughtMessageBox> boxes = catchMessageBoxes(commands()[5].pFunc);

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, L"About Tamrel Templates");
    EXPECT_EQ(boxes[0].buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_EQ(boxes[0].owner, nullptr);
    const std::wstring& text = boxes[0].text;
    std::size_t lineFeed = text.find(L'\n');
    ASSERT_NE(lineFeed, std::wstring::npos);
    EXPECT_EQ(text.find(L'\n', lineFeed + 1), std::wstring::npos) << "two lines only";
    std::wstring credit = text.substr(0, lineFeed);
    EXPECT_NE(credit.find(L"" TAMREL_CONTACT), std::wstring::npos);
    EXPECT_NE(credit.find(L"" TAMREL_VERSION), std::wstring::npos);
    EXPECT_EQ(text.substr(lineFeed + 1), L"" TAMREL_HOMEPAGE);
    EXPECT_EQ(host->documentCount(), 0u);
    EXPECT_TRUE(host->messages().empty());
}

TEST_F(PluginBoundaryTest, MessageProcAnswersOneToEveryMessage) {
    plugin.setInfo(host->handles());
    const UINT messages[] = {
        0,           WM_COMMAND, WM_USER, NPPM_MENUCOMMAND, NPPM_GETCURRENTSCINTILLA,
        SCI_SETTEXT, 0x7FFF,     0xC123,  0xFFFFFFFF};
    for (UINT message : messages) {
        EXPECT_EQ(plugin.messageProc(message, 0, 0), TRUE) << message;
        EXPECT_EQ(plugin.messageProc(message, ~WPARAM{0}, -1), TRUE) << message;
    }
    EXPECT_EQ(host->documentCount(), 0u);
    EXPECT_TRUE(host->messages().empty());
}

TEST_F(PluginBoundaryTest, NotificationsHaveNoVisibleEffect) {
    plugin.setInfo(host->handles());
    std::size_t windows = threadWindowCount();
    // The host's notification record is larger than the header the plug-in reads.
    union {
        SCNotification notification;
        unsigned char record[256];
    } received = {};
    received.notification.nmhdr.hwndFrom = host->window();
    const unsigned int codes[] = {NPPN_SHUTDOWN, 0, 1001, 1004, 2001, 2008, 0xFFFFFFFF};

    std::vector<CaughtMessageBox> boxes = catchMessageBoxes([&] {
        for (unsigned int code : codes) {
            received.notification.nmhdr.code = code;
            plugin.beNotified(&received.notification);
        }
    });

    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(host->documentCount(), 0u);
    EXPECT_TRUE(host->messages().empty());
    EXPECT_EQ(threadWindowCount(), windows);
}

// The host's whole start-up, as often as a long session of plug-in reloads would.
void loadAsTheHostDoes(HostDouble& host) {
    PluginLibrary plugin = loadPlugin();
    ASSERT_NE(plugin.module, nullptr) << plugin.error;
    plugin.isUnicode();
    plugin.getName();
    plugin.setInfo(host.handles());
    int count = 0;
    plugin.getFuncsArray(&count);
    SCNotification shutdown = {};
    shutdown.nmhdr.code = NPPN_SHUTDOWN;
    plugin.beNotified(&shutdown);
    unloadPlugin(plugin);
}

TEST_F(PluginBoundaryTest, LoadingAndFreeingRepeatedlyLeaksNothing) {
    unloadPlugin(plugin); // the fixture's instance; this test counts its own
    for (int i = 0; i < 5; ++i) {
        loadAsTheHostDoes(*host);
    }
    std::size_t handles = processHandleCount();
    std::size_t windows = threadWindowCount();
    std::size_t memory = privateBytes();

    constexpr int kCycles = 300;
    for (int i = 0; i < kCycles; ++i) {
        loadAsTheHostDoes(*host);
    }

    EXPECT_EQ(GetModuleHandleW(L"TamrelTemplates.dll"), nullptr);
    EXPECT_GT(handles, 0u) << "the handle count must be readable";
    EXPECT_EQ(processHandleCount(), handles);
    EXPECT_EQ(threadWindowCount(), windows);
    // A leak of even one small allocation per load would show as kCycles times that.
    EXPECT_LT(privateBytes(), memory + 64 * 1024) << "before: " << memory;
}

} // namespace
