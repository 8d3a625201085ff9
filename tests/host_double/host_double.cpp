#include "host_double.h"

#include <cstring>

namespace {

// Scintilla messages the double uses for its own bookkeeping.
constexpr UINT SCI_GETLENGTH = 2006;
constexpr UINT SCI_SETDOCPOINTER = 2358;
constexpr UINT SCI_CREATEDOCUMENT = 2375;
constexpr UINT SCI_RELEASEDOCUMENT = 2377;
constexpr UINT SCI_GETCHARACTERPOINTER = 2520;

constexpr UINT kFirstScintillaMessage = 2000;
constexpr UINT kLastScintillaMessage = 4999;

const wchar_t kHostClass[] = L"TamrelHostDouble";
const wchar_t kCounterClass[] = L"TamrelByteCounter";

HostDouble* selfOf(HWND window) {
    // GWLP_USERDATA rather than a window property: under Wine every GetPropW is a round
    // trip to the server, which would dwarf the cost of the messages being measured.
    return reinterpret_cast<HostDouble*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK hostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    HostDouble* self = selfOf(window);
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->hostProc(window, message, wParam, lParam);
}

LRESULT CALLBACK mainViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return selfOf(window)->viewProc(kMainView, window, message, wParam, lParam);
}

LRESULT CALLBACK secondViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return selfOf(window)->viewProc(kSecondView, window, message, wParam, lParam);
}

void registerClass(const wchar_t* name, WNDPROC procedure) {
    WNDCLASSW windowClass = {};
    if (GetClassInfoW(GetModuleHandleW(nullptr), name, &windowClass)) {
        return;
    }
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = name;
    RegisterClassW(&windowClass);
}

HWND createChild(const wchar_t* windowClass, HWND parent, bool visible) {
    return CreateWindowExW(0, windowClass, L"", WS_CHILD | (visible ? WS_VISIBLE : 0), 0, 0, 400,
                           300, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

} // namespace

bool loadScintilla() {
    static HMODULE scintilla = nullptr;
    if (scintilla == nullptr) {
        wchar_t path[MAX_PATH];
        DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
        while (length > 0 && path[length - 1] != L'\\') {
            --length;
        }
        lstrcpyW(path + length, L"Scintilla.dll");
        scintilla = LoadLibraryW(path);
    }
    return scintilla != nullptr;
}

HostDouble::HostDouble(bool visible, ViewKind kind) : kind_(kind), visible_(visible) {
    registerClass(kHostClass, hostWindowProc);
    registerClass(kCounterClass, DefWindowProcW);
    const wchar_t* viewClass = kind == ViewKind::scintilla ? L"Scintilla" : kCounterClass;
    window_ = CreateWindowExW(0, kHostClass, L"Tamrel Templates host", WS_OVERLAPPEDWINDOW,
                              CW_USEDEFAULT, CW_USEDEFAULT, 900, 600, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    const WNDPROC procs[2] = {mainViewProc, secondViewProc};
    for (int i = 0; i < 2; ++i) {
        views_[i] = createChild(viewClass, window_, visible);
        SetWindowLongPtrW(views_[i], GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        viewClassProcs_[i] = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(views_[i], GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procs[i])));
    }
    if (kind == ViewKind::scintilla) {
        reader_ = createChild(viewClass, window_, false);
    }
    if (visible) {
        ShowWindow(window_, SW_SHOW);
    }
}

HostDouble::~HostDouble() {
    for (const Document& document : documents_) {
        if (document.pointer != 0) {
            ownSend(reader_, SCI_RELEASEDOCUMENT, 0, document.pointer);
        }
    }
    for (int i = 0; i < 2; ++i) {
        SetWindowLongPtrW(views_[i], GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(viewClassProcs_[i]));
        SetWindowLongPtrW(views_[i], GWLP_USERDATA, 0);
    }
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

NppData HostDouble::handles() const {
    return NppData{window_, views_[kMainView], views_[kSecondView]};
}

HWND HostDouble::window() const {
    return window_;
}

HWND HostDouble::view(int index) const {
    return views_[index];
}

void HostDouble::setCurrentView(int view) {
    currentView_ = view;
}

void HostDouble::setRecording(bool on) {
    recording_ = on;
}

const std::vector<ReceivedMessage>& HostDouble::messages() const {
    return messages_;
}

void HostDouble::clearMessages() {
    messages_.clear();
}

std::size_t HostDouble::documentCount() const {
    return documents_.size();
}

int HostDouble::documentView(std::size_t index) const {
    return documents_.at(index).view;
}

std::string HostDouble::documentText(std::size_t index) const {
    ownSend(reader_, SCI_SETDOCPOINTER, 0, documents_.at(index).pointer);
    std::string text = textOf(reader_);
    ownSend(reader_, SCI_SETDOCPOINTER, 0, 0);
    return text;
}

std::string HostDouble::viewText(int view) const {
    return textOf(views_[view]);
}

std::size_t HostDouble::countedBytes(int view) const {
    return counted_[view];
}

std::string HostDouble::textOf(HWND scintilla) const {
    auto length = static_cast<std::size_t>(ownSend(scintilla, SCI_GETLENGTH, 0, 0));
    auto bytes = reinterpret_cast<const char*>(ownSend(scintilla, SCI_GETCHARACTERPOINTER, 0, 0));
    return std::string(bytes, length);
}

LRESULT HostDouble::ownSend(HWND target, UINT message, WPARAM wParam, LPARAM lParam) const {
    ++ownSends_;
    LRESULT result = SendMessageW(target, message, wParam, lParam);
    --ownSends_;
    return result;
}

void HostDouble::record(ReceivedMessage message) {
    if (recording_) {
        messages_.push_back(message);
    }
    if (onMessage) {
        onMessage(message);
    }
}

// Like the real host: a new empty document, current in the current view.
void HostDouble::openNewDocument() {
    int view = currentView_ == kSecondView ? kSecondView : kMainView;
    if (kind_ == ViewKind::byteCounter) {
        counted_[view] = 0;
        documents_.push_back(Document{view, 0});
        return;
    }
    auto document = static_cast<std::intptr_t>(ownSend(views_[view], SCI_CREATEDOCUMENT, 0, 0));
    ownSend(views_[view], SCI_SETDOCPOINTER, 0, document);
    documents_.push_back(Document{view, document});
}

LRESULT HostDouble::hostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT handled = 0;
    if (onWindowMessage && onWindowMessage(message, wParam, lParam, handled)) {
        return handled;
    }
    switch (message) {
    case NPPM_MENUCOMMAND:
        if (lParam == IDM_FILE_NEW) {
            openNewDocument();
        }
        record({MessageTarget::host, message, wParam, lParam, {}});
        return TRUE;
    case NPPM_GETCURRENTSCINTILLA:
        if (currentView_ != kViewUnknown) {
            *reinterpret_cast<int*>(lParam) = currentView_;
        }
        record({MessageTarget::host, message, wParam, lParam, {}});
        return TRUE;
    case WM_SIZE: {
        int width = LOWORD(lParam);
        int height = HIWORD(lParam);
        MoveWindow(views_[kMainView], 0, 0, width / 2, height, TRUE);
        MoveWindow(views_[kSecondView], width / 2, 0, width - width / 2, height, TRUE);
        return 0;
    }
    default:
        if (message >= WM_USER && message < WM_APP) {
            record({MessageTarget::host, message, wParam, lParam, {}});
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT HostDouble::viewProc(int view, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (kind_ == ViewKind::byteCounter && message == SCI_APPENDTEXT) {
        counted_[view] += wParam;
    } else if (kind_ == ViewKind::byteCounter && message == SCI_SETTEXT) {
        counted_[view] = std::strlen(reinterpret_cast<const char*>(lParam));
    }
    if (visible_ && message == WM_SETFOCUS) {
        currentView_ = view;
    }
    LRESULT result = CallWindowProcW(viewClassProcs_[view], window, message, wParam, lParam);
    if (ownSends_ > 0 || message < kFirstScintillaMessage || message > kLastScintillaMessage) {
        return result;
    }
    ReceivedMessage received{view == kMainView ? MessageTarget::mainView
                                               : MessageTarget::secondView,
                             message,
                             wParam,
                             lParam,
                             {}};
    if (message == SCI_APPENDTEXT) {
        received.bytes.assign(reinterpret_cast<const char*>(lParam), wParam);
    } else if (message == SCI_SETTEXT) {
        received.bytes = reinterpret_cast<const char*>(lParam);
    }
    record(received);
    return result;
}
