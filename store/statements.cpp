// The statement catalogue of T_ITEM and the rule for putting text values into it.
#include "store/statements.h"

#include "base/text_codec.h"
#include "store/dberror.h"

const char* const kHeatOrder = "order by clicktimes desc,lasttime desc";

namespace {

// The platform has a lead-byte test but none for the second byte. This one is needed: a byte below
// 0x40 (a quote among them) never completes a character in code page 936, so after a lead byte it
// must stay a character of its own rather than be kept as a second half.
bool IsTrailByte(unsigned char ch)
{
    return ch >= 0x40 && ch <= 0xFE && ch != 0x7F;
}

// Only when the conversion itself fails (out of memory): keep whole double-byte characters and
// put '?' for a lead byte without its second half, which could otherwise swallow a quote.
std::string KeepWholeCharacters(const std::string& text)
{
    std::string kept;
    for (size_t i = 0; i < text.size(); ++i) {
        if (!IsLeadByte(text[i])) {
            kept += text[i];
        } else if (i + 1 < text.size() && IsTrailByte(static_cast<unsigned char>(text[i + 1]))) {
            kept += text[i];
            kept += text[++i];
        } else {
            kept += '?';
        }
    }
    return kept;
}

// The value as the engine will see it. The statement goes to the engine through the ANSI to
// UTF-16 conversion, which joins a stray lead byte with whatever byte follows, a quote included;
// a quote doubled before that could come out single and end the literal early. Round-tripping the
// value first makes every quote that survives the conversion one that the doubling below sees.
std::string AsTheEngineSeesIt(const CString& text)
{
    try {
        return WideToSystem(SystemToWide(text, ThrowAsDbError), Unmappable::BestFit, ThrowAsDbError).str();
    } catch (const CDbError&) {
        return KeepWholeCharacters(text.str());
    }
}

}  // namespace

CString SqlEscape(const CString& text)
{
    std::string escaped;
    for (char ch : AsTheEngineSeesIt(text)) {
        escaped += ch;
        if (ch == '\'')
            escaped += '\'';
    }
    return CString(escaped);
}

CString StmtSelectItems(const CString& orderClause)
{
    return "SELECT id,title,data1 FROM T_ITEM " + orderClause;
}

CString StmtSelectContent(int id)
{
    CString text;
    text.Format("select data1 from T_ITEM where id=%d", id);
    return text;
}

CString StmtCountClick(const CString& time, int id)
{
    CString text;
    text.Format("update T_ITEM set clicktimes=clicktimes+1,lasttime='%s' where id=%d",
                (LPCSTR)SqlEscape(time), id);
    return text;
}

CString StmtClearHistory()
{
    return "update T_ITEM set clicktimes=0,lasttime=NULL";
}

CString StmtSelectNewestFirst()
{
    return "SELECT id,title,data1 FROM T_ITEM order by id desc";
}

CString StmtUpdateItem(const CString& title, const CString& data1, int id)
{
    CString text;
    text.Format("update T_ITEM set title='%s',data1='%s' where id=%d", (LPCSTR)SqlEscape(title),
                (LPCSTR)SqlEscape(data1), id);
    return text;
}

CString StmtUpdateTitle(const CString& title, int id)
{
    CString text;
    text.Format("update T_ITEM set title='%s' where id=%d", (LPCSTR)SqlEscape(title), id);
    return text;
}

CString StmtUpdateData1(const CString& data1, int id)
{
    CString text;
    text.Format("update T_ITEM set data1='%s' where id=%d", (LPCSTR)SqlEscape(data1), id);
    return text;
}

CString StmtDeleteItems(const CString& idList)
{
    return "delete from T_ITEM where id in(" + idList + ")";
}

CString StmtInsertImported(const CString& line)
{
    return StmtInsertItem(CString(), line);
}

CString StmtInsertItem(const CString& title, const CString& data1)
{
    CString text;
    text.Format("insert into T_ITEM(title,data1) values('%s','%s')", (LPCSTR)SqlEscape(title),
                (LPCSTR)SqlEscape(data1));
    return text;
}
