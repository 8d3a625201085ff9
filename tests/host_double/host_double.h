// A stand-in for the host editor: a real top-level window that answers the host messages
// the plug-in sends, with two real Scintilla views below it. Every message that reaches
// the host window or a view from outside is recorded, in arrival order, so a test can
// check the plug-in's exact protocol.
#pragma once

#include "host/host_interface.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum class MessageTarget { host, mainView, secondView };

struct ReceivedMessage {
    MessageTarget target;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::string bytes; // SCI_APPENDTEXT: the bytes appended; SCI_SETTEXT: the text set
};

// What stands in for the editing views: the real Scintilla, or a window that only counts
// the bytes appended to it, so that measurements do not include a document's own growth.
enum class ViewKind { scintilla, byteCounter };

constexpr int kMainView = 0;
constexpr int kSecondView = 1;
constexpr int kViewUnknown = -1; // NPPM_GETCURRENTSCINTILLA leaves the integer untouched

// Loads Scintilla.dll from this program's folder, which registers the "Scintilla" window
// class. Safe to call more than once; false when the library cannot be loaded.
bool loadScintilla();

class HostDouble {
  public:
    // `visible` shows the window for a person; tests keep it hidden.
    explicit HostDouble(bool visible = false, ViewKind kind = ViewKind::scintilla);
    ~HostDouble();
    HostDouble(const HostDouble&) = delete;
    HostDouble& operator=(const HostDouble&) = delete;

    NppData handles() const;
    HWND window() const;
    HWND view(int index) const;

    // What NPPM_GETCURRENTSCINTILLA reports: kMainView, kSecondView or kViewUnknown. In a
    // visible double, clicking into a view makes it current, as in the editor.
    void setCurrentView(int view);
    // Recording can be switched off where millions of appends would only cost memory.
    void setRecording(bool on);

    const std::vector<ReceivedMessage>& messages() const;
    void clearMessages();

    // Documents created for IDM_FILE_NEW, in creation order.
    std::size_t documentCount() const;
    int documentView(std::size_t index) const;
    // Scintilla views only: byte-counting views keep no text.
    std::string documentText(std::size_t index) const;
    // The text of the document a view currently shows (Scintilla views only).
    std::string viewText(int view) const;
    // Bytes a byte-counting view holds: set by SCI_SETTEXT, grown by SCI_APPENDTEXT.
    std::size_t countedBytes(int view) const;

    // Called after each recorded message has been handled.
    std::function<void(const ReceivedMessage&)> onMessage;
    // Gets first look at every message of the host window (a menu bar's WM_COMMAND, say);
    // returns true when it handled the message.
    std::function<bool(UINT, WPARAM, LPARAM, LRESULT&)> onWindowMessage;

    // Internal: the window procedures' entry points.
    LRESULT hostProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT viewProc(int view, HWND, UINT, WPARAM, LPARAM);

  private:
    struct Document {
        int view;
        std::intptr_t pointer;
    };

    LRESULT ownSend(HWND target, UINT message, WPARAM wParam, LPARAM lParam) const;
    void record(ReceivedMessage message);
    void openNewDocument();
    std::string textOf(HWND scintilla) const;

    HWND window_ = nullptr;
    HWND views_[2] = {};
    WNDPROC viewClassProcs_[2] = {};
    HWND reader_ = nullptr; // hidden Scintilla view that reads documents no view shows
    ViewKind kind_;
    bool visible_;
    std::size_t counted_[2] = {};
    int currentView_ = kMainView;
    bool recording_ = true;
    mutable int ownSends_ = 0; // while non-zero, messages come from the double itself
    std::vector<ReceivedMessage> messages_;
    std::vector<Document> documents_;
};
