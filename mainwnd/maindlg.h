// CMainDlg: the main window. It sets up and releases the process-wide state, filters keys,
// owns the status line, the tray icon and the global hotkey, and turns row clicks into
// click-to-copy.
#pragma once

#include "framework/afxwin.h"
#include "framework/global_hotkey.h"
#include "hotlist/hotlistbox.h"
#include "mainwnd/clickcounter.h"
#include "mainwnd/hotlistsearch.h"
#include "mainwnd/searchbox.h"
#include "store/rowquery.h"

class CMainDlg : public CDialog {
public:
    explicit CMainDlg(CWnd* pParent = nullptr);
    ~CMainDlg() override;

    // Timers of the main window; each fires once per arming.
    static constexpr UINT_PTR kLoadTimer = 1;  // loads the hot list after start-up
    static constexpr UINT kLoadDelayMs = 100;
    static constexpr UINT kLoadRetryDelayMs = 1000;  // and again while another program keeps it out
    static constexpr UINT_PTR kStatusTimer = 2;  // puts "就绪" back after a copy
    static constexpr UINT kStatusDelayMs = 1000;
    static constexpr UINT_PTR kCountRetryTimer = 3;  // writes the click counts another program held up
    static constexpr UINT kCountRetryDelayMs = 1000;

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
    // CoUninitialize only balances a CoInitialize that took effect.
    bool m_bComInitialized = false;
    // Reads contents and counts clicks without making a click wait on another program.
    CClickCounter m_clicks;
    CHotListSearch m_hotSearch;
    // Brings the window up from any program; replaced by the options, released at teardown.
    CGlobalHotkey m_hotkey;
    // Why the stored hotkey is not in effect; the status line says it until a copy says more.
    CString m_hotkeyNotice;

    DECLARE_MESSAGE_MAP()
};
