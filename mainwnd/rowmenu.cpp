// The row menu: built from its resource, the pin's command chosen by the row, each choice carried out.
#include "mainwnd/rowmenu.h"

#include "appstate/globals.h"
#include "corelib/core.h"
#include "items/oneitem.h"
#include "items/teamcopy.h"
#include "res/resource.h"
#include "store/dberror.h"
#include "store/pins.h"
#include "store/teamstore.h"

namespace {

constexpr wchar_t kPinNotSaved[] =
    L"无法写入数据库，置顶未保存！数据库文件可能是只读的，或正被其他程序使用。";

bool WritePin(HWND owner, int id, bool pinned)
{
    try {
        SetItemsPinned(g_connStr, {id}, pinned);
        return true;
    } catch (const CDbError& error) {
        TraceDroppedError(error);
        g_core->msgboxWarning(owner, kPinNotSaved);
        return false;
    }
}

}  // namespace

RowMenuResult RunRowMenu(CWnd& main, const CHotListBox& list, int index, POINT at,
                         const std::function<void()>& beforeChange)
{
    const int id = list.ItemIdAt(index);
    if (id == 0)
        return RowMenuResult::Nothing;
    const bool pinned = list.IsPinned(index);
    const CString shown = list.TextAt(index).c_str();
    CMenu menu;
    if (!menu.LoadMenu(IDR_ROWMENU))
        return RowMenuResult::Nothing;
    CMenuHandle popup = menu.GetSubMenu(0);
    if (!popup)
        return RowMenuResult::Nothing;
    // One of the pair: the one that changes the row.
    ::DeleteMenu(popup, pinned ? ID_ROW_PIN : ID_ROW_UNPIN, MF_BYCOMMAND);
    // A pin names an item of one's own: the team's items change with the file.
    const bool team = IsTeamListId(id);
    if (team)
        ::EnableMenuItem(popup, ID_ROW_PIN, MF_BYCOMMAND | MF_GRAYED);
    const UINT command = static_cast<UINT>(popup.TrackPopupMenu(
        TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, &main));
    if (command != 0 && command != ID_ROW_COPY)
        beforeChange();
    switch (command) {
    case ID_ROW_COPY:
        return RowMenuResult::Copy;
    case ID_ROW_EDIT:
    case ID_ROW_DELETE:
        if (team)
            return OfferTeamItemAsOwn(main.m_hWnd, id) ? RowMenuResult::Changed : RowMenuResult::Nothing;
        if (command == ID_ROW_DELETE)
            return DeleteItemAsked(main.m_hWnd, id, shown) ? RowMenuResult::Changed : RowMenuResult::Nothing;
        // An item gone meanwhile leaves the list too.
        return EditStoredItem(main.m_hWnd, id) == EditOutcome::Unchanged ? RowMenuResult::Nothing
                                                                         : RowMenuResult::Changed;
    case ID_ROW_PIN:
    case ID_ROW_UNPIN:
        return WritePin(main.m_hWnd, id, command == ID_ROW_PIN) ? RowMenuResult::Changed
                                                                : RowMenuResult::Nothing;
    default:
        return RowMenuResult::Nothing;
    }
}

POINT RowMenuPointOf(const CHotListBox& list, int index)
{
    CRect entry;
    list.GetItemRect(index, &entry);
    POINT at = {entry.left + 4, entry.bottom};
    ::ClientToScreen(list.m_hWnd, &at);
    return at;
}
