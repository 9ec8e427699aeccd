// CListCtrl: items, texts, item data and check boxes.
#include "framework/listctrl.h"

#include <vector>

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

int CListCtrl::InsertColumn(int column, LPCWSTR heading, int format, int width)
{
    LVCOLUMNW col = {};
    col.mask = LVCF_TEXT | LVCF_FMT | (width >= 0 ? LVCF_WIDTH : 0);
    col.fmt = format;
    col.cx = width;
    col.pszText = const_cast<LPWSTR>(heading);
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&col)));
}

int CListCtrl::InsertItem(int item, LPCWSTR text)
{
    LVITEMW lvItem = {};
    lvItem.mask = LVIF_TEXT;
    lvItem.iItem = item;
    lvItem.pszText = const_cast<LPWSTR>(text);
    return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&lvItem)));
}

int CListCtrl::InsertItem(UINT mask, int item, LPCWSTR text, UINT state, UINT stateMask, int image,
                          LPARAM lParam)
{
    LVITEMW lvItem = {};
    lvItem.mask = mask;
    lvItem.iItem = item;
    lvItem.pszText = const_cast<LPWSTR>(text);
    lvItem.state = state;
    lvItem.stateMask = stateMask;
    lvItem.iImage = image;
    lvItem.lParam = lParam;
    return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&lvItem)));
}

BOOL CListCtrl::SetItemText(int item, int subItem, LPCWSTR text)
{
    LVITEMW lvItem = {};
    lvItem.iSubItem = subItem;
    lvItem.pszText = const_cast<LPWSTR>(text);
    return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTW, item, reinterpret_cast<LPARAM>(&lvItem)));
}

CString CListCtrl::GetItemText(int item, int subItem) const
{
    // The control copies at most the buffer's size: grow until the text fits.
    for (int size = 256;; size *= 2) {
        std::vector<wchar_t> buffer(static_cast<size_t>(size), L'\0');
        LVITEMW lvItem = {};
        lvItem.iSubItem = subItem;
        lvItem.pszText = buffer.data();
        lvItem.cchTextMax = size;
        int length = static_cast<int>(SendMessage(LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&lvItem)));
        if (length < size - 1 || size >= (1 << 26))
            return CString(buffer.data(), length);
    }
}

BOOL CListCtrl::SetItemData(int item, DWORD_PTR data)
{
    LVITEMW lvItem = {};
    lvItem.mask = LVIF_PARAM;
    lvItem.iItem = item;
    lvItem.lParam = static_cast<LPARAM>(data);
    return static_cast<BOOL>(SendMessage(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&lvItem)));
}

DWORD_PTR CListCtrl::GetItemData(int item) const
{
    LVITEMW lvItem = {};
    lvItem.mask = LVIF_PARAM;
    lvItem.iItem = item;
    SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&lvItem));
    return static_cast<DWORD_PTR>(lvItem.lParam);
}

BOOL CListCtrl::GetCheck(int item) const
{
    UINT state = static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, item, LVIS_STATEIMAGEMASK));
    return ((state >> 12) - 1) == 1;
}

BOOL CListCtrl::SetCheck(int item, BOOL check)
{
    LVITEMW lvItem = {};
    lvItem.stateMask = LVIS_STATEIMAGEMASK;
    lvItem.state = INDEXTOSTATEIMAGEMASK(check ? 2 : 1);
    return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&lvItem)));
}

BOOL CListCtrl::GetItemRect(int item, LPRECT rect, UINT code) const
{
    rect->left = static_cast<LONG>(code);
    return static_cast<BOOL>(SendMessage(LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(rect)));
}
