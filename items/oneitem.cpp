// Editing and deleting one item.
#include "items/oneitem.h"

#include "appstate/globals.h"
#include "base/text_walk.h"
#include "corelib/core.h"
#include "items/itemeditdlg.h"
#include "store/dbconnection.h"
#include "store/dberror.h"
#include "store/dbsession.h"
#include "store/dbstatement.h"
#include "store/statements.h"

#include <optional>

namespace {

constexpr wchar_t kEditNotSaved[] =
    L"无法写入数据库，修改未保存！数据库文件可能是只读的，或正被其他程序使用。";
constexpr wchar_t kEditedItemGone[] = L"该项目已被删除，修改未保存！";
constexpr wchar_t kDeleteNotDone[] =
    L"无法写入数据库，未删除任何项目！数据库文件可能是只读的，或正被其他程序使用。";
constexpr wchar_t kItemUnreadable[] = L"无法读取数据库，未能打开该项目！";
constexpr wchar_t kDeleteQuestion[] = L"确定要删除“%ls”吗？";
// The most characters of a label the delete question quotes.
constexpr int kQuotedChars = 40;

// What writing an edit did.
enum class EditWrite { Unchanged, Written, ItemGone, Failed };

// Writes the fields an edit changed, and only those: OK without a change writes nothing.
EditWrite WriteEdit(const CString& shownTitle, const CString& shownData1, const CString& title,
                    const CString& data1, int id)
{
    const bool titleChanged = title != shownTitle;
    const bool data1Changed = data1 != shownData1;
    if (!titleChanged && !data1Changed)
        return EditWrite::Unchanged;
    CString statement = !data1Changed   ? StmtUpdateTitle(title, id)
                        : !titleChanged ? StmtUpdateData1(data1, id)
                                        : StmtUpdateItem(title, data1, id);
    // What shows changes only once the table has.
    const std::optional<int> changed = g_db->ExecuteChangingRows(statement);
    if (!changed)
        return EditWrite::Failed;
    return *changed == 0 ? EditWrite::ItemGone : EditWrite::Written;
}

// The text cut after kQuotedChars characters, a pair never split, with "…" when cut.
CString Quoted(const CString& text)
{
    int end = 0;
    for (int chars = 0; end < text.GetLength() && chars < kQuotedChars; ++chars)
        end += CharLengthAt(text, end);
    if (end >= text.GetLength())
        return text;
    return CString(text.str().substr(0, static_cast<size_t>(end))) + L"…";
}

}  // namespace

EditOutcome EditItem(HWND owner, int id, CString& title, CString& data1)
{
    const CString shownTitle = title;
    const CString shownData1 = data1;
    CItemEditDlg edit;
    edit.m_title = title;
    edit.m_data1 = data1;
    EditWrite written = EditWrite::Unchanged;
    // Written while the edit is up: when the table refuses, the warning comes over the edit, which
    // keeps what was typed.
    edit.m_fnSave = [&](CItemEditDlg& dlg) {
        written = WriteEdit(shownTitle, shownData1, dlg.m_title, dlg.m_data1, id);
        if (written == EditWrite::Failed)
            g_core->msgboxWarning(dlg.m_hWnd, kEditNotSaved);
        return written != EditWrite::Failed;
    };
    if (edit.DoModal() != IDOK || written == EditWrite::Unchanged)
        return EditOutcome::Unchanged;
    if (written == EditWrite::ItemGone) {
        g_core->msgboxWarning(owner, kEditedItemGone);
        return EditOutcome::ItemGone;
    }
    title = edit.m_title;
    data1 = edit.m_data1;
    return EditOutcome::Written;
}

EditOutcome EditStoredItem(HWND owner, int id)
{
    CString title, data1;
    try {
        CDbConnection connection(g_connStr, CDbConnection::Access::ReadOnly);
        CDbStatement query(connection, StmtSelectItemTexts());
        query.Bind({CDbValue::Integer(id)});
        if (!query.Step())
            return EditOutcome::ItemGone;
        CDbSession session;
        title = session.ValueToText(query.Column(0));
        data1 = session.ValueToText(query.Column(1));
    } catch (const CDbError& error) {
        TraceDroppedError(error);
        g_core->msgboxWarning(owner, kItemUnreadable);
        return EditOutcome::Unchanged;
    }
    return EditItem(owner, id, title, data1);
}

bool DeleteItemAsked(HWND owner, int id, const CString& shown)
{
    CString question;
    question.Format(kDeleteQuestion, Quoted(shown).GetString());
    if (g_core->msgboxConfirm(owner, question) != IDYES)
        return false;
    CString ids;
    ids.Format(L"%d", id);
    const std::optional<int> deleted = g_db->ExecuteChangingRows(StmtDeleteItems(ids));
    if (!deleted) {
        g_core->msgboxWarning(owner, kDeleteNotDone);
        return false;
    }
    // Deleted here or, meanwhile, by another program: either way the list must lose it.
    return true;
}
