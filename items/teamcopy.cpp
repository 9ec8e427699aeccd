// A team item copied as the user's own: its whole texts read from the kept version, then inserted.
#include "items/teamcopy.h"

#include "appstate/globals.h"
#include "corelib/core.h"
#include "store/dbconnection.h"
#include "store/dbsession.h"
#include "store/dbstatement.h"
#include "store/statements.h"
#include "store/teamstore.h"

const wchar_t kTeamItemReadOnly[] =
    L"团队项目由共享文件维护，不能在这里修改。\n\n要复制为我的项目吗？复制后可以修改。";
const wchar_t kTeamCopyNotSaved[] =
    L"无法写入数据库，未复制任何项目！数据库文件可能是只读的，或正被其他程序使用。";
const wchar_t kTeamItemUnreadable[] = L"无法读取这个团队项目！团队项目文件可能刚刚更新，请再试一次。";

bool OfferTeamItemAsOwn(HWND owner, int listId)
{
    if (g_core->msgboxConfirm(owner, kTeamItemReadOnly) != IDYES)
        return false;
    CString title, data1;
    try {
        CDbConnection connection(g_connStr, CDbConnection::Access::ReadOnly);
        CDbStatement query(connection, StmtSelectTeamTexts());
        query.Bind({CDbValue::Integer(TeamIdOfListId(listId))});
        if (!query.Step()) {
            // A newer version of the file came in meanwhile: the list is read again.
            g_core->msgboxWarning(owner, kTeamItemUnreadable);
            return true;
        }
        CDbSession session;
        title = session.ValueToText(query.Column(0));
        data1 = session.ValueToText(query.Column(1));
    } catch (const CDbError& error) {
        TraceDroppedError(error);
        g_core->msgboxWarning(owner, kTeamItemUnreadable);
        return false;
    }
    if (!g_db->Execute(StmtInsertItem(title, data1))) {
        g_core->msgboxWarning(owner, kTeamCopyNotSaved);
        return false;
    }
    return true;
}
