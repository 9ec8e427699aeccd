// CItemsDlg: the team's rows, which the shared file keeps: read-only here, offered as copies the
// user owns.
#include "items/itemsdlg.h"

#include "appstate/globals.h"
#include "corelib/core.h"
#include "items/teamcopy.h"
#include "store/itemid.h"
#include "store/teamstore.h"

#include <optional>
#include <unordered_set>

bool CItemsDlg::RefuseTeamChange(const std::vector<int>& rows)
{
    std::vector<int> teamRows;
    std::vector<int> listIds;
    for (int row : rows) {
        if (IsTeamListId(m_rows.IdAt(row))) {
            teamRows.push_back(row);
            listIds.push_back(m_rows.IdAt(row));
        }
    }
    if (teamRows.empty())
        return false;
    if (g_core->msgboxConfirm(m_hWnd, kTeamItemReadOnly) != IDYES)
        return true;
    // Their whole texts, from the version kept: the list knows only those of rows drawn so far.
    std::vector<CTeamItemCopy> copies;
    const TeamCopyOutcome outcome = CopyTeamItemsAsOwn(listIds, &copies);
    if (outcome != TeamCopyOutcome::Copied) {
        g_core->msgboxWarning(m_hWnd,
                              outcome == TeamCopyOutcome::NotSaved ? kTeamCopyNotSaved : kTeamItemUnreadable);
        return true;
    }
    // A row whose item a newer version of the file dropped was not copied (as blanks or at all).
    if (copies.size() != teamRows.size())
        g_core->msgboxWarning(m_hWnd, kTeamItemUnreadable);
    if (copies.empty())
        return true;
    m_isDataChanged = TRUE;
    // An item both the user's and the team's is listed once, as the user's: the copies head the
    // list, and the team rows they repeat go.
    std::unordered_set<int> copied;
    for (const CTeamItemCopy& copy : copies)
        copied.insert(copy.listId);
    for (auto row = teamRows.rbegin(); row != teamRows.rend(); ++row) {
        if (copied.count(m_rows.IdAt(*row)) != 0)
            m_rows.RemoveRow(*row);
    }
    for (const CTeamItemCopy& copy : copies) {
        if (std::optional<int> id = ItemIdFromRowid(copy.newId))
            m_rows.AddFirst(*id, {copy.title, copy.data1});
    }
    ShowRowCount();
    m_list.SendMessage(LVM_ENSUREVISIBLE, 0, FALSE);
    return true;
}
