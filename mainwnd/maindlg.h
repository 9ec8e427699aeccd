// CMainDlg: the main window. It sets up and releases the process-wide state, filters keys,
// owns the status line, the tray icon and the global hotkey, and turns row clicks into
// click-to-copy.
#pragma once

#include "framework/afxwin.h"
#include "framework/global_hotkey.h"
#include "hotlist/hotlistbox.h"
#include "mainwnd/clickcounter.h"
#include "mainwnd/hotlistsearch.h"
#include "mainwnd/previouswindow.h"
#include "mainwnd/searchbox.h"
#include "store/rowquery.h"

#include <memory>

class CMainDlg : public CDialog {
public:
    explicit CMainDlg(CWnd* pParent = nullptr);
    ~CMainDlg() override;
    // Started with Windows: comes up minimised with its tray icon, leaving the focus where it is.
    void StartMinimised() { m_startMinimised = true; }

    // Timers of the main window; each fires once per arming.
    static constexpr UINT_PTR kLoadTimer = 1;  // loads the hot list after start-up
    static constexpr UINT kLoadDelayMs = 100;
    static constexpr UINT kLoadRetryDelayMs = 1000;  // and again while another program keeps it out
    static constexpr UINT_PTR kStatusTimer = 2;  // puts "就绪" back after a copy
    static constexpr UINT kStatusDelayMs = 1000;
    static constexpr UINT_PTR kCountRetryTimer = 3;  // writes the click counts another program held up
    static constexpr UINT kCountRetryDelayMs = 1000;
    static constexpr UINT_PTR kPasteTimer = 4;  // looks whether the window pasted into is in front
    static constexpr UINT kPasteTickMs = 20;
    static constexpr int kPasteTicks = 50;  // a second at most

    void SetStatusText(const CString& text);
    // Adds (NIM_ADD) or removes (NIM_DELETE) the notification-area icon; the shell's result.
    BOOL NotifyTray(DWORD action);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;

    // Fills the list with one row per item, in the order the clause gives; how the reading ended.
    virtual RowQueryEnd LoadHotList(CHotListBox& list, CString clause);
    // Copies an item's content to the clipboard and counts the click.
    virtual void CopyItem(int id);

    void OnPaint();
    HICON OnQueryDragIcon();
    void OnAbout();
    void OnOptions();
    void OnItems();
    void OnDestroy();
    void OnExit();
    void OnTimer(UINT_PTR nIDEvent);

    CHotListBox m_list;
    CSearchBox m_search;
    HICON m_hIcon;

private:
    // The longest the start-up check and each try of the hot list wait for another program's
    // lock: the window answers meanwhile, and the list is tried again later.
    static constexpr int kListWaitMs = 200;

    // Start-up cannot go on: tells the user, and ends the program with exit code -1.
    BOOL RefuseToStart(LPCWSTR warning);
    // Loads the hot list and says in the status line how that went; arms the retry when busy.
    void ShowHotList();
    // Writes the kept click counts; arms the retry timer when some must wait.
    void WriteClickCounts();
    // The list follows the search box's committed text.
    void OnSearchChange();
    LRESULT OnSearchComposed(WPARAM, LPARAM);
    // After a copy, with the setting on: back to the window the user came from, and Ctrl+V there.
    void PasteBack();
    void OnPasteTick();
    // The paste did not happen: the window comes back and says why; the text stays on the clipboard.
    void SayPasteFailure(LPCWSTR text);
    // A key pressed in the search box: true when it was the search's (moving, copying, clearing).
    bool HandleSearchKey(WPARAM key);
    void OnTrayNotify(WPARAM wParam, LPARAM lParam);
    void OpenTrayMenu();
    // Registers the stored hotkey; one that cannot be had is said in the status line.
    void StartHotkey();
    LRESULT OnHotKey(WPARAM id, LPARAM);

    // The shell broadcasts this when it has re-created the notification area.
    UINT m_uTaskbarCreated;
    // Between start-up adding the icon and teardown removing it.
    bool m_bTrayIconWanted = false;
    bool m_startMinimised = false;
    // CoUninitialize only balances a CoInitialize that took effect.
    bool m_bComInitialized = false;
    // Reads contents and counts clicks without making a click wait on another program.
    CClickCounter m_clicks;
    CHotListSearch m_hotSearch;
    std::unique_ptr<CPreviousWindow> m_previous;
    HWND m_pasteTarget = nullptr;  // while waiting for it to come to the front
    int m_pasteTicks = 0;
    // Brings the window up from any program; replaced by the options, released at teardown.
    CGlobalHotkey m_hotkey;
    // Why the stored hotkey is not in effect; the status line says it until a copy says more.
    CString m_hotkeyNotice;

    DECLARE_MESSAGE_MAP()
};
