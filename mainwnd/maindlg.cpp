// CMainDlg: start-up, the key filter, timers, minimised painting, the tray and teardown.
#include "mainwnd/maindlg.h"

#include "appstate/globals.h"
#include "base/first_line.h"
#include "corelib/core.h"
#include "framework/redrawpause.h"
#include "hotlist/itemclick.h"
#include "items/itemscommand.h"
#include "mainwnd/hotkey_toggle.h"
#include "mainwnd/pasteback.h"
#include "mainwnd/product.h"
#include "mainwnd/search_keys.h"
#include "mainwnd/softdescriptor.h"
#include "mainwnd/trayicon.h"
#include "options/hotkey_setting.h"
#include "options/hotkey_text.h"
#include "options/optionscommand.h"
#include "res/resource.h"
#include "store/connstr.h"
#include "store/dbsession.h"
#include "store/itemid.h"
#include "store/rowquery.h"
#include "store/statements.h"

#include <new>
#include <objbase.h>

namespace {

constexpr wchar_t kMissingDatabase[] = L"数据库文件不存在！程序退出运行！";
constexpr wchar_t kUnusableDatabase[] = L"数据库文件无法使用！程序退出运行！";
constexpr wchar_t kContentBusy[] = L"数据库正被其他程序占用，未能复制！";
constexpr wchar_t kContentUnreadable[] = L"无法读取数据库，未能复制！";
constexpr wchar_t kClipboardBusy[] = L"剪贴板正被其他程序占用，未能复制！";
// Posted when the main window is left, to take note of the window the user went to.
constexpr UINT WM_NOTE_FOREGROUND = WM_APP + 21;
// Posted on the tray icon's right-button notification: the menu opens from this window's own queue.
constexpr UINT WM_OPEN_TRAY_MENU = WM_APP + 22;
constexpr wchar_t kPasteNoWindow[] = L"原来的窗口已关闭，未能粘贴，内容已复制到剪贴板。";
constexpr wchar_t kPasteFromDesktop[] = L"原来在桌面，没有可以粘贴的窗口，内容已复制到剪贴板。";
constexpr wchar_t kPasteNotInFront[] = L"原来的窗口未能回到前面，未能粘贴，内容已复制到剪贴板。";
constexpr wchar_t kPasteMoreRights[] =
    L"原来的窗口以更高的权限运行，Windows 不允许向其中粘贴，内容已复制到剪贴板。";
constexpr wchar_t kPasteKeysRefused[] = L"系统未接受按键，未能粘贴，内容已复制到剪贴板。";
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
END_MESSAGE_MAP()

CMainDlg::CMainDlg(CWnd* pParent)
    : CDialog(IDD_MAIN, pParent), m_hIcon(::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_MAIN))),
      m_uTaskbarCreated(::RegisterWindowMessageW(L"TaskbarCreated"))
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
    SetIcon(m_hIcon, FALSE);

    try {
        g_core = new CCore();
        g_soft = new tagSoft;
        FillSoftDescriptor(*g_soft);
        g_core->autoFileConfig();
        g_appPath = g_core->getAppPath();
        g_isAutoMin = g_core->getConfigB(kAutoMinKey);

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
            SetStatusText(kListBusy);

        m_list.SetNotifyWnd(m_hWnd);
        m_bComInitialized = SUCCEEDED(::CoInitialize(nullptr));
        g_connStr = g_core->getDbConnStrMdb(dbPath);
        g_db = new CDbSession();
        g_db->SetConnectionString(g_connStr);
        m_clicks.SetConnectionString(g_connStr);
    } catch (const std::bad_alloc&) {
        // No memory for the process-wide objects: end as if the database were missing, without
        // a box that would need memory of its own. Teardown releases what was made.
        ::PostQuitMessage(-1);
        return FALSE;
    }

    m_previous = std::make_unique<CPreviousWindow>();
    m_bTrayIconWanted = true;
    NotifyTray(NIM_ADD);
    StartHotkey();
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
    if (m_hotkey.Error() != 0) {
        m_hotkeyNotice = HotkeyNotStartedText(m_hotkey.Key(), m_hotkey.Error());
        SetStatusText(m_hotkeyNotice);
    }
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
    case WM_KEYDOWN:
        if (pMsg->hwnd == m_search.m_hWnd && HandleSearchKey(pMsg->wParam))
            return TRUE;
        // Enter and Esc would end the dialog, and with it the program.
        if (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)
            return TRUE;
        break;
    case WM_SYSKEYDOWN:
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
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam) && m_search.m_hWnd) {
        // Brought back (from the tray, the taskbar, a hotkey): ready to type at once.
        LRESULT result = CDialog::WindowProc(message, wParam, lParam);
        ::SetFocus(m_search.m_hWnd);
        return result;
    }
    if (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE)
        PostMessage(WM_NOTE_FOREGROUND);  // once the other program's window is in front
    else if (message == WM_NOTE_FOREGROUND && m_previous)
        m_previous->NoteForeground();
    if (message == TRAY_ID)
        OnTrayNotify(wParam, lParam);
    else if (message == WM_OPEN_TRAY_MENU)
        OpenTrayMenu();
    else if (m_uTaskbarCreated != 0 && message == m_uTaskbarCreated && m_bTrayIconWanted)
        NotifyTray(NIM_ADD);  // the new notification area starts without our icon
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

void CMainDlg::OpenTrayMenu()
{
    CMenu menu;
    if (!menu.Attach(::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MENU))))
        return;
    CMenuHandle popup = menu.GetSubMenu(0);
    if (!popup)
        return;
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    CWnd* owner = this;
    while ((owner->GetStyle() & WS_CHILD) && owner->GetParent())
        owner = owner->GetParent();
    // A notification-icon menu takes keys and closes on a click elsewhere only when its owner is
    // the foreground window; the null message afterwards lets the menu finish closing.
    owner->SetForegroundWindow();
    popup.TrackPopupMenu(TPM_RIGHTBUTTON | TPM_LEFTALIGN, cursor.x, cursor.y, owner);
    owner->PostMessage(WM_NULL);
    menu.DestroyMenu();
}

BOOL CMainDlg::NotifyTray(DWORD action)
{
    HICON hTrayIcon = ::LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDI_TRAY));
    NOTIFYICONDATAW record = MakeTrayIconRecord(m_hWnd, hTrayIcon, kProductName);
    return ::Shell_NotifyIconW(action, &record);
}

void CMainDlg::SetStatusText(const CString& text)
{
    SetDlgItemText(IDC_STATUS, text);
}

void CMainDlg::OnTimer(UINT_PTR nIDEvent)
{
    KillTimer(nIDEvent);
    if (nIDEvent == kLoadTimer) {
        ShowHotList();
    } else if (nIDEvent == kStatusTimer) {
        SetStatusText(L"就绪");
    } else if (nIDEvent == kCountRetryTimer) {
        WriteClickCounts();
    } else if (nIDEvent == kPasteTimer) {
        OnPasteTick();
    }
    Default();
}

void CMainDlg::ShowHotList()
{
    switch (LoadHotList(m_list, kHeatOrder)) {
    case RowQueryEnd::AllRead:
        // Whatever the status line said of the list before is over; a hotkey not in effect is not.
        SetStatusText(m_hotkeyNotice.IsEmpty() ? CString(L"就绪") : m_hotkeyNotice);
        // Typed before the list came: the list follows what is typed.
        OnSearchChange();
        break;
    case RowQueryEnd::Busy:
        // A commit under way in another program keeps every reader out for a while.
        SetStatusText(kListBusy);
        SetTimer(kLoadTimer, kLoadRetryDelayMs);
        break;
    case RowQueryEnd::Failed:
        // Trying again would read the same damage: the text stays as long as the list is short.
        SetStatusText(kListUnreadable);
        break;
    }
    InvalidateRect(nullptr, TRUE);
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

RowQueryEnd CMainDlg::LoadHotList(CHotListBox& list, CString clause)
{
    list.RemoveAllRows();
    m_hotSearch.Clear();
    // Filling a long list repaints once, at the end, not once per row.
    CRedrawPause pause(list);
    const CString connStr = WithBusyTimeout(g_connStr, kListWaitMs);
    return WalkRowQuery(connStr, StmtSelectItems(clause), [&](const CDbRow& row) {
        // A row whose id does not fit in 32 bits gets no row: a click could only carry a cut id,
        // which names (copies and counts) another item.
        std::optional<int> id = ItemIdFromValue(row.Value(0));
        if (!id)
            return;
        const CString title = g_db->ValueToText(row.Value(1));
        const CString content = g_db->ValueToText(row.Value(2));
        // A row stays one line high: a label of several lines shows its first.
        list.AddRow(FirstLineShown(title.GetLength() == 0 ? content : title), *id);
        m_hotSearch.Add(title, content);
    });
}

void CMainDlg::CopyItem(int id)
{
    std::wstring text;
    CClickCounter::ReadResult read = m_clicks.ReadContent(id, &text);
    if (read != CClickCounter::ReadResult::Read) {
        // Nothing to copy: the click is answered all the same, so that it does not look lost.
        SetStatusText(read == CClickCounter::ReadResult::Busy ? kContentBusy : kContentUnreadable);
        SetTimer(kStatusTimer, kStatusDelayMs);
        return;
    }
    // An empty content means the item is gone (or holds nothing): the user's clipboard stays.
    if (text.empty())
        return;
    if (!g_core->toClipboard(m_hWnd, text)) {
        // Still held by another program after the short retry: said, and not counted, since
        // nothing was copied.
        SetStatusText(kClipboardBusy);
        SetTimer(kStatusTimer, kStatusDelayMs);
        return;
    }
    SetStatusText(L"已复制！");
    SetTimer(kStatusTimer, kStatusDelayMs);
    m_clicks.Add(id, g_core->getTimeNowStr(L""));
    WriteClickCounts();
    if (g_core->getConfigB(kPasteBackKey)) {
        PasteBack();
        return;
    }
    // The user pastes into the window they came from: step out of its way.
    if (g_isAutoMin)
        ShowWindow(SW_MINIMIZE);
}

void CMainDlg::PasteBack()
{
    const HWND target = m_previous ? m_previous->Get() : nullptr;
    switch (PasteObstacleOf(m_previous.get())) {
    case PasteObstacle::NoWindow:
        SayPasteFailure(kPasteNoWindow);
        return;
    case PasteObstacle::Desktop:
        SayPasteFailure(kPasteFromDesktop);
        return;
    case PasteObstacle::MoreRights:
        SayPasteFailure(kPasteMoreRights);
        return;
    case PasteObstacle::None:
        break;
    }
    ShowWindow(SW_MINIMIZE);
    if (::IsIconic(target))
        ::ShowWindow(target, SW_RESTORE);
    ::SetForegroundWindow(target);
    // The keys go only once the window is in front: before, they would reach whatever is.
    m_pasteTarget = target;
    m_pasteTicks = 0;
    OnPasteTick();
}

void CMainDlg::OnPasteTick()
{
    const HWND target = m_pasteTarget;
    if (!target)
        return;
    const bool lastTick = ++m_pasteTicks >= kPasteTicks;
    // A window that is in front but has not yet given its keyboard focus out would lose the keys;
    // at the end of the wait, being in front is enough.
    if (IsReadyForKeys(target) || (lastTick && ::GetForegroundWindow() == target)) {
        m_pasteTarget = nullptr;
        if (!SendPasteKeys())
            SayPasteFailure(kPasteKeysRefused);
        return;
    }
    if (!::IsWindow(target) || lastTick) {
        m_pasteTarget = nullptr;
        SayPasteFailure(::IsWindow(target) ? kPasteNotInFront : kPasteNoWindow);
        return;
    }
    SetTimer(kPasteTimer, kPasteTickMs);
}

void CMainDlg::SayPasteFailure(LPCWSTR text)
{
    if (IsIconic()) {
        ShowWindow(SW_RESTORE);
        SetForegroundWindow();
    }
    SetStatusText(text);
    // Said until the next copy: a second is too short to read why.
    KillTimer(kStatusTimer);
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
    RunOptionsCommand(m_hWnd, m_hotkey);
    // A key the options put into effect (or no key at all) ends what the status line said of it.
    if (!m_hotkeyNotice.IsEmpty() && m_hotkey.Error() == 0) {
        CString shown;
        GetDlgItemText(IDC_STATUS, shown);
        if (shown == m_hotkeyNotice)
            SetStatusText(L"就绪");
        m_hotkeyNotice.Empty();
    }
}

void CMainDlg::OnItems()
{
    RunItemsCommand(m_hWnd);
}

void CMainDlg::OnExit()
{
    ::PostQuitMessage(0);
}

void CMainDlg::OnDestroy()
{
    Default();
    NotifyTray(NIM_DELETE);
    m_bTrayIconWanted = false;
    // The key goes with the window that answers it.
    m_hotkey = CGlobalHotkey();
    KillTimer(kCountRetryTimer);
    KillTimer(kPasteTimer);
    m_previous.reset();
    // The last chance for counts still kept: wait for a lock as long as other operations do.
    m_clicks.WritePending(true);
    if (g_db) {
        delete g_db;
        g_db = nullptr;
    }
    // The session goes before COM, and the core object outlives both.
    if (m_bComInitialized) {
        ::CoUninitialize();
        m_bComInitialized = false;
    }
    if (g_core) {
        delete g_core;
        g_core = nullptr;
    }
    if (g_soft) {
        delete g_soft;
        g_soft = nullptr;
    }
}
