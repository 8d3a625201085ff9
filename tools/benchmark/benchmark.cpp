// Measures what the plug-in costs of its own, beside what the host and its editing
// component cost anyway, and prints one table:
//   1. insertion time per byte: the Room command against the host sending the same bytes
//      itself, one SCI_APPENDTEXT each, into the same kind of view (rounds interleaved);
//   2. the plug-in's peak memory while inserting a small and a large template into a view
//      that only counts bytes, so the document's own growth does not show;
//   3. load time, from LoadLibrary to a filled command table;
//   4. the DLL's size on disk.
#include "host_double.h"
#include "plugin_library.h"
#include "support/process_resources.h"
#include "support/scratch_directory.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kKiB = 1024;
constexpr std::size_t kMiB = 1024 * kKiB;
constexpr double kRatioTarget = 1.05;
constexpr std::size_t kMemoryTarget = 64 * kKiB;
constexpr double kLoadTargetMs = 1.0;
constexpr std::size_t kSizeTarget = 100 * kKiB;

double nowSeconds() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER value;
        QueryPerformanceFrequency(&value);
        return value;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

const char* verdict(bool met) {
    return met ? "met" : "MISSED";
}

// Script-like text with CR LF line ends, as templates saved on Windows have; `text` gets
// what text-mode reading makes of it, the bytes the view receives.
std::string makeTemplate(std::size_t size, std::string& text) {
    static const char kLine[] = "    set_long(\"Bare walls of grey stone surround you.\");\r\n";
    std::string file;
    while (file.size() < size) {
        file.append(kLine, std::min(sizeof kLine - 1, size - file.size()));
    }
    text.clear();
    for (std::size_t i = 0; i < file.size(); ++i) {
        bool pair = file[i] == '\r' && i + 1 < file.size() && file[i + 1] == '\n';
        text += pair ? '\n' : file[i];
        i += pair ? 1 : 0;
    }
    return file;
}

PluginCommand roomCommand(PluginLibrary& plugin) {
    int count = 0;
    return plugin.getFuncsArray(&count)[0].pFunc;
}

// What the host would do without the plug-in: the same messages, bytes from memory.
void sendLikeThePlugin(HostDouble& host, const std::string& text) {
    NppData handles = host.handles();
    SendMessageW(handles.nppHandle, NPPM_MENUCOMMAND, 0, IDM_FILE_NEW);
    int view = -1;
    SendMessageW(handles.nppHandle, NPPM_GETCURRENTSCINTILLA, 0, reinterpret_cast<LPARAM>(&view));
    HWND target = view == 0 ? handles.scintillaMainHandle : handles.scintillaSecondHandle;
    SendMessageW(target, SCI_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    for (char byte : text) {
        SendMessageW(target, SCI_APPENDTEXT, 1, reinterpret_cast<LPARAM>(&byte));
    }
}

void appendAtOnce(HostDouble& host, const std::string& text) {
    NppData handles = host.handles();
    SendMessageW(handles.nppHandle, NPPM_MENUCOMMAND, 0, IDM_FILE_NEW);
    SendMessageW(handles.scintillaMainHandle, SCI_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    SendMessageW(handles.scintillaMainHandle, SCI_APPENDTEXT, text.size(),
                 reinterpret_cast<LPARAM>(text.data()));
}

void measureInsertion(PluginLibrary& plugin, const ScratchDirectory& scratch, std::size_t size,
                      int rounds) {
    std::string text;
    scratch.writeFile(templatePath("room.c"), makeTemplate(size, text));
    HostDouble host;
    host.setRecording(false);
    plugin.setInfo(host.handles());
    PluginCommand room = roomCommand(plugin);

    std::vector<double> pluginTimes, bareTimes, onceTimes;
    for (int round = 0; round < rounds; ++round) {
        for (int turn = 0; turn < 2; ++turn) {
            bool pluginTurn = (round + turn) % 2 == 0; // alternate which goes first
            double start = nowSeconds();
            pluginTurn ? room() : sendLikeThePlugin(host, text);
            double elapsed = nowSeconds() - start;
            (pluginTurn ? pluginTimes : bareTimes).push_back(elapsed);
            if (host.viewText(kMainView).size() != text.size()) {
                std::printf("  (the view holds %zu bytes, expected %zu)\n",
                            host.viewText(kMainView).size(), text.size());
            }
        }
        double start = nowSeconds();
        appendAtOnce(host, text);
        onceTimes.push_back(nowSeconds() - start);
    }
    double perBytePlugin = median(pluginTimes) / static_cast<double>(text.size()) * 1e6;
    double perByteBare = median(bareTimes) / static_cast<double>(text.size()) * 1e6;
    double ratio = perBytePlugin / perByteBare;
    std::printf("| insertion, %4zu KiB template (%d rounds) | plug-in %.2f us/byte, bare loop "
                "%.2f us/byte: ratio %.3f; one append of all %.2f ms | ratio <= %.2f | %s |\n",
                size / kKiB, rounds, perBytePlugin, perByteBare, ratio, median(onceTimes) * 1e3,
                kRatioTarget, verdict(ratio <= kRatioTarget));
}

// Peak private bytes above the level before the command, sampled as the bytes arrive.
std::size_t peakGrowth(PluginLibrary& plugin, const ScratchDirectory& scratch, std::size_t size) {
    std::string chunk(64 * kKiB, 'x');
    for (std::size_t i = 0; i < chunk.size(); i += 64) {
        chunk[i] = '\n';
    }
    scratch.writeFile(templatePath("room.c"), "");
    HANDLE out = CreateFileA(templatePath("room.c").c_str(), GENERIC_WRITE, 0, nullptr,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    for (std::size_t written = 0; written < size; written += std::min(size, chunk.size())) {
        DWORD count = 0;
        WriteFile(out, chunk.data(), static_cast<DWORD>(std::min(size, chunk.size())), &count,
                  nullptr);
    }
    CloseHandle(out);

    HostDouble host(false, ViewKind::byteCounter);
    host.setRecording(false);
    plugin.setInfo(host.handles());
    PluginCommand room = roomCommand(plugin);
    std::size_t baseline = privateBytes();
    std::size_t peak = baseline;
    host.onMessage = [&](const ReceivedMessage&) {
        if (host.countedBytes(kMainView) % (64 * kKiB) == 0) {
            peak = std::max(peak, privateBytes());
        }
    };
    room();
    peak = std::max(peak, privateBytes());
    if (host.countedBytes(kMainView) != size) {
        std::printf("  (the view counted %zu bytes, expected %zu)\n", host.countedBytes(kMainView),
                    size);
    }
    return peak - baseline;
}

// A control for the method: what holding the whole 16 MiB template in memory would show.
std::size_t heldTemplateGrowth() {
    std::size_t baseline = privateBytes();
    std::string held(16 * kMiB, 'x');
    std::size_t growth = privateBytes() - baseline;
    return held.empty() ? 0 : growth;
}

void measureMemory(PluginLibrary& plugin, const ScratchDirectory& scratch) {
    peakGrowth(plugin, scratch, kKiB); // settles what the first use allocates once
    std::size_t small = peakGrowth(plugin, scratch, kKiB);
    std::size_t large = peakGrowth(plugin, scratch, 16 * kMiB);
    std::size_t difference = large > small ? large - small : 0;
    std::printf("| memory, peak private bytes while inserting | 1 KiB template +%zu KiB, 16 MiB "
                "template +%zu KiB: difference %zu KiB (control: holding the 16 MiB in memory "
                "shows +%zu KiB) | < %zu KiB | %s |\n",
                small / kKiB, large / kKiB, difference / kKiB, heldTemplateGrowth() / kKiB,
                kMemoryTarget / kKiB, verdict(difference < kMemoryTarget));
}

void measureLoading(const HostDouble& host) {
    constexpr int kLoads = 200;
    std::vector<double> times;
    for (int i = 0; i < kLoads; ++i) {
        double start = nowSeconds();
        PluginLibrary plugin = loadPlugin();
        plugin.getName();
        plugin.setInfo(host.handles());
        int count = 0;
        plugin.getFuncsArray(&count);
        times.push_back(nowSeconds() - start);
        unloadPlugin(plugin);
    }
    double first = times.front() * 1e3;
    double typical = median(times) * 1e3;
    std::printf("| loading, LoadLibrary to a filled command table | median %.3f ms over %d loads "
                "(first %.3f ms) | < %.0f ms | %s |\n",
                typical, kLoads, first, kLoadTargetMs, verdict(typical < kLoadTargetMs));
}

void measureSize() {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExW(pluginPath().c_str(), GetFileExInfoStandard, &data);
    std::size_t size = data.nFileSizeLow;
    std::printf("| TamrelTemplates.dll on disk | %zu bytes (%.1f KiB) | < %zu KiB | %s |\n", size,
                static_cast<double>(size) / kKiB, kSizeTarget / kKiB, verdict(size < kSizeTarget));
}

const char* wineVersion() {
    using Version = const char*(CDECL*)();
    auto version = reinterpret_cast<Version>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")));
    return version ? version() : "none (Windows)";
}

} // namespace

int main() {
    if (!loadScintilla()) {
        std::fprintf(stderr, "benchmark: Scintilla.dll could not be loaded\n");
        return 1;
    }
    ScratchDirectory scratch;
    {
        HostDouble loadingHost;
        std::printf("Tamrel Templates benchmark, %s, Wine %s\n\n",
                    sizeof(void*) == 8 ? "x64" : "x86", wineVersion());
        std::printf("| measure | result | target | |\n|---|---|---|---|\n");
        measureLoading(loadingHost);
    }
    PluginLibrary plugin = loadPlugin();
    if (plugin.module == nullptr) {
        std::fprintf(stderr, "benchmark: %s\n", plugin.error.c_str());
        return 1;
    }
    measureInsertion(plugin, scratch, 64 * kKiB, 9);
    measureInsertion(plugin, scratch, kMiB, 5);
    measureMemory(plugin, scratch);
    measureSize();
    unloadPlugin(plugin);
    return 0;
}
