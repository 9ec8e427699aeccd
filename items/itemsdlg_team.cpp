// CItemsDlg: the team's rows, which the shared file keeps: read-only here, offered as copies the
// user owns.
#include "items/itemsdlg.h"

#include "appstate/globals.h"
#include "corelib/core.h"
#include "items/teamcopy.h"
#include "store/batch.h"
#include "store/itemid.h"
#include "store/statements.h"
#include "store/teamstore.h"

#include <algorithm>

bool CItemsDlg::RefuseTeamChange(const std::vector<int>& rows)
{
    std::vector<int> teamRows;
    for (int row : rows) {
        if (IsTeamListId(m_rows.IdAt(row)) && m_rows.TextsKnown(row))
            teamRows.push_back(row);
    }
    if (teamRows.empty())
        return std::any_of(rows.begin(), rows.end(), [&](int row) { return IsTeamListId(m_rows.IdAt(row)); });
    if (g_core->msgboxConfirm(m_hWnd, kTeamItemReadOnly) != IDYES)
        return true;
    // All the copies, or none.
    CStatementBatch batch(g_connStr);
    std::vector<std::pair<long long, CItemRows::Texts>> copies;
    for (int row : teamRows) {
        const CItemRows::Texts texts = m_rows.TextsAt(row);
        long long newId = 0;
        if (batch.Run(StmtInsertItem(texts.title, texts.data1), &newId) != CStatementBatch::Outcome::Ran)
            break;
        copies.emplace_back(newId, texts);
    }
    if (copies.size() != teamRows.size() || !batch.Finish()) {
        g_core->msgboxWarning(m_hWnd, kTeamCopyNotSaved);
        return true;
    }
    m_isDataChanged = TRUE;
    // An item both the user's and the team's is listed once, as the user's: the copies head the
    // list, and the team rows they repeat go.
    std::sort(teamRows.rbegin(), teamRows.rend());
    for (int row : teamRows)
        m_rows.RemoveRow(row);
    for (const auto& [newId, texts] : copies) {
        if (std::optional<int> id = ItemIdFromRowid(newId))
            m_rows.AddFirst(*id, texts);
    }
    ShowRowCount();
    m_list.SendMessage(LVM_ENSUREVISIBLE, 0, FALSE);
    return true;
}
