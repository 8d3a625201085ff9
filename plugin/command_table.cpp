#include "plugin/command_table.h"

#include "plugin/about.h"
#include "templates/template_insertion.h"

FuncItem commandTable[kCommandCount] = {};

namespace {

struct CommandEntry {
    const wchar_t* name;
    PluginCommand command;
};

// Menu order. Every name fits the host's name field with room to spare.
constexpr CommandEntry kCommands[kCommandCount] = {
    {L"Room", insertRoomTemplate},     {L"Object", insertObjectTemplate},
    {L"Armour", insertArmourTemplate}, {L"Weapon", insertWeaponTemplate},
    {L"NPC", insertNpcTemplate},       {L"About", showAbout},
};

void setCommand(FuncItem& item, const CommandEntry& entry) {
    lstrcpyW(item.itemName, entry.name);
    item.pFunc = entry.command;
    item.init2Check = false;
    item.pShKey = nullptr;
}

} // namespace

void fillCommandTable() {
    for (int i = 0; i < kCommandCount; ++i) {
        setCommand(commandTable[i], kCommands[i]);
    }
}
