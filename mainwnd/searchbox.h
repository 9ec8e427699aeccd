// CSearchBox: the main window's search box, an edit box that knows when an input method is
// composing in it.
#pragma once

#include "framework/afxwin.h"

// Sent to the parent when a composition has ended, so that the list follows the text it committed.
constexpr UINT WM_SEARCH_COMPOSED = WM_APP + 20;

class CSearchBox : public CWnd {
public:
    // Between an input method's start of composition and its end: keys then are the input
    // method's (the Enter that confirms a candidate, the Esc that drops one).
    bool IsComposing() const { return m_composing; }
    CString Text() const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool m_composing = false;
};
