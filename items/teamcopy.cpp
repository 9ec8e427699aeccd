// Team items copied as the user's own: their whole texts read from the kept version, then inserted.
#include "items/teamcopy.h"

#include "appstate/globals.h"
#include "corelib/core.h"
#include "store/batch.h"
#include "store/dbsession.h"
#include "store/itemid.h"
#include "store/rowquery.h"
#include "store/statements.h"
#include "store/teamstore.h"

#include <optional>
#include <unordered_map>
#include <utility>

const wchar_t kTeamItemReadOnly[] =
    L"团队项目由共享文件维护，不能在这里修改。\n\n要复制为我的项目吗？复制后可以修改。";
const wchar_t kTeamCopyNotSaved[] =
    L"无法写入数据库，未复制任何项目！数据库文件可能是只读的，或正被其他程序使用。";
const wchar_t kTeamItemUnreadable[] = L"无法读取这个团队项目！团队项目文件可能刚刚更新，请再试一次。";

TeamCopyOutcome CopyTeamItemsAsOwn(const std::vector<int>& listIds, std::vector<CTeamItemCopy>* copies)
{
    copies->clear();
    std::vector<int> teamIds;
    for (int listId : listIds)
        teamIds.push_back(TeamIdOfListId(listId));
    std::unordered_map<int, std::pair<CString, CString>> texts;
    const bool read =
        RunRowQuery(g_connStr, StmtSelectTeamItemsIn(ItemIdList(teamIds)), [&](const CDbRow& record) {
            if (std::optional<int> listId = ItemIdFromValue(record.Value(0)))
                texts[*listId] = {g_db->ValueToText(record.Value(1)), g_db->ValueToText(record.Value(2))};
        });
    if (!read)
        return TeamCopyOutcome::Unreadable;
    // All the copies, or none.
    CStatementBatch batch(g_connStr);
    for (int listId : listIds) {
        const auto found = texts.find(listId);
        if (found == texts.end())
            continue;
        const auto& [title, data1] = found->second;
        long long newId = 0;
        if (batch.Run(StmtInsertItem(title, data1), &newId) != CStatementBatch::Outcome::Ran) {
            copies->clear();
            return TeamCopyOutcome::NotSaved;
        }
        copies->push_back({listId, newId, title, data1});
    }
    if (!batch.Finish()) {
        copies->clear();
        return TeamCopyOutcome::NotSaved;
    }
    return TeamCopyOutcome::Copied;
}

bool OfferTeamItemAsOwn(HWND owner, int listId)
{
    if (g_core->msgboxConfirm(owner, kTeamItemReadOnly) != IDYES)
        return false;
    std::vector<CTeamItemCopy> copies;
    switch (CopyTeamItemsAsOwn({listId}, &copies)) {
    case TeamCopyOutcome::Copied:
        // None: a newer version of the file came in meanwhile, and the list is read again.
        if (copies.empty())
            g_core->msgboxWarning(owner, kTeamItemUnreadable);
        return true;
    case TeamCopyOutcome::Unreadable:
        g_core->msgboxWarning(owner, kTeamItemUnreadable);
        return false;
    case TeamCopyOutcome::NotSaved:
        g_core->msgboxWarning(owner, kTeamCopyNotSaved);
        return false;
    }
    return false;
}
