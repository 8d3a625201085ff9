// Picking a command many times holds on to nothing: every handle, window and message box
// a command uses is gone when it returns.
#include "plugin_fixture.h"

#include "support/process_resources.h"

#include <string>

namespace {

struct RepeatedCase {
    const char* name;
    bool templateInstalled;
};

const RepeatedCase kRepeatedCases[] = {
    {"small template", true},
    {"missing template", false},
};

class PluginResourceTest : public PluginTest {};

TEST_F(PluginResourceTest, CommandPicked500TimesLeavesHandlesAndWindowsAsTheyWere) {
    plugin.setInfo(host->handles());
    host->setRecording(false);
    PluginCommand room = commands()[0].pFunc;
    for (const RepeatedCase& repeated : kRepeatedCases) {
        SCOPED_TRACE(repeated.name);
        if (repeated.templateInstalled) {
            scratch.writeFile(templatePath("room.c"), "room r;\r\nr.name = \"Hall\";\r\n");
        } else {
            DeleteFileA(templatePath("room.c").c_str());
        }
        catchMessageBoxes(room); // first use settles what Wine sets up once
        std::size_t handles = processHandleCount();
        std::size_t windows = threadWindowCount();
        std::size_t documents = host->documentCount();

        constexpr int kPicks = 500;
        std::vector<CaughtMessageBox> boxes = catchMessageBoxes([&] {
            for (int i = 0; i < kPicks; ++i) {
                room();
            }
        });

        EXPECT_GT(handles, 0u) << "the handle count must be readable";
        EXPECT_EQ(processHandleCount(), handles);
        EXPECT_EQ(threadWindowCount(), windows);
        EXPECT_EQ(boxes.size(), repeated.templateInstalled ? 0u : std::size_t{kPicks});
        EXPECT_EQ(host->documentCount(), documents + (repeated.templateInstalled ? kPicks : 0));
        if (repeated.templateInstalled) {
            EXPECT_EQ(host->documentText(host->documentCount() - 1),
                      "room r;\nr.name = \"Hall\";\n");
        }
    }
}

} // namespace
