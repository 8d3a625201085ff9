#include "templates/template_reader.h"

namespace {

constexpr unsigned char kEndOfText = 0x1A;

// Takes the next raw byte without consuming it; refills the chunk when it is used up.
bool peekRawByte(TemplateReader& reader, unsigned char& byte) {
    if (reader.ended || reader.failed) {
        return false;
    }
    if (reader.chunkPosition == reader.chunkLength) {
        DWORD count = 0;
        if (!ReadFile(reader.file, reader.chunk, kTemplateChunkSize, &count, nullptr)) {
            reader.failed = true;
            return false;
        }
        reader.chunkLength = count;
        reader.chunkPosition = 0;
        if (count == 0) {
            reader.ended = true;
            return false;
        }
    }
    byte = reader.chunk[reader.chunkPosition];
    return true;
}

} // namespace

bool openTemplate(TemplateReader& reader, const char* path) {
    reader.file =
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    reader.chunkLength = 0;
    reader.chunkPosition = 0;
    reader.ended = false;
    reader.failed = false;
    return reader.file != INVALID_HANDLE_VALUE;
}

bool readTemplateByte(TemplateReader& reader, unsigned char& byte) {
    if (!peekRawByte(reader, byte)) {
        return false;
    }
    ++reader.chunkPosition;
    if (byte == kEndOfText) {
        reader.ended = true;
        return false;
    }
    unsigned char next = 0;
    // The CR is already taken, so a refill while looking past it loses nothing. A read
    // error there still delivers the CR; the error ends the text on the next call.
    if (byte == '\r' && peekRawByte(reader, next) && next == '\n') {
        ++reader.chunkPosition;
        byte = '\n';
    }
    return true;
}

void closeTemplate(TemplateReader& reader) {
    CloseHandle(reader.file);
    reader.file = INVALID_HANDLE_VALUE;
}
