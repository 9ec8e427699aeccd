// Keeps a dialog's controls where its template puts them when the dialog takes another size:
// each control named keeps its distance to the right or bottom edge, or stretches with it.
#pragma once

#include "framework/geometry.h"

#include <initializer_list>
#include <vector>

class CDialogLayout {
public:
    // How a control follows the dialog's client edges; the others stay where they are.
    enum Anchor : unsigned {
        MoveRight = 1,     // keeps its distance to the right edge
        StretchRight = 2,  // its right side keeps its distance to the right edge
        MoveDown = 4,
        StretchDown = 8,
    };
    struct Control {
        int id;
        unsigned anchors;
    };

    // Takes the controls' places as they are now, as the template made them, for the template's
    // client size (the window may already be smaller: the system keeps new windows on the screen).
    void Capture(HWND hDialog, const CSize& templateClient, std::initializer_list<Control> controls);
    // Places the controls for the client size the dialog has now.
    void Apply() const;
    // What was taken was at oldDpi; the dialog is now shown at newDpi.
    void Rescale(UINT oldDpi, UINT newDpi);
    // The client size the template gives, at the DPI last taken or rescaled to.
    CSize TemplateClientSize() const { return m_client; }

private:
    struct Placed {
        int id;
        unsigned anchors;
        CRect rect;  // in the template's client area
    };
    HWND m_hDialog = nullptr;
    CSize m_client;
    std::vector<Placed> m_controls;
};

// The client size the dialog's template gives it, in the dialog's pixels.
CSize DialogTemplateClientSize(HWND hDialog, UINT templateId);
// Shrinks and moves a dialog into its monitor's work area, the controls named following its new
// size: a dialog bigger than the screen keeps its buttons on it.
void FitDialogToWorkArea(HWND hDialog, UINT templateId,
                         std::initializer_list<CDialogLayout::Control> controls);
