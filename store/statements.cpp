// The statement catalogue of T_ITEM and the rule for putting text values into it.
#include "store/statements.h"

#include <utility>
#include <windows.h>

const wchar_t* const kHeatOrder = L"order by clicktimes desc,lasttime desc";

CString SqlEscape(const CString& text)
{
    // The engine reads a surrogate without its partner together with the unit after it, a quote
    // included: such a half character becomes U+FFFD (which is all the engine could store of it)
    // before every quote is doubled.
    const std::wstring& units = text.str();
    std::wstring escaped;
    escaped.reserve(units.size() + 8);
    for (size_t i = 0; i < units.size(); ++i) {
        const wchar_t ch = units[i];
        if (IS_HIGH_SURROGATE(ch) && i + 1 < units.size() && IS_LOW_SURROGATE(units[i + 1])) {
            escaped += ch;
            escaped += units[++i];
        } else if (IS_HIGH_SURROGATE(ch) || IS_LOW_SURROGATE(ch)) {
            escaped += L'\xFFFD';
        } else {
            escaped += ch;
            if (ch == L'\'')
                escaped += L'\'';
        }
    }
    return CString(std::move(escaped));
}

CString StmtSelectHotRows(int count)
{
    CString text;
    // Ties go by id, oldest first: the first screenful and the whole list, read by two statements,
    // must agree on every row's place.
    text.Format(L"SELECT id,substr(title,1,%d),substr(data1,1,%d) FROM T_ITEM%ls %ls,id", kHotListTextChars,
                kHotListTextChars, count < 0 ? L" NOT INDEXED" : L"", kHeatOrder);
    if (count >= 0) {
        CString limit;
        limit.Format(L" limit %d", count);
        text += limit;
    }
    return text;
}

CString StmtCreateHeatIndex()
{
    return L"CREATE INDEX IF NOT EXISTS I_ITEM_HEAT ON T_ITEM(clicktimes desc, lasttime desc)";
}

CString StmtCountItems()
{
    return L"SELECT count(*) FROM T_ITEM";
}

CString StmtSelectContent(int id)
{
    CString text;
    text.Format(L"select data1 from T_ITEM where id=%d", id);
    return text;
}

CString StmtCountClick(const CString& time, int id)
{
    CString text;
    text.Format(L"update T_ITEM set clicktimes=clicktimes+1,lasttime='%ls' where id=%d",
                (LPCWSTR)SqlEscape(time), id);
    return text;
}

CString StmtClearHistory()
{
    return L"update T_ITEM set clicktimes=0,lasttime=NULL";
}

CString StmtSelectNewestFirst()
{
    return L"SELECT id,title,data1 FROM T_ITEM order by id desc";
}

CString StmtSelectIdsNewestFirst()
{
    return L"SELECT id FROM T_ITEM order by id desc";
}

CString StmtSelectItemsIn(const CString& idList)
{
    return L"SELECT id,title,data1 FROM T_ITEM where id in(" + idList + L")";
}

CString StmtUpdateItem(const CString& title, const CString& data1, int id)
{
    CString text;
    text.Format(L"update T_ITEM set title='%ls',data1='%ls' where id=%d", (LPCWSTR)SqlEscape(title),
                (LPCWSTR)SqlEscape(data1), id);
    return text;
}

CString StmtUpdateTitle(const CString& title, int id)
{
    CString text;
    text.Format(L"update T_ITEM set title='%ls' where id=%d", (LPCWSTR)SqlEscape(title), id);
    return text;
}

CString StmtUpdateData1(const CString& data1, int id)
{
    CString text;
    text.Format(L"update T_ITEM set data1='%ls' where id=%d", (LPCWSTR)SqlEscape(data1), id);
    return text;
}

CString StmtDeleteItems(const CString& idList)
{
    return L"delete from T_ITEM where id in(" + idList + L")";
}

CString StmtDeleteItemsReturning(const CString& idList)
{
    return StmtDeleteItems(idList) + L" returning id,title,data1,clicktimes,lasttime";
}

CString StmtInsertItemWithId()
{
    return L"insert into T_ITEM(id,title,data1,clicktimes,lasttime) values(?1,?2,?3,?4,?5)";
}

CString StmtInsertImported(const CString& line)
{
    return StmtInsertItem(CString(), line);
}

CString StmtInsertItem(const CString& title, const CString& data1)
{
    CString text;
    text.Format(L"insert into T_ITEM(title,data1) values('%ls','%ls')", (LPCWSTR)SqlEscape(title),
                (LPCWSTR)SqlEscape(data1));
    return text;
}

CString StmtInsertWholeItem()
{
    return L"insert into T_ITEM(title,data1,clicktimes,lasttime) values(?1,?2,?3,?4)";
}

CString StmtSelectEveryItemTexts()
{
    return L"SELECT id,title,data1 FROM T_ITEM";
}

CString StmtSelectItemTexts()
{
    return L"SELECT title,data1 FROM T_ITEM where id=?1";
}

CString StmtSelectItemsFromIdDown()
{
    return L"SELECT id,title,data1,clicktimes,lasttime FROM T_ITEM where id<=?1 and id>=?2 order by id desc";
}
