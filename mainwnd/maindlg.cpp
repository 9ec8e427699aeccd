// CMainDlg: start-up, the hot list's load and reloads, the key filter, timers, minimised painting,
// the tray's commands and teardown.
#include "mainwnd/maindlg.h"

#include "appstate/globals.h"
#include "corelib/core.h"
#include "framework/dpi.h"
#include "hotlist/itemclick.h"
#include "items/itemscommand.h"
#include "mainwnd/hotkey_toggle.h"
#include "mainwnd/rowmenu.h"
#include "mainwnd/search_keys.h"
#include "options/hotkey_setting.h"
#include "options/hotkey_text.h"
#include "options/optionscommand.h"
#include "res/resource.h"
#include "store/connstr.h"
#include "store/pins.h"

#include <algorithm>
#include <new>
#include <windowsx.h>

namespace {

constexpr wchar_t kMissingDatabase[] = L"数据库文件不存在！程序退出运行！";
constexpr wchar_t kUnusableDatabase[] = L"数据库文件无法使用！程序退出运行！";
constexpr wchar_t kContentBusy[] = L"数据库正被其他程序占用，未能复制！";
constexpr wchar_t kContentUnreadable[] = L"无法读取数据库，未能复制！";
constexpr wchar_t kClipboardBusy[] = L"剪贴板正被其他程序占用，未能复制！";
// Posted when the main window is left, to take note of the window the user went to.
constexpr UINT WM_NOTE_FOREGROUND = WM_APP + 21;
// Posted by the hot list's loader when it has chunks or its end to hand over.
constexpr UINT WM_HOTLIST_CHUNKS = WM_APP + 22;
// Posted on the tray icon's right-button notification: the menu opens from this window's own queue.
constexpr UINT WM_OPEN_TRAY_MENU = WM_APP + 23;
// Posted by the team file's reader when it stored a version or has something new to say.
constexpr UINT WM_TEAM_SYNCED = WM_APP + 24;
constexpr wchar_t kListBusy[] = L"数据库正被其他程序占用，列表稍后载入…";
constexpr wchar_t kListUnreadable[] = L"无法读取数据库，列表不完整！";
// The main window's one global hotkey; the options' replacement takes the other id of the pair.
constexpr int kHotkeyId = 0x4D00;

// True only when nothing at all answers to the path: a folder (or anything else there that is
// not a file) is present, and unusable rather than missing.
bool NothingAt(const CString& path)
{
    if (::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES)
        return false;
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// No load starts while one lives: a change is being made (a dialog, the row menu's choice).
class CLoadHold {
public:
    explicit CLoadHold(int& holds) : m_holds(holds) { ++m_holds; }
    ~CLoadHold() { --m_holds; }
    CLoadHold(const CLoadHold&) = delete;
    CLoadHold& operator=(const CLoadHold&) = delete;

private:
    int& m_holds;
};

}  // namespace

BEGIN_MESSAGE_MAP(CMainDlg, CDialog)
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_COMMAND(ID_TRAY_ABOUT, &CMainDlg::OnAbout)
    ON_COMMAND(ID_TRAY_OPTIONS, &CMainDlg::OnOptions)
    ON_COMMAND(ID_TRAY_ITEMS, &CMainDlg::OnItems)
    ON_WM_DESTROY()
    ON_COMMAND(ID_TRAY_EXIT, &CMainDlg::OnExit)
    ON_WM_TIMER()
    ON_EN_CHANGE(IDC_SEARCH, &CMainDlg::OnSearchChange)
    ON_MESSAGE(WM_SEARCH_COMPOSED, &CMainDlg::OnSearchComposed)
    ON_MESSAGE(WM_HOTKEY, &CMainDlg::OnHotKey)
    ON_MESSAGE(WM_HOTLIST_CHUNKS, &CMainDlg::OnHotListChunks)
    ON_MESSAGE(WM_TEAM_SYNCED, &CMainDlg::OnTeamSynced)
END_MESSAGE_MAP()

CMainDlg::CMainDlg(CWnd* pParent)
    : CDialog(IDD_MAIN, pParent), m_hIcon(::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_MAIN)))
{
}

CMainDlg::~CMainDlg() = default;

void CMainDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_SEARCH, m_search);
    DDX_Control(pDX, IDC_HOTLIST, m_list);
}

BOOL CMainDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    // The caption and the taskbar take the small image drawn for their size, not a shrunk large one.
    SetIcon(LoadIconAtSize(AfxGetResourceHandle(), IDI_MAIN, ::GetSystemMetrics(SM_CXSMICON)), FALSE);
    m_status.Attach(this, IDC_STATUS, kStatusTimer);
    m_paste.Attach(this, &m_status, kPasteTimer);

    try {
        m_objects.MakeCore();
        CString dbPath = g_appPath + L"sys.mdb";
        if (!g_core->isFileExist(dbPath))
            return RefuseToStart(NothingAt(dbPath) ? kMissingDatabase : kUnusableDatabase);
        // A file of that name that is not our database would give a window where nothing works.
        // One that another program keeps busy is taken as ours: its list comes once it is free.
        const ItemDatabaseCheck check =
            CheckItemDatabase(WithBusyTimeout(g_core->getDbConnStrMdb(dbPath), kListWaitMs));
        if (check == ItemDatabaseCheck::NotOurs)
            return RefuseToStart(kUnusableDatabase);
        if (check == ItemDatabaseCheck::Busy)
            m_listNotice = kListBusy;
        else
            AddPinTable(WithBusyTimeout(g_core->getDbConnStrMdb(dbPath), kListWaitMs));

        m_list.SetNotifyWnd(m_hWnd);
        m_list.SetRowTexts(&m_hotSearch);
        m_objects.OpenDatabase(dbPath);
        m_dbPath = dbPath;
        m_clicks.SetConnectionString(g_connStr);
    } catch (const std::bad_alloc&) {
        // No memory for the process-wide objects: end as if the database were missing, without
        // a box that would need memory of its own. Teardown releases what was made.
        ::PostQuitMessage(-1);
        return FALSE;
    }

    m_size.Attach(*this, IDD_MAIN, m_list, g_core, IDC_SEARCH, IDC_HOTLIST, IDC_STATUS);
    m_previous = std::make_unique<CPreviousWindow>();
    m_tray.Add(m_hWnd);
    StartHotkey();
    StartTeamSync(false);
    UpdateStandingText();
    SetTimer(kLoadTimer, kLoadDelayMs);
    if (m_startMinimised) {
        // Shown now, so that the dialog does not show it normally; no focus, which would activate it.
        ShowWindow(SW_SHOWMINNOACTIVE);
        return FALSE;
    }
    return TRUE;
}

void CMainDlg::StartHotkey()
{
    m_hotkey = CGlobalHotkey(m_hWnd, kHotkeyId, ReadHotkeySetting(*g_core));
    // A key another program (or another copy of this one) holds stays theirs: not taken, but said.
    if (m_hotkey.Error() != 0)
        m_hotkeyNotice = HotkeyNotStartedText(m_hotkey.Key(), m_hotkey.Error());
}

LRESULT CMainDlg::OnHotKey(WPARAM id, LPARAM)
{
    if (static_cast<int>(id) != m_hotkey.Id())
        return 0;
    // Called up from another program: that is the window a chosen item goes back to.
    if (m_previous)
        m_previous->NoteForeground();
    ToggleMainWindowByHotkey(*this);
    return 0;
}

void CMainDlg::StartTeamSync(bool readNow)
{
    // With none, a version kept from an earlier one goes.
    m_team.Start(g_connStr, g_core->getConfigS(kTeamFileKey).value_or(CString()), m_hWnd, WM_TEAM_SYNCED,
                 readNow);
}

LRESULT CMainDlg::OnTeamSynced(WPARAM, LPARAM)
{
    m_teamNotice = m_team.Notice();
    ReloadIfChanged();
    UpdateStandingText();
    return 0;
}

BOOL CMainDlg::RefuseToStart(LPCWSTR warning)
{
    g_core->msgboxWarning(m_hWnd, warning);
    ::PostQuitMessage(-1);
    return FALSE;
}

BOOL CMainDlg::PreTranslateMessage(MSG* pMsg)
{
    SteerKeyToSearchBox(*pMsg, m_hWnd, m_search.m_hWnd);
    switch (pMsg->message) {
    case WM_KEYUP:
        // The search box would open its own menu for the key: the row's opened on its press.
        if (pMsg->wParam == VK_APPS)
            return TRUE;
        break;
    case WM_KEYDOWN:
        if (pMsg->wParam == VK_APPS) {
            OpenRowMenu(m_list.Highlight());
            return TRUE;
        }
        if (pMsg->hwnd == m_search.m_hWnd && HandleSearchKey(pMsg->wParam))
            return TRUE;
        // Enter and Esc would end the dialog, and with it the program.
        if (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)
            return TRUE;
        break;
    case WM_SYSKEYDOWN:
        // Shift+F10 is the row menu's key, as the context-menu key is.
        if (pMsg->wParam == VK_F10 && (::GetKeyState(VK_SHIFT) & 0x8000))
            OpenRowMenu(m_list.Highlight());
        // Alt combinations and F10: no Alt+F4, no keyboard menu.
        pMsg->wParam = 0;
        return TRUE;
    case WM_ITEMCLICK:
        // The list box's copy passes here on its way up the parent chain before the list box
        // forwards it; only the forwarded copy, addressed to this window, is a click.
        if (pMsg->hwnd == m_hWnd)
            CopyItem(static_cast<int>(pMsg->lParam));
        break;
    default:
        break;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

LRESULT CMainDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (LRESULT answer = 0; m_size.OnWindowMessage(message, wParam, lParam, &answer))
        return answer;
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam) && m_search.m_hWnd) {
        // Brought back (from the tray, the taskbar, a hotkey): the list as the table now is, in
        // heat order, unless the activation is a click, which must land on the row it aimed at.
        if (LOWORD(wParam) == WA_ACTIVE)
            ReloadIfChanged();
        // The team file is looked at too: a change the folder did not tell of shows now.
        if (m_teamChecks)
            m_team.Check();
        // Ready to type at once.
        LRESULT result = CDialog::WindowProc(message, wParam, lParam);
        ::SetFocus(m_search.m_hWnd);
        return result;
    }
    if (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE)
        PostMessage(WM_NOTE_FOREGROUND);  // once the other program's window is in front
    else if (message == WM_NOTE_FOREGROUND && m_previous)
        m_previous->NoteForeground();
    if (message == WM_CONTEXTMENU && OnListContextMenu(reinterpret_cast<HWND>(wParam), lParam))
        return 0;
    if (message == TRAY_ID)
        OnTrayNotify(wParam, lParam);
    else if (message == WM_OPEN_TRAY_MENU)
        CTrayIcon::OpenMenu(*this);
    else
        m_tray.OnWindowMessage(message);
    return CDialog::WindowProc(message, wParam, lParam);
}

void CMainDlg::OnTrayNotify(WPARAM wParam, LPARAM lParam)
{
    switch (lParam) {
    case WM_LBUTTONUP:
        if (wParam == TRAY_ID) {
            ShowWindow(SW_SHOWNORMAL);
            SetForegroundWindow();
        }
        break;
    case WM_RBUTTONDOWN:
        // The shell sends this notification. Taking the foreground and the keyboard while handling
        // it carries the time of the last message this thread took from its queue, which can be
        // older than the other program's taking them: the window system (X under Wine) then keeps
        // the keys there, and the menu gets none. From a posted message of its own the time is
        // now, and the menu's loop does not run inside another thread's message.
        PostMessage(WM_OPEN_TRAY_MENU);
        break;
    default:
        break;
    }
}

BOOL CMainDlg::NotifyTray(DWORD action)
{
    return CTrayIcon::Notify(m_hWnd, action);
}

void CMainDlg::SetStatusText(const CString& text)
{
    m_status.SayUntilNext(text);
}

void CMainDlg::OnTimer(UINT_PTR nIDEvent)
{
    KillTimer(nIDEvent);
    if (nIDEvent == kLoadTimer) {
        ShowHotList();
    } else if (nIDEvent == kStatusTimer) {
        m_status.OnTimer();
    } else if (nIDEvent == kCountRetryTimer) {
        WriteClickCounts();
    } else if (nIDEvent == kPasteTimer) {
        m_paste.OnTimer();
    }
    Default();
}

void CMainDlg::ShowHotList()
{
    KillTimer(kLoadTimer);
    m_listStarted = true;
    if (m_loadHolds > 0) {
        // A change is being made, which the load's read of the file would keep waiting: read once
        // it is made.
        m_loadedStamp.reset();
        return;
    }
    // Taken before reading: a change made meanwhile is seen at the next look.
    m_loadingStamp = ReadDatabaseStamp(m_dbPath.str());
    LoadHotList(m_list);
}

void CMainDlg::ReloadIfChanged()
{
    if (!m_listStarted)
        return;
    const std::optional<CDatabaseStamp> stamp = ReadDatabaseStamp(m_dbPath.str());
    if (stamp && m_loadedStamp && *stamp == *m_loadedStamp)
        return;
    // A load under way of the table as it is now goes on: begun again at each bring-up, a long
    // list would never be read to its end.
    if (stamp && m_loader.IsLoading() && m_loadingStamp && *stamp == *m_loadingStamp)
        return;
    ShowHotList();
}

void CMainDlg::LoadHotList(CHotListBox& list)
{
    m_loader.Start(WithBusyTimeout(g_connStr, kListWaitMs), list.EntriesOnScreen(), m_hWnd, WM_HOTLIST_CHUNKS);
}

void CMainDlg::AddChunk(CHotListChunk chunk)
{
    if (chunk.first) {
        m_itemsTotal = -1;
        m_list.RemoveAllRows();
        m_list.SetPinnedCount(chunk.pinned);
        m_hotSearch.Clear();
        // A query in the box stays, and applies to the new rows.
        m_hotSearch.Reapply(m_list, m_search.IsComposing() ? CString() : m_search.Text());
    }
    const bool filtering = m_hotSearch.IsFiltering();
    m_list.AddRows(std::move(chunk.rows), !filtering);
    const std::vector<int> found = m_hotSearch.AddChunk(std::move(chunk.index));
    if (filtering && !found.empty()) {
        const bool noneBefore = m_list.GetCount() == 0;
        m_list.AppendShownRows(found);
        if (noneBefore)
            m_list.SetHighlight(0);
    }
    if (chunk.first) {
        m_list.Invalidate();
        OnFirstRowsShown();
    }
}

LRESULT CMainDlg::OnHotListChunks(WPARAM, LPARAM)
{
    CHotListLoader::Progress progress = m_loader.Take();
    for (CHotListChunk& chunk : progress.chunks)
        AddChunk(std::move(chunk));
    m_itemsTotal = progress.total;
    if (progress.end)
        OnHotListLoaded(*progress.end);
    else
        UpdateStandingText();
    return 0;
}

void CMainDlg::OnHotListLoaded(RowQueryEnd end)
{
    if (!m_teamChecks) {
        m_teamChecks = true;
        m_team.Check();
    }
    switch (end) {
    case RowQueryEnd::AllRead:
        m_listNotice.Empty();
        m_loadedStamp = m_loadingStamp;
        break;
    case RowQueryEnd::Busy:
        // A commit under way in another program keeps every reader out for a while.
        m_listNotice = kListBusy;
        m_loadedStamp.reset();
        SetTimer(kLoadTimer, kLoadRetryDelayMs);
        break;
    case RowQueryEnd::Failed:
        // Trying again would read the same damage: the text stays as long as the list is short,
        // and the file is read again only once it has changed (replaced or mended).
        m_listNotice = kListUnreadable;
        m_loadedStamp = m_loadingStamp;
        break;
    }
    UpdateStandingText();
}

void CMainDlg::UpdateStandingText()
{
    CString text;
    if (m_loader.IsLoading()) {
        text = L"正在载入…";
        if (m_itemsTotal >= 0) {
            CString progress;
            progress.Format(L" %d / %d", m_list.RowCount(), std::max(m_itemsTotal, m_list.RowCount()));
            text += progress;
        }
    } else if (!m_listNotice.IsEmpty()) {
        text = m_listNotice;
    } else if (!m_teamNotice.IsEmpty()) {
        text = m_teamNotice;
    } else if (!m_hotkeyNotice.IsEmpty()) {
        text = m_hotkeyNotice;
    } else {
        text = L"就绪";
    }
    m_status.SetStanding(text);
}

bool CMainDlg::HandleSearchKey(WPARAM key)
{
    // A key the input method is composing with is its own: the Enter that confirms a candidate
    // copies nothing, the Esc that drops one clears nothing.
    if (key == VK_PROCESSKEY || m_search.IsComposing())
        return false;
    const bool typed = m_search.Text().GetLength() > 0;
    switch (key) {
    case VK_DOWN:
    case VK_UP:
    case VK_NEXT:
    case VK_PRIOR: {
        // With the box empty, over every row.
        const int page = m_list.EntriesPerPage();
        const int rows = key == VK_DOWN ? 1 : key == VK_UP ? -1 : key == VK_NEXT ? page : -page;
        CHotListSearch::MoveHighlight(m_list, rows);
        return true;
    }
    case VK_RETURN:
        // As a click on the row: the same copy, count and status.
        if (m_list.Highlight() >= 0)
            CopyItem(m_list.ItemIdAt(m_list.Highlight()));
        return true;
    case VK_ESCAPE:
        if (typed)
            m_search.SetWindowText(L"");
        else
            m_list.SetHighlight(-1);
        return true;
    default:
        return false;
    }
}

bool CMainDlg::OnListContextMenu(HWND hWnd, LPARAM lParam)
{
    if (hWnd != m_list.m_hWnd && ::GetParent(hWnd) != m_list.m_hWnd)
        return false;
    if (lParam == -1) {
        OpenRowMenu(m_list.Highlight());
        return true;
    }
    POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    POINT inList = at;
    ::ScreenToClient(m_list.m_hWnd, &inList);
    OpenRowMenu(m_list.EntryAt(inList), at);
    return true;
}

void CMainDlg::OpenRowMenu(int index, std::optional<POINT> at)
{
    if (index < 0 || index >= m_list.ShownCount())
        return;
    const int id = m_list.ItemIdAt(index);
    RowMenuResult result = RowMenuResult::Nothing;
    {
        const CLoadHold hold(m_loadHolds);
        result = RunRowMenu(*this, m_list, index, at ? *at : RowMenuPointOf(m_list, index),
                            [this] { StopLoadForChange(); });
    }
    if (result == RowMenuResult::Copy)
        CopyItem(id);
    else
        ReloadIfChanged();  // what changed, or a load stopped for a change not made
}

void CMainDlg::OnSearchChange()
{
    // What an input method shows while composing is not the query yet.
    if (!m_search.IsComposing())
        m_hotSearch.Apply(m_list, m_search.Text());
}

LRESULT CMainDlg::OnSearchComposed(WPARAM, LPARAM)
{
    OnSearchChange();
    return 0;
}

void CMainDlg::CopyItem(int id)
{
    std::wstring text;
    CClickCounter::ReadResult read = m_clicks.ReadContent(id, &text);
    if (read != CClickCounter::ReadResult::Read) {
        // Nothing to copy: said until the next copy, so that the old clipboard is not pasted
        // believing this one worked.
        m_status.SayUntilNext(read == CClickCounter::ReadResult::Busy ? kContentBusy : kContentUnreadable);
        return;
    }
    // An empty content means the item is gone (or holds nothing): the user's clipboard stays, and a
    // list still showing an item another program deleted is read again.
    if (text.empty()) {
        ReloadIfChanged();
        return;
    }
    if (!g_core->toClipboard(m_hWnd, text)) {
        // Still held by another program after the short retry: said, and not counted, since
        // nothing was copied.
        m_status.SayUntilNext(kClipboardBusy);
        return;
    }
    m_status.SayBriefly(L"已复制！");
    m_clicks.Add(id, g_core->getTimeNowStr(L""));
    WriteClickCounts();
    if (g_core->getConfigB(kPasteBackKey)) {
        m_paste.Start(m_previous.get());
        return;
    }
    // The user pastes into the window they came from: step out of its way.
    if (g_isAutoMin)
        ShowWindow(SW_MINIMIZE);
}

void CMainDlg::WriteClickCounts()
{
    // A count another program holds up is kept and tried again shortly (and at the next click).
    if (!m_clicks.WritePending())
        SetTimer(kCountRetryTimer, kCountRetryDelayMs);
}

void CMainDlg::OnPaint()
{
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    CRect client;
    GetClientRect(&client);
    int x = (client.Width() - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (client.Height() - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, m_hIcon);
}

HICON CMainDlg::OnQueryDragIcon()
{
    return m_hIcon;
}

void CMainDlg::OnAbout()
{
    g_core->uu(OPR_ABOUT, g_soft, L"");
}

void CMainDlg::OnOptions()
{
    // A cleared history gives the order of a fresh table at once.
    RunChange([this] { RunOptionsCommand(m_hWnd, m_hotkey); });
    // Another team file (or none): read at once.
    if (g_core->getConfigS(kTeamFileKey).value_or(CString()) != m_team.Path())
        StartTeamSync(true);
    // A key the options put into effect (or no key at all) ends what the status line said of it.
    if (!m_hotkeyNotice.IsEmpty() && m_hotkey.Error() == 0) {
        m_hotkeyNotice.Empty();
        UpdateStandingText();
    }
}

void CMainDlg::OnItems()
{
    // Whatever was added, changed or deleted shows at once.
    RunChange([this] { RunItemsCommand(m_hWnd); });
}

void CMainDlg::RunChange(const std::function<void()>& change)
{
    {
        const CLoadHold hold(m_loadHolds);
        StopLoadForChange();
        change();
    }
    ReloadIfChanged();
}

void CMainDlg::StopLoadForChange()
{
    if (!m_loader.IsLoading())
        return;
    m_loader.Stop();
    m_loadedStamp.reset();
}

void CMainDlg::OnExit()
{
    ::PostQuitMessage(0);
}

void CMainDlg::OnDestroy()
{
    Default();
    // Nothing of ours holds the file while the counts kept are written below.
    m_loader.StopAll();
    m_team.Stop();
    m_tray.Remove();
    // The key goes with the window that answers it.
    m_hotkey = CGlobalHotkey();
    KillTimer(kCountRetryTimer);
    m_paste.Cancel();
    m_previous.reset();
    // The last chance for counts still kept: wait for a lock as long as other operations do.
    m_clicks.WritePending(true);
    m_objects.Release();
}
