// Message maps: a static table of handlers per class, chained to the base class's table.
//
//   BEGIN_MESSAGE_MAP(CMyDlg, CDialog)
//       ON_WM_PAINT()
//       ON_COMMAND(ID_EXIT, &CMyDlg::OnExit)
//   END_MESSAGE_MAP()
//
// Each entry holds a small captureless lambda that unpacks wParam/lParam and calls the member.
#pragma once

#include "framework/geometry.h"
#include "framework/object.h"

#include <windows.h>

class CCmdTarget;
class CWnd;
class CDC;

using AFX_THUNK = LRESULT (*)(CCmdTarget* target, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;  // window message (WM_COMMAND and WM_NOTIFY match by code and id too)
    UINT nCode;     // notification code for WM_COMMAND / WM_NOTIFY
    UINT nID;       // command or control id for WM_COMMAND / WM_NOTIFY
    AFX_THUNK pfn;  // null ends the table
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    // Finds the WM_COMMAND entry for id and code in this class's map chain and runs it.
    virtual BOOL OnCmdMsg(UINT nID, int nCode);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
    const AFX_MSGMAP_ENTRY* FindEntry(UINT message, UINT code, UINT id) const;
};

#define DECLARE_MESSAGE_MAP()                       \
protected:                                          \
    static const AFX_MSGMAP* GetThisMessageMap();   \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                          \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }    \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                      \
    {                                                                                    \
        using ThisClass [[maybe_unused]] = theClass;                                     \
        using TheBaseClass = baseClass;                                                  \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                               \
            {0, 0, 0, nullptr}};                                                         \
        static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, entries};       \
        return &map;                                                                     \
    }

#define AFX_ENTRY(msg, code, id, body) \
    {msg, code, id, [](CCmdTarget* t, WPARAM wParam, LPARAM lParam) -> LRESULT { \
        (void)wParam; (void)lParam; ThisClass* self = static_cast<ThisClass*>(t); body }},

// Window messages
#define ON_WM_PAINT() AFX_ENTRY(WM_PAINT, 0, 0, self->OnPaint(); return 0;)
#define ON_WM_DESTROY() AFX_ENTRY(WM_DESTROY, 0, 0, self->OnDestroy(); return 0;)
#define ON_WM_TIMER() AFX_ENTRY(WM_TIMER, 0, 0, self->OnTimer(static_cast<UINT_PTR>(wParam)); return 0;)
#define ON_WM_QUERYDRAGICON() \
    AFX_ENTRY(WM_QUERYDRAGICON, 0, 0, return reinterpret_cast<LRESULT>(self->OnQueryDragIcon());)
#define ON_WM_ERASEBKGND() AFX_ENTRY(WM_ERASEBKGND, 0, 0, \
    return self->OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));)
#define AFX_MOUSE_ENTRY(msg, fn) \
    AFX_ENTRY(msg, 0, 0, self->fn(static_cast<UINT>(wParam), CPoint(lParam)); return 0;)
#define ON_WM_MOUSEMOVE() AFX_MOUSE_ENTRY(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_MOUSE_ENTRY(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MOUSE_ENTRY(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_CAPTURECHANGED() AFX_ENTRY(WM_CAPTURECHANGED, 0, 0, \
    self->OnCaptureChanged(CWnd::FromHandle(reinterpret_cast<HWND>(lParam))); return 0;)

// Any message, handled as LRESULT OnX(WPARAM, LPARAM)
#define ON_MESSAGE(msg, memberFxn) AFX_ENTRY(msg, 0, 0, return (self->*(memberFxn))(wParam, lParam);)

// Commands (menu items, buttons) and notifications by control id
#define ON_COMMAND(id, memberFxn) AFX_ENTRY(WM_COMMAND, 0, id, (self->*(memberFxn))(); return 0;)
#define ON_BN_CLICKED(id, memberFxn) AFX_ENTRY(WM_COMMAND, BN_CLICKED, id, (self->*(memberFxn))(); return 0;)
#define ON_EN_CHANGE(id, memberFxn) AFX_ENTRY(WM_COMMAND, EN_CHANGE, id, (self->*(memberFxn))(); return 0;)
#define ON_NOTIFY(code, id, memberFxn) AFX_ENTRY(WM_NOTIFY, static_cast<UINT>(code), id, \
    LRESULT result = 0; (self->*(memberFxn))(reinterpret_cast<NMHDR*>(lParam), &result); return result;)
