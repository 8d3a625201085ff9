// Reads a template file as text, one byte at a time, with the same rules on every target
// and whatever C runtime is linked: a CR LF pair reads as LF, a lone CR stays CR, a 0x1A
// byte ends the content, and every other byte (0x00 and 0xFF included) reads unchanged.
#pragma once

#include <windows.h>

constexpr DWORD kTemplateChunkSize = 4096;

// A template open for reading. The fixed chunk keeps memory use independent of the
// template's size.
struct TemplateReader {
    HANDLE file;
    DWORD chunkLength;
    DWORD chunkPosition;
    bool ended;  // end of file or the 0x1A end marker was met
    bool failed; // a read error was met; what came before it was delivered
    unsigned char chunk[kTemplateChunkSize];
};

// Opens `path` (a narrow path in the system code page) for reading, letting other programs
// read, write, rename or delete the file meanwhile. False when it cannot be opened.
bool openTemplate(TemplateReader& reader, const char* path);

// The next byte of the template's text; false at its end or at a read error.
bool readTemplateByte(TemplateReader& reader, unsigned char& byte);

void closeTemplate(TemplateReader& reader);
