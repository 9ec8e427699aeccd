// CStatusLine: the main window's status line and its timer. It rests on a standing text (ready, the
// list's loading, a notice that holds while its cause does); a copy's word is said for a second and
// gives way to the standing text again; a failure is said until the next thing is said, so that the
// user does not paste an old clipboard believing the copy worked.
#pragma once

#include "framework/afxwin.h"

class CStatusLine {
public:
    static constexpr UINT kBriefMs = 1000;

    // The static control (of the main window) that shows the text, and the window's timer it uses.
    void Attach(CWnd* owner, int controlId, UINT_PTR timerId);
    // The text shown whenever nothing else is being said.
    void SetStanding(const CString& text);
    // Said for a second, then the standing text again.
    void SayBriefly(const CString& text);
    // Said until the next thing is said.
    void SayUntilNext(const CString& text);
    // The main window's timer fired.
    void OnTimer();

private:
    void Show(const CString& text);

    CWnd* m_owner = nullptr;
    int m_controlId = 0;
    UINT_PTR m_timerId = 0;
    CString m_standing = L"就绪";
    bool m_saying = false;  // a word of its own is shown over the standing text
};
