// Filling a new document of the host from a template file.
#pragma once

// Opens a new document in the host's current view and fills it with the text of the
// template at `path`, relative to the process's current directory. Shows "Can not read
// template!" when the file cannot be opened or a read fails part-way; nothing appended
// before a failure is taken back.
void insertTemplate(const char* path);

// The template menu commands, each with its fixed template path.
void insertRoomTemplate();
void insertObjectTemplate();
void insertArmourTemplate();
void insertWeaponTemplate();
void insertNpcTemplate();
