// CMainDlg: the main window. It mediates between the pieces it owns (the program-wide objects, the
// tray icon, the status line, the paste-back, the global hotkey) and the hot list: the list's load
// and reloads, the key filter, and click-to-copy.
#pragma once

#include "framework/afxwin.h"
#include "framework/global_hotkey.h"
#include "hotlist/hotlistbox.h"
#include "items/teamsync.h"
#include "mainwnd/clickcounter.h"
#include "mainwnd/hotlistloader.h"
#include "mainwnd/hotlistsearch.h"
#include "mainwnd/pasteback.h"
#include "mainwnd/previouswindow.h"
#include "mainwnd/programobjects.h"
#include "mainwnd/searchbox.h"
#include "mainwnd/statusline.h"
#include "mainwnd/trayicon.h"
#include "mainwnd/windowsize.h"
#include "store/changestamp.h"
#include "store/rowquery.h"

#include <functional>
#include <memory>
#include <optional>

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
    static constexpr UINT_PTR kStatusTimer = 2;  // puts the standing text back after a copy
    static constexpr UINT_PTR kCountRetryTimer = 3;  // writes the click counts another program held up
    static constexpr UINT kCountRetryDelayMs = 1000;
    static constexpr UINT_PTR kPasteTimer = 4;  // looks whether the window pasted into is in front

    void SetStatusText(const CString& text);
    // Adds (NIM_ADD) or removes (NIM_DELETE) the notification-area icon; the shell's result.
    BOOL NotifyTray(DWORD action);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;

    // Starts reading the hot list afresh, in heat order; the rows come as the loader hands them
    // over, the first screenful first. The list as it was stays until then, and when the reading
    // fails before it.
    virtual void LoadHotList(CHotListBox& list);
    // The first screenful of a load is in the list.
    virtual void OnFirstRowsShown() {}
    // The whole list has been read, or its reading ended short.
    virtual void OnHotListLoaded(RowQueryEnd end);
    // Copies an item's content to the clipboard and counts the click.
    virtual void CopyItem(int id);
    // Reads the list again when the table has changed since it was read (here or elsewhere).
    void ReloadIfChanged();

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
    CHotListLoader m_loader;
    CHotListSearch m_hotSearch;

private:
    // The longest the start-up check and each try of the hot list wait for another program's
    // lock: the window answers meanwhile, and the list is tried again later.
    static constexpr int kListWaitMs = 200;

    // Start-up cannot go on: tells the user, and ends the program with exit code -1.
    BOOL RefuseToStart(LPCWSTR warning);
    // Loads the hot list and says in the status line how that went; arms the retry when busy.
    void ShowHotList();
    // Takes the chunks the loader has read, and its end.
    LRESULT OnHotListChunks(WPARAM, LPARAM);
    void AddChunk(CHotListChunk chunk);
    // What the status line says when nothing else is said: the load, the list's trouble, the hotkey's.
    void UpdateStandingText();
    // Writes the kept click counts; arms the retry timer when some must wait.
    void WriteClickCounts();
    // The list follows the search box's committed text.
    void OnSearchChange();
    LRESULT OnSearchComposed(WPARAM, LPARAM);
    // Opens the menu of the entry at index (at a screen point; for the keyboard, below its text)
    // and follows what was chosen: a copy, or the list read again.
    void OpenRowMenu(int index, std::optional<POINT> at = std::nullopt);
    // A change made here would wait for the load's read of the file, the window standing still
    // meanwhile, and give up after a while: a load under way lets go of the file first (and no
    // other starts while the change is being made), and the list is read again once it is made.
    void StopLoadForChange();
    // Runs what may change the table (a dialog) with no load holding the file meanwhile, then shows
    // the table as it is.
    void RunChange(const std::function<void()>& change);
    // WM_CONTEXTMENU from the list or a row: the menu of the row under the point, or of the
    // highlighted one for the keyboard; false when it was not the list's.
    bool OnListContextMenu(HWND hWnd, LPARAM lParam);
    // A key pressed in the search box: true when it was the search's (moving, copying, clearing).
    bool HandleSearchKey(WPARAM key);
    void OnTrayNotify(WPARAM wParam, LPARAM lParam);
    // Registers the stored hotkey; one that cannot be had is said in the status line.
    void StartHotkey();
    LRESULT OnHotKey(WPARAM id, LPARAM);
    // Subscribes to the team file the settings name (or to none); reads it at once when readNow.
    void StartTeamSync(bool readNow);
    // The team file was read: its notice, and the list again when its items changed.
    LRESULT OnTeamSynced(WPARAM, LPARAM);

    CProgramObjects m_objects;
    CTrayIcon m_tray;
    CMainWindowSize m_size;
    CStatusLine m_status;
    CPasteBack m_paste;
    bool m_startMinimised = false;
    CString m_dbPath;
    // The table as the list last read it whole; a reload follows a change of it.
    std::optional<CDatabaseStamp> m_loadedStamp;
    std::optional<CDatabaseStamp> m_loadingStamp;  // as the load under way began to read it
    bool m_listStarted = false;  // the first load has begun
    int m_loadHolds = 0;         // changes under way that no load may start during
    int m_itemsTotal = -1;       // as the load counted them
    CString m_listNotice;        // what keeps the list short or waiting; empty when it is whole
    // Reads contents and counts clicks without making a click wait on another program.
    CClickCounter m_clicks;
    std::unique_ptr<CPreviousWindow> m_previous;
    // Brings the window up from any program; replaced by the options, released at teardown.
    CGlobalHotkey m_hotkey;
    // Why the stored hotkey is not in effect; the status line says it until the options mend it.
    CString m_hotkeyNotice;
    // Keeps the team file's items in the database; what it says of the file, while it says anything.
    CTeamSync m_team;
    CString m_teamNotice;
    // The team file is first read once the list is in: its reading would slow the start-up's.
    bool m_teamChecks = false;

    DECLARE_MESSAGE_MAP()
};
