// CItemsDlg: the team's rows, which the shared file keeps: read-only here, offered as copies the
// user owns.
#include "items/itemsdlg.h"

#include "appstate/globals.h"
#include "corelib/core.h"
#include "items/teamcopy.h"
#include "store/batch.h"
#include "store/dbsession.h"
#include "store/itemid.h"
#include "store/rowquery.h"
#include "store/statements.h"
#include "store/teamstore.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

bool CItemsDlg::RefuseTeamChange(const std::vector<int>& rows)
{
    std::vector<int> teamRows;
    std::vector<int> teamIds;
    for (int row : rows) {
        if (IsTeamListId(m_rows.IdAt(row))) {
            teamRows.push_back(row);
            teamIds.push_back(TeamIdOfListId(m_rows.IdAt(row)));
        }
    }
    if (teamRows.empty())
        return false;
    if (g_core->msgboxConfirm(m_hWnd, kTeamItemReadOnly) != IDYES)
        return true;
    // Their whole texts, read from the version kept: the list knows only those of rows drawn so far.
    std::unordered_map<int, CItemRows::Texts> texts;
    const bool read =
        RunRowQuery(g_connStr, StmtSelectTeamItemsIn(ItemIdList(teamIds)), [&](const CDbRow& record) {
            if (std::optional<int> id = ItemIdFromValue(record.Value(0)))
                texts[*id] = {g_db->ValueToText(record.Value(1)), g_db->ValueToText(record.Value(2))};
        });
    if (!read) {
        g_core->msgboxWarning(m_hWnd, kTeamItemUnreadable);
        return true;
    }
    // A row whose item a newer version of the file dropped is not copied as blanks.
    const size_t asked = teamRows.size();
    teamRows.erase(std::remove_if(teamRows.begin(), teamRows.end(),
                                  [&](int row) { return texts.count(m_rows.IdAt(row)) == 0; }),
                   teamRows.end());
    if (teamRows.empty()) {
        g_core->msgboxWarning(m_hWnd, kTeamItemUnreadable);
        return true;
    }
    // All the copies, or none.
    CStatementBatch batch(g_connStr);
    std::vector<std::pair<long long, CItemRows::Texts>> copies;
    for (int row : teamRows) {
        const CItemRows::Texts& copied = texts[m_rows.IdAt(row)];
        long long newId = 0;
        if (batch.Run(StmtInsertItem(copied.title, copied.data1), &newId) != CStatementBatch::Outcome::Ran)
            break;
        copies.emplace_back(newId, copied);
    }
    if (copies.size() != teamRows.size() || !batch.Finish()) {
        g_core->msgboxWarning(m_hWnd, kTeamCopyNotSaved);
        return true;
    }
    if (teamRows.size() != asked)
        g_core->msgboxWarning(m_hWnd, kTeamItemUnreadable);
    m_isDataChanged = TRUE;
    // An item both the user's and the team's is listed once, as the user's: the copies head the
    // list, and the team rows they repeat go.
    std::sort(teamRows.rbegin(), teamRows.rend());
    for (int row : teamRows)
        m_rows.RemoveRow(row);
    for (const auto& [newId, copied] : copies) {
        if (std::optional<int> id = ItemIdFromRowid(newId))
            m_rows.AddFirst(*id, copied);
    }
    ShowRowCount();
    m_list.SendMessage(LVM_ENSUREVISIBLE, 0, FALSE);
    return true;
}
