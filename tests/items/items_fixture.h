// Shared set-up of the items tests: a real item database, the process-wide state, files to import
// and the windows the dialogs open.
#pragma once

#include "framework/afxwin.h"
#include "items/itemsdlg.h"
#include "tests/support/message_box.h"
#include "tests/support/modal_script.h"
#include "tests/support/testdb.h"
#include "tests/support/window_lookup.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace items_testing {

using testing_support::AnswerBox;
using testing_support::FindPopupMenu;
using testing_support::FindSystemDialog;
using testing_support::SeenBox;
using testing_support::StoredItem;
using testing_support::TestItem;

// A visible top-level window of this thread with this caption, or null.
HWND FindThreadWindow(const wchar_t* caption);
// Text of one column of one list row.
std::wstring RowText(const CListCtrl& list, int row, int column);
// The centre of a row's label, in list client coordinates.
POINT RowPoint(const CListCtrl& list, int row);

// Mouse input as the list control gets it from the system.
void PostDoubleClick(const CListCtrl& list, POINT point);
void PostRightClick(const CListCtrl& list, POINT point);
// A click on a row's check box, as the list control gets it from the system.
void PostCheckBoxClick(const CListCtrl& list, int row);
// The item ids of the rows, in list order.
std::vector<int> ListedIds(const CItemsDlg& dlg);

// Puts the text on the clipboard as Unicode text alone (CF_UNICODETEXT), as a program that copies
// UTF-16 leaves it; "" leaves the clipboard empty.
void PutOnClipboard(const std::wstring& text);

// A step that waits for a pop-up menu, records its item texts and commands, and chooses the item
// at position with the keyboard.
struct SeenMenu {
    std::vector<std::wstring> texts;
    std::vector<UINT> commands;
};
std::function<bool()> ChooseMenuItem(int position, SeenMenu& menu);

// An items dialog whose file choosers are replaced: each import takes the next path queued, each
// export the next of its own.
class CTestItemsDlg : public CItemsDlg {
public:
    std::vector<std::wstring> paths;  // "" stands for a cancelled chooser
    int chooserCalls = 0;
    std::vector<std::wstring> exportPaths;
    int exportChooserCalls = 0;

protected:
    CString ChooseImportFile() override;
    CString ChooseExportFile(const CString& defaultName) override;
};

class ItemsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Replaces the database with one holding exactly these rows (ids 1, 2, ...).
    void UseItems(const std::vector<TestItem>& items);
    std::vector<StoredItem> Stored() const;
    // Writes bytes to a file in the test's folder; returns its path.
    std::wstring WriteFile(const std::wstring& name, const std::string& bytes) const;
    std::wstring PathInFolder(const std::wstring& name) const { return m_folder + name; }

    // Runs the dialog modally; the steps run in order inside its loop, then it is closed with
    // IDCANCEL. Fails the test when a step does not come true in time.
    void RunDialog(CDialog& dlg, const std::vector<std::function<bool()>>& steps);

    std::wstring m_folder;
    std::wstring m_dbPath;
};

}  // namespace items_testing
