#include "TraceViewerWindow.h"

#include <commctrl.h>

#include <atomic>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace tallow {

namespace {

const UINT kRecordsArrived = WM_APP + 1;
enum ControlId { kFilterOn = 101, kLevel, kTag, kTypes, kApply, kClear, kList = 110 };
const int kBarHeight = 34;

struct TColumn {
    const char* title;
    int width;
};
const TColumn kColumns[] = {{"Time", 96}, {"Process", 64}, {"Thread", 64}, {"Tag", 80}, {"Text", 560}};

// "0 3 5" or "0,3,5": the message types that pass; none: every type. Words
// that are no type number (or out of range) are skipped.
std::uint16_t ParseTypes(const std::string& text) {
    std::uint16_t bits = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find_first_of(" ,;\t", at);
        const std::string word = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
        at = end == std::string::npos ? text.size() : end + 1;
        char* stop = nullptr;
        const long type = std::strtol(word.c_str(), &stop, 10);
        if (!word.empty() && *stop == '\0' && type >= 0 && type <= 15) {
            bits = std::uint16_t(bits | (1u << type));
        }
    }
    return bits;
}

class TViewerWindow {
  public:
    explicit TViewerWindow(TTraceViewerQueue& queue) : queue_(queue) {}

    bool Create(HINSTANCE instance, int show) {
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = Proc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hIcon = LoadIcon(nullptr, IDI_INFORMATION);
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        wc.lpszClassName = "TraceViewerWindow";
        RegisterClassExA(&wc);
        hwnd_ = CreateWindowExA(0, wc.lpszClassName, "Trace Viewer", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                CW_USEDEFAULT, CW_USEDEFAULT, 900, 520, nullptr, nullptr, instance, this);
        if (!hwnd_) {
            return false;
        }
        ShowWindow(hwnd_, show);
        reader_ = std::thread([this] { Read(); });
        return true;
    }

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_NCCREATE) {
            auto* self = static_cast<TViewerWindow*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
            self->hwnd_ = hwnd;
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
        auto* self = reinterpret_cast<TViewerWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        return self ? self->OnMessage(msg, wp, lp) : DefWindowProcA(hwnd, msg, wp, lp);
    }

    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
        switch (msg) {
            case WM_CREATE:
                CreateControls();
                return 0;
            case WM_SIZE:
                Layout(LOWORD(lp), HIWORD(lp));
                return 0;
            case WM_COMMAND:
                OnCommand(LOWORD(wp));
                return 0;
            case WM_NOTIFY:
                return OnNotify(reinterpret_cast<NMHDR*>(lp));
            case kRecordsArrived:
                ShowArrived();
                return 0;
            case WM_DESTROY:
                stop_ = true;
                if (reader_.joinable()) {
                    reader_.join();
                }
                PostQuitMessage(0);
                return 0;
        }
        return DefWindowProcA(hwnd_, msg, wp, lp);
    }

    //--- Controls ---------------------------------------------------------------------------------------

    HWND Child(const char* cls, const char* text, DWORD style, int id, DWORD exStyle = 0) {
        HWND child = CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, hwnd_,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
        return child;
    }

    void CreateControls() {
        NONCLIENTMETRICSA metrics = {};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        font_ = CreateFontIndirectA(&metrics.lfMessageFont);
        filterOn_ = Child("BUTTON", "Filter", BS_AUTOCHECKBOX | WS_TABSTOP, kFilterOn);
        levelLabel_ = Child("STATIC", "Level", SS_RIGHT, 0);
        level_ = Child("EDIT", "3", ES_NUMBER | WS_TABSTOP, kLevel, WS_EX_CLIENTEDGE);
        tagLabel_ = Child("STATIC", "Tag", SS_RIGHT, 0);
        tag_ = Child("EDIT", "", WS_TABSTOP, kTag, WS_EX_CLIENTEDGE);
        SendMessageA(tag_, EM_LIMITTEXT, kTraceTagSize, 0);
        typesLabel_ = Child("STATIC", "Types", SS_RIGHT, 0);
        types_ = Child("EDIT", "", WS_TABSTOP, kTypes, WS_EX_CLIENTEDGE);
        apply_ = Child("BUTTON", "Apply", BS_DEFPUSHBUTTON | WS_TABSTOP, kApply);
        clear_ = Child("BUTTON", "Clear", BS_PUSHBUTTON | WS_TABSTOP, kClear);
        list_ = Child(WC_LISTVIEWA, "", LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | WS_TABSTOP, kList,
                      WS_EX_CLIENTEDGE);
        ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_GRIDLINES);
        for (int i = 0; i < 5; ++i) {
            LVCOLUMNA column = {};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.pszText = const_cast<char*>(kColumns[i].title);
            column.cx = kColumns[i].width;
            SendMessageA(list_, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
        }
    }

    void Layout(int width, int height) {
        const int y = 7, h = 22;
        int x = 8;
        const auto place = [&](HWND control, int w) {
            MoveWindow(control, x, control == levelLabel_ || control == tagLabel_ || control == typesLabel_ ? y + 3 : y,
                       w, h, TRUE);
            x += w + 6;
        };
        place(filterOn_, 60);
        place(levelLabel_, 34);
        place(level_, 36);
        place(tagLabel_, 28);
        place(tag_, 90);
        place(typesLabel_, 38);
        place(types_, 80);
        place(apply_, 70);
        place(clear_, 70);
        MoveWindow(list_, 0, kBarHeight, width, height > kBarHeight ? height - kBarHeight : 0, TRUE);
    }

    void OnCommand(int id) {
        if (id == kApply || id == IDOK) {
            PublishFilter();
        } else if (id == kClear) {
            shown_.clear();
            ListView_SetItemCountEx(list_, 0, 0);
            UpdateTitle();
        }
    }

    std::string Text(HWND control) const {
        char buffer[64] = {};
        GetWindowTextA(control, buffer, sizeof buffer);
        return buffer;
    }

    void PublishFilter() {
        TTraceFilter filter;
        filter.Enabled = SendMessageA(filterOn_, BM_GETCHECK, 0, 0) == BST_CHECKED;
        filter.Level = std::atoi(Text(level_).c_str());
        filter.Tag = Text(tag_);
        filter.MessageTypes = ParseTypes(Text(types_));
        queue_.Publish(filter);
    }

    //--- Records ----------------------------------------------------------------------------------------

    // The reader thread: takes records from the queue and hands them to the window.
    void Read() {
        while (!stop_) {
            std::vector<TTraceRecordFields> records = queue_.WaitAndTake(100);
            if (records.empty()) {
                continue;
            }
            {
                std::lock_guard<std::mutex> lock(pendingMutex_);
                for (auto& record : records) {
                    pending_.push_back(std::move(record));
                }
            }
            PostMessageA(hwnd_, kRecordsArrived, 0, 0);
        }
    }

    void ShowArrived() {
        {
            std::lock_guard<std::mutex> lock(pendingMutex_);
            for (auto& record : pending_) {
                shown_.push_back({FormatTraceTime(record.timeStamp), std::to_string(record.processId),
                                  std::to_string(record.threadId), record.tag, std::move(record.text)});
            }
            pending_.clear();
        }
        ListView_SetItemCountEx(list_, int(shown_.size()), LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
        if (!shown_.empty()) {
            ListView_EnsureVisible(list_, int(shown_.size()) - 1, FALSE);
        }
        InvalidateRect(list_, nullptr, FALSE);
        UpdateTitle();
    }

    LRESULT OnNotify(NMHDR* header) {
        if (header->idFrom == kList && header->code == LVN_GETDISPINFOA) {
            LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(header)->item;
            if ((item.mask & LVIF_TEXT) && item.iItem >= 0 && std::size_t(item.iItem) < shown_.size() &&
                item.iSubItem >= 0 && item.iSubItem < 5) {
                lstrcpynA(item.pszText, shown_[item.iItem][item.iSubItem].c_str(), item.cchTextMax);
            }
        }
        return 0;
    }

    void UpdateTitle() {
        const std::string title = "Trace Viewer - " + std::to_string(shown_.size()) + " records";
        SetWindowTextA(hwnd_, title.c_str());
    }

    TTraceViewerQueue& queue_;
    HWND hwnd_ = nullptr;
    HFONT font_ = nullptr;
    HWND filterOn_ = nullptr, levelLabel_ = nullptr, level_ = nullptr, tagLabel_ = nullptr, tag_ = nullptr;
    HWND typesLabel_ = nullptr, types_ = nullptr, apply_ = nullptr, clear_ = nullptr, list_ = nullptr;
    std::vector<std::vector<std::string>> shown_;
    std::mutex pendingMutex_;
    std::deque<TTraceRecordFields> pending_;
    std::atomic<bool> stop_{false};
    std::thread reader_;
};

}  // namespace

int RunTraceViewerWindow(HINSTANCE instance, TTraceViewerQueue& queue, int show) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    TViewerWindow window(queue);
    if (!window.Create(instance, show)) {
        return 1;
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

}  // namespace tallow
