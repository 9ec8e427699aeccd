// Own and team items in one hot list: each shown once, in heat order by the user's own clicks,
// which outlive changes of the team file.
#include "store/changestamp.h"
#include "store/rowquery.h"
#include "store/teamstore.h"
#include "tests/store/store_fixture.h"

#include <algorithm>
#include <optional>

namespace {

struct MergeCase {
    const char* reason;
    std::vector<testing_support::TestItem> own;
    std::vector<CTeamItem> team;
    std::vector<std::wstring> clicks;             // team labels clicked, in turn, once the file is read
    std::optional<std::vector<CTeamItem>> later;  // the file as it is saved next
    std::vector<std::wstring> shown;              // labels top to bottom, a team item's marked "团:"
};

class TeamMerge : public StoreTest {
protected:
    // The whole list; or its first rows, which the first screenful's statement reads.
    std::vector<std::wstring> Shown(int first = -1)
    {
        std::vector<std::wstring> rows;
        EXPECT_TRUE(RunRowQuery(ConnStr(), StmtSelectHotRowsWithTeam(first), [&](const CDbRow& row) {
            rows.push_back((m_session.ValueToInt(row.Value(0)) < 0 ? L"团:" : L"") +
                           m_session.ValueToText(row.Value(1)).str());
        }));
        return rows;
    }
    void Store(const std::vector<CTeamItem>& items, const wchar_t* digest)
    {
        ASSERT_TRUE(StoreTeamVersion(
            ConnStr(), {L"\\\\server\\share\\team.csv", digest, L"2026-12-09 10:00:00"}, items));
    }
    void Click(const std::wstring& title, int second)
    {
        const int teamId = std::stoi(
            testing_support::QueryText(m_path, L"SELECT id FROM T_TEAM_ITEM WHERE title='" + title + L"'"));
        CString time;
        time.Format(L"2026-12-09 11:00:%02d", second);
        ASSERT_TRUE(m_session.Execute(StmtCountTeamClick(time, teamId)));
    }
};

TEST_F(TeamMerge, OwnAndTeamItemsShowOnceInHeatOrderByTheUsersClicks)
{
    const MergeCase cases[] = {
        {"an item both the user's and the team's shows once, as the user's",
         {{L"地址", L"北京"}},
         {{L"地址", L"北京"}, {L"问候", L"您好"}},
         {},
         std::nullopt,
         {L"地址", L"团:问候"}},
        {"the same label with another content is another item",
         {{L"地址", L"北京"}},
         {{L"地址", L"上海"}},
         {},
         std::nullopt,
         {L"地址", L"团:地址"}},
        {"team items take their place among own ones by the clicks counted here",
         {{L"甲", L"1", 3, L"2026-12-01 09:00:00"}, {L"乙", L"2", 1, L"2026-12-01 09:00:00"}},
         {{L"丙", L"3"}, {L"丁", L"4"}},
         {L"丁", L"丁"},
         std::nullopt,
         {L"甲", L"团:丁", L"乙", L"团:丙"}},
        {"clicks outlive a new version that keeps the item's texts; a new item comes after the kept",
         {},
         {{L"丙", L"3"}, {L"丁", L"4"}},
         {L"丁"},
         std::vector<CTeamItem>{{L"戊", L"5"}, {L"丁", L"4"}, {L"丙", L"3"}},
         {L"团:丁", L"团:丙", L"团:戊"}},
        {"an item whose content changed is a new item, without the old one's clicks",
         {},
         {{L"丙", L"3"}, {L"丁", L"4"}},
         {L"丁"},
         std::vector<CTeamItem>{{L"丙", L"3"}, {L"丁", L"四"}},
         {L"团:丙", L"团:丁"}},
        {"a record the file repeats is one item",
         {},
         {{L"丙", L"3"}, {L"丙", L"3"}},
         {},
         std::nullopt,
         {L"团:丙"}},
        {"at equal heat the user's items come first",
         {{L"甲", L"1"}},
         {{L"乙", L"2"}},
         {},
         std::nullopt,
         {L"甲", L"团:乙"}},
    };
    for (const MergeCase& row : cases) {
        SCOPED_TRACE(row.reason);
        CreateItems(row.own);
        Store(row.team, L"first");
        for (size_t i = 0; i < row.clicks.size(); ++i)
            Click(row.clicks[i], static_cast<int>(i));
        if (row.later)
            Store(*row.later, L"later");
        EXPECT_EQ(Shown(), row.shown);
        EXPECT_EQ(Shown(2), std::vector<std::wstring>(
                                row.shown.begin(), row.shown.begin() + std::min<size_t>(2, row.shown.size())))
            << "the first screenful: the list's first rows";
        // The user's own table is as it was.
        EXPECT_EQ(Items().size(), row.own.size());
    }
}

// No team file any more: its items go at once, the clicks stay for a file that brings them back,
// and looking again writes nothing (a write would make the window read its list again).
TEST_F(TeamMerge, NoTeamFileAnyMoreTakesItsItemsAwayOnceAndKeepsTheirClicks)
{
    CreateItems({{L"甲", L"1"}});
    Store({{L"乙", L"2"}}, L"first");
    Click(L"乙", 0);
    ASSERT_TRUE(DropTeamVersion(ConnStr()));
    EXPECT_EQ(Shown(), (std::vector<std::wstring>{L"甲"}));
    const std::optional<CDatabaseStamp> dropped = ReadDatabaseStamp(m_path);
    ASSERT_TRUE(DropTeamVersion(ConnStr()));
    EXPECT_TRUE(dropped && ReadDatabaseStamp(m_path) == dropped) << "nothing kept, nothing written";
    Store({{L"乙", L"2"}}, L"again");
    EXPECT_EQ(Shown(), (std::vector<std::wstring>{L"团:乙", L"甲"}));
}

}  // namespace
