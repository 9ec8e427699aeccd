// CItemRows: ids and checks in memory, texts read in screenfuls.
#include "items/itemrows.h"

#include "appstate/globals.h"
#include "store/dbsession.h"
#include "store/itemid.h"
#include "store/rowquery.h"
#include "store/statements.h"
#include "store/teamstore.h"

#include <algorithm>

namespace {

// Rows read ahead when a row's texts are asked for one by one: about a screenful.
constexpr int kRowsPerRead = 64;
// Texts kept before the cache starts afresh: a few screenfuls, never the whole table.
constexpr size_t kTextsKept = 4096;

}  // namespace

RowQueryEnd CItemRows::Load(const CString& connStr)
{
    m_connStr = connStr;
    m_ids.clear();
    m_texts.clear();
    m_textsReadable = true;
    m_textsBusy = false;
    RowQueryEnd end = WalkIntegerQuery(m_connStr, StmtSelectIdsNewestFirst(), [&](long long rowid) {
        // A row whose id does not fit in 32 bits is not listed: an edit or delete of it could
        // only carry a cut id, which names another item.
        if (std::optional<int> id = ItemIdFromRowid(rowid))
            m_ids.push_back(*id);
    });
    // The team's items follow, read-only; those that are the user's too show once, as the user's.
    if (end == RowQueryEnd::AllRead)
        end = WalkTeamListIds(m_connStr, [&](int listId) { m_ids.push_back(listId); });
    // Held out by a lock, the ids are read again later, whole.
    if (end == RowQueryEnd::Busy)
        m_ids.clear();
    m_checked.assign(m_ids.size(), 0);
    m_order.resize(m_ids.size());
    for (size_t row = 0; row < m_order.size(); ++row)
        m_order[row] = static_cast<int>(row);
    m_firstOrder = 0;
    m_lastOrder = static_cast<int>(m_ids.size()) - 1;
    return end;
}

const CItemRows::Texts& CItemRows::TextsAt(int row)
{
    const int id = IdAt(row);
    auto kept = m_texts.find(id);
    if (kept != m_texts.end())
        return kept->second;
    Prefetch(row, std::min(Count() - 1, row + kRowsPerRead - 1));
    kept = m_texts.find(id);
    static const Texts notRead;
    return kept != m_texts.end() ? kept->second : notRead;
}

void CItemRows::Prefetch(int first, int last)
{
    first = std::max(first, 0);
    last = std::min(last, Count() - 1);
    if (first > last || m_textsBusy)
        return;
    bool allKept = true;
    for (int row = first; row <= last && allKept; ++row)
        allKept = m_texts.count(IdAt(row)) != 0;
    if (allKept)
        return;
    if (m_texts.size() + static_cast<size_t>(last - first + 1) > kTextsKept)
        m_texts.clear();
    std::vector<int> ids;
    std::vector<int> teamIds;
    for (auto id = m_ids.begin() + first; id != m_ids.begin() + last + 1; ++id) {
        if (IsTeamListId(*id))
            teamIds.push_back(TeamIdOfListId(*id));
        else
            ids.push_back(*id);
    }
    std::unordered_map<int, Texts> read;
    auto keep = [&](const CDbRow& record) {
        std::optional<int> id = ItemIdFromValue(record.Value(0));
        if (id)
            read[*id] = Texts{g_db->ValueToText(record.Value(1)), g_db->ValueToText(record.Value(2))};
    };
    RowQueryEnd end = RowQueryEnd::AllRead;
    if (!ids.empty())
        end = WalkRowQuery(m_connStr, StmtSelectItemsIn(ItemIdList(ids)), keep);
    if (!teamIds.empty() && end == RowQueryEnd::AllRead)
        end = WalkRowQuery(m_connStr, StmtSelectTeamItemsIn(ItemIdList(teamIds)), keep);
    if (end == RowQueryEnd::Busy) {
        // Nothing is kept: the rows are read again once the lock is gone.
        m_textsBusy = true;
        return;
    }
    if (end == RowQueryEnd::Failed)
        m_textsReadable = false;
    // Every row asked for is kept, found or not, so that a row is not read again at each paint.
    for (int row = first; row <= last; ++row) {
        const int id = IdAt(row);
        if (m_texts.count(id) == 0)
            m_texts[id] = std::move(read[id]);
    }
}

void CItemRows::CheckAll(bool checked)
{
    std::fill(m_checked.begin(), m_checked.end(), checked ? 1 : 0);
}

std::vector<int> CItemRows::CheckedIds() const
{
    std::vector<int> ids;
    for (size_t row = 0; row < m_ids.size(); ++row) {
        if (m_checked[row])
            ids.push_back(m_ids[row]);
    }
    return ids;
}

std::vector<CItemRows::Place> CItemRows::CheckedPlaces() const
{
    std::vector<Place> places;
    for (size_t row = 0; row < m_ids.size(); ++row) {
        if (m_checked[row])
            places.push_back({m_ids[row], m_order[row]});
    }
    return places;
}

void CItemRows::AddFirst(int id, const Texts& texts)
{
    m_ids.insert(m_ids.begin(), id);
    m_checked.insert(m_checked.begin(), 0);
    m_order.insert(m_order.begin(), --m_firstOrder);
    m_texts[id] = texts;
}

void CItemRows::AddLast(const std::vector<int>& ids)
{
    m_ids.insert(m_ids.end(), ids.begin(), ids.end());
    m_checked.resize(m_ids.size(), 0);
    while (m_order.size() < m_ids.size())
        m_order.push_back(++m_lastOrder);
}

void CItemRows::RemoveRow(int row)
{
    m_texts.erase(IdAt(row));
    m_ids.erase(m_ids.begin() + row);
    m_checked.erase(m_checked.begin() + row);
    m_order.erase(m_order.begin() + row);
}

void CItemRows::RemoveChecked()
{
    size_t kept = 0;
    for (size_t row = 0; row < m_ids.size(); ++row) {
        if (m_checked[row]) {
            m_texts.erase(m_ids[row]);
            continue;
        }
        m_ids[kept] = m_ids[row];
        m_order[kept] = m_order[row];
        m_checked[kept] = 0;
        ++kept;
    }
    m_ids.resize(kept);
    m_order.resize(kept);
    m_checked.resize(kept);
}

void CItemRows::PutBack(std::vector<Place> places)
{
    std::sort(places.begin(), places.end(), [](const Place& a, const Place& b) { return a.order < b.order; });
    std::vector<int> ids, order;
    ids.reserve(m_ids.size() + places.size());
    order.reserve(ids.capacity());
    std::vector<char> checked;
    checked.reserve(ids.capacity());
    // Both runs stand in ascending order: one merge puts each row back between its neighbours.
    size_t row = 0, back = 0;
    while (row < m_ids.size() || back < places.size()) {
        if (back == places.size() || (row < m_ids.size() && m_order[row] < places[back].order)) {
            ids.push_back(m_ids[row]);
            order.push_back(m_order[row]);
            checked.push_back(m_checked[row++]);
        } else {
            ids.push_back(places[back].id);
            order.push_back(places[back++].order);
            checked.push_back(0);
        }
    }
    m_ids.swap(ids);
    m_order.swap(order);
    m_checked.swap(checked);
}
