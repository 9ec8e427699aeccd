// CTeamSync: one thread waits for the folder's notifications, a request or its stop, and refreshes.
#include "items/teamsync.h"

#include "corelib/time_text.h"
#include "items/teamfile.h"
#include "items/teamwatcher.h"
#include "store/dberror.h"
#include "store/teamstore.h"

#include <exception>
#include <optional>

namespace {

constexpr wchar_t kUnreachableKept[] = L"团队项目文件暂时无法读取，显示 %ls 的版本。";
constexpr wchar_t kUnreachableNone[] = L"团队项目文件暂时无法读取。";
constexpr wchar_t kMalformedKept[] = L"团队项目文件第 %d 行的记录有误（%ls），显示 %ls 的版本。";
constexpr wchar_t kMalformedNone[] = L"团队项目文件第 %d 行的记录有误（%ls），未载入团队项目。";
constexpr wchar_t kNotItemsFileKept[] = L"团队项目文件不是导出的项目文件，显示 %ls 的版本。";
constexpr wchar_t kNotItemsFileNone[] = L"团队项目文件不是导出的项目文件，未载入团队项目。";
constexpr wchar_t kNotStored[] = L"无法写入数据库，团队项目未更新。";

// What is said of a file out of reach: the version shown, when one of that file is kept.
CString UnreachableNotice(const std::optional<CTeamVersion>& kept, const CString& path)
{
    CString notice;
    if (kept && kept->path == path.str())
        notice.Format(kUnreachableKept, kept->readTime.c_str());
    else
        notice = kUnreachableNone;
    return notice;
}

CString NowText()
{
    SYSTEMTIME now = {};
    ::GetLocalTime(&now);
    return FormatTime(now, kDefaultTimeFormat);
}

}  // namespace

CTeamSync::~CTeamSync()
{
    Stop();
}

void CTeamSync::Start(const CString& connStr, const CString& path, HWND notify, UINT message, bool readNow)
{
    Stop();
    m_connStr = connStr;
    m_path = path;
    m_notify = notify;
    m_message = message;
    m_readLook.reset();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_notice.Empty();
    }
    m_stopEvent.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    m_checkEvent.Reset(::CreateEventW(nullptr, FALSE, readNow ? TRUE : FALSE, nullptr));
    if (!m_stopEvent || !m_checkEvent)
        throw std::bad_alloc();
    m_thread = std::thread(&CTeamSync::Run, this);
}

void CTeamSync::Stop()
{
    if (!m_thread.joinable())
        return;
    ::SetEvent(m_stopEvent.Get());
    m_thread.join();
}

void CTeamSync::Check()
{
    if (m_thread.joinable())
        ::SetEvent(m_checkEvent.Get());
}

CString CTeamSync::Notice() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_notice;
}

void CTeamSync::Run()
{
    CFolderWatch watch;
    int busyTries = 0;
    for (;;) {
        if (!watch.IsWatching() && !m_path.IsEmpty())
            watch.Watch(m_path);
        HANDLE handles[3] = {m_stopEvent.Get(), m_checkEvent.Get(), watch.Handle()};
        const DWORD count = watch.IsWatching() ? 3 : 2;
        const DWORD waited =
            ::WaitForMultipleObjects(count, handles, FALSE, busyTries > 0 ? kBusyRetryMs : INFINITE);
        if (waited == WAIT_OBJECT_0)
            break;
        if (waited == WAIT_OBJECT_0 + 2) {
            // A save is often a few changes in a row (a temporary file written, then renamed). A
            // folder that never goes quiet (a large file copied into it) is read all the same after
            // a while, and a stop is never kept waiting.
            if (!Settle(watch))
                break;
        } else if (waited == WAIT_FAILED) {
            watch.Close();
            continue;
        }
        bool done = true;
        try {
            done = Refresh();
        } catch (...) {
            // Memory for the file's items, or a conversion the system refused: the kept version
            // stays, and the file is said to be out of reach.
            done = true;
            Tell(kUnreachableNone, false);
        }
        busyTries = done ? 0 : busyTries + 1;
        if (busyTries >= kBusyTries) {
            // Held for seconds: said as out of reach; the next notification or bringing up tries again.
            busyTries = 0;
            Tell(UnreachableNotice(ReadTeamVersion(m_connStr), m_path), false);
        }
    }
}

bool CTeamSync::Settle(CFolderWatch& watch)
{
    const ULONGLONG start = ::GetTickCount64();
    while (watch.Rearm() && ::GetTickCount64() - start < kSettleMaxMs) {
        HANDLE handles[2] = {m_stopEvent.Get(), watch.Handle()};
        const DWORD waited = ::WaitForMultipleObjects(2, handles, FALSE, kSettleMs);
        if (waited == WAIT_OBJECT_0)
            return false;
        if (waited != WAIT_OBJECT_0 + 1)
            break;
    }
    return true;
}

bool CTeamSync::Refresh()
{
    if (m_path.IsEmpty()) {
        Tell(DropTeamVersion(m_connStr) ? CString() : CString(kNotStored), true);
        return true;
    }
    // Bringing the window up looks at the file each time: a file as it was read costs no reading.
    const std::optional<CTeamFileLook> look = LookAtTeamFile(m_path);
    if (look && m_readLook && *look == *m_readLook) {
        Tell(m_readNotice, false);
        return true;
    }
    const CTeamFileRead read = ReadTeamFile(m_path);
    if (read.outcome == CTeamFileRead::Outcome::Busy)
        return false;
    m_readLook.reset();
    std::optional<CTeamVersion> kept = ReadTeamVersion(m_connStr);
    bool dropped = false;
    if (kept && kept->path != m_path.str()) {
        // Another file's items are not this one's, whatever becomes of this one.
        dropped = DropTeamVersion(m_connStr);
        kept.reset();
    }
    CString notice;
    switch (read.outcome) {
    case CTeamFileRead::Outcome::Read: {
        CTeamVersion version{m_path.str(), TeamItemsDigest(read.items), NowText().str()};
        if (kept && kept->digest == version.digest) {
            Tell(CString(), false);  // the same items: the database stays as it is
            Remember(look, CString());
            return true;
        }
        const bool stored = StoreTeamVersion(m_connStr, version, read.items);
        Tell(stored ? CString() : CString(kNotStored), stored || dropped);
        if (stored)
            Remember(look, CString());
        return true;
    }
    case CTeamFileRead::Outcome::Unreachable:
        notice = UnreachableNotice(kept, m_path);
        break;
    case CTeamFileRead::Outcome::Malformed:
        if (kept)
            notice.Format(kMalformedKept, read.faultLine, RecordFaultReason(read.fault).GetString(),
                          kept->readTime.c_str());
        else
            notice.Format(kMalformedNone, read.faultLine, RecordFaultReason(read.fault).GetString());
        break;
    case CTeamFileRead::Outcome::NotItemsFile:
        if (kept)
            notice.Format(kNotItemsFileKept, kept->readTime.c_str());
        else
            notice = kNotItemsFileNone;
        break;
    case CTeamFileRead::Outcome::Busy:
        break;
    }
    // A file read whole and found wrong stays wrong until it changes.
    if (read.outcome != CTeamFileRead::Outcome::Unreachable)
        Remember(look, notice);
    Tell(notice, dropped);
    return true;
}

void CTeamSync::Remember(const std::optional<CTeamFileLook>& look, const CString& notice)
{
    m_readLook = look;
    m_readNotice = notice;
}

void CTeamSync::Tell(const CString& notice, bool stored)
{
    bool changed = stored;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_notice != notice) {
            m_notice = notice;
            changed = true;
        }
    }
    if (changed)
        ::PostMessageW(m_notify, m_message, 0, 0);
}
