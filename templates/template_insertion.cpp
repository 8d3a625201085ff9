#include "templates/template_insertion.h"

#include "host/host_interface.h"
#include "plugin/plugin_state.h"
#include "templates/template_reader.h"

namespace {

constexpr int kViewUnknown = -1;

void reportUnreadableTemplate() {
    MessageBoxW(nullptr, L"Can not read template!\n", displayName, MB_OK);
}

// Sends the template's text to `view` one byte per append, each as soon as it is read.
// False when a read error cut the text short.
bool appendTemplateText(TemplateReader& reader, HWND view) {
    unsigned char byte = 0;
    while (readTemplateByte(reader, byte)) {
        SendMessageW(view, SCI_APPENDTEXT, 1, reinterpret_cast<LPARAM>(&byte));
    }
    return !reader.failed;
}

} // namespace

void insertTemplate(const char* path) {
    TemplateReader reader;
    if (!openTemplate(reader, path)) {
        reportUnreadableTemplate();
        return;
    }
    SendMessageW(hostHandles.nppHandle, NPPM_MENUCOMMAND, 0, IDM_FILE_NEW);
    int view = kViewUnknown;
    SendMessageW(hostHandles.nppHandle, NPPM_GETCURRENTSCINTILLA, 0,
                 reinterpret_cast<LPARAM>(&view));
    if (view == kViewUnknown) {
        closeTemplate(reader);
        return;
    }
    HWND target = view == 0 ? hostHandles.scintillaMainHandle : hostHandles.scintillaSecondHandle;
    SendMessageW(target, SCI_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    bool complete = appendTemplateText(reader, target);
    closeTemplate(reader);
    if (!complete) {
        reportUnreadableTemplate();
    }
}

void insertRoomTemplate() {
    insertTemplate("plugins\\tamrel_templates\\room.c");
}

void insertObjectTemplate() {
    insertTemplate("plugins\\tamrel_templates\\object.c");
}

void insertArmourTemplate() {
    insertTemplate("plugins\\tamrel_templates\\armour.c");
}

void insertWeaponTemplate() {
    insertTemplate("plugins\\tamrel_templates\\weapon.c");
}

void insertNpcTemplate() {
    insertTemplate("plugins\\tamrel_templates\\npc.c");
}
