// CStatusLine: what the status line says, and for how long.
#include "mainwnd/statusline.h"

void CStatusLine::Attach(CWnd* owner, int controlId, UINT_PTR timerId)
{
    m_owner = owner;
    m_controlId = controlId;
    m_timerId = timerId;
}

void CStatusLine::SetStanding(const CString& text)
{
    m_standing = text;
    if (!m_saying)
        Show(text);
}

void CStatusLine::SayBriefly(const CString& text)
{
    m_saying = true;
    Show(text);
    m_owner->SetTimer(m_timerId, kBriefMs);
}

void CStatusLine::SayUntilNext(const CString& text)
{
    m_saying = true;
    m_owner->KillTimer(m_timerId);
    Show(text);
}

void CStatusLine::OnTimer()
{
    m_saying = false;
    Show(m_standing);
}

void CStatusLine::Show(const CString& text)
{
    m_owner->SetDlgItemText(m_controlId, text);
}
