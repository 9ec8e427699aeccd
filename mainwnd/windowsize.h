// CMainWindowSize: the main window's size and layout. It opens at the template's size, or at the
// size the user last gave it, as far as the work area holds it; it can be resized by its border,
// with the search box, the list and the status line following and the rows keeping their height;
// at another DPI (moved to another screen) it takes the size the system suggests and the rows are
// made again in the font for it.
#pragma once

#include "framework/afxwin.h"
#include "framework/dialog_layout.h"

#include <optional>

class CCore;
class CHotListBox;

// The settings key of the size the user gave the main window: "width,height" at 96 DPI.
extern const wchar_t kMainWindowSizeKey[];
// "650,701" as a size; nothing for a text that is not two positive numbers.
std::optional<CSize> ParseWindowSize(const CString& text);
CString WindowSizeText(const CSize& size);

class CMainWindowSize {
public:
    // At the end of the dialog's initialisation, before it shows: takes the template's layout,
    // gives the list its rows' height and the window its size.
    void Attach(CWnd& dialog, UINT templateId, CHotListBox& list, CCore* settings, int searchId, int listId,
                int statusId);
    // The window's messages; true when the message was handled and `result` is its answer.
    bool OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

private:
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void RememberSize();

    CWnd* m_dialog = nullptr;
    CHotListBox* m_list = nullptr;
    CCore* m_settings = nullptr;
    CDialogLayout m_layout;
    UINT m_dpi = 0;
    int m_entryHeight = 0;  // at m_dpi
    CSize m_templateSize;   // the window's, at m_dpi
    bool m_moving = false;  // inside the user's move or resize
    bool m_resized = false;
    UINT m_newDpi = 0;  // and the rectangle the system suggests for it
    RECT m_suggested = {};
};
