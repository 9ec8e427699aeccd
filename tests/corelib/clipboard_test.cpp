// The real clipboard: the text exactly, the system's CF_TEXT of it, the owner, and another process
// holding it open.
#include "base/kernel_handles.h"
#include "corelib/clipboard_session.h"
#include "corelib/core.h"
#include "tests/corelib/test_window.h"
#include "tests/support/pump.h"
#include "tests/support/testdb.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Characters beyond the basic plane and beyond code page 936 among Chinese ones.
const wchar_t kCopied[] = L"复制 Mirelo！😀 𠮷 ß";

// A text the system code page holds, so that CF_TEXT carries it whole.
std::wstring TextTheCodePageHolds()
{
    switch (::GetACP()) {
    case 936:
        return L"中文 Mirelo";
    case 1252:
        return L"café ½";
    default:
        return L"Mirelo";
    }
}

struct ClipboardContents {
    bool opened = false;
    HWND owner = nullptr;
    bool hasText = false;
    bool hasUnicode = false;
    std::string text;
    std::wstring unicode;
};

// What the clipboard holds now, read back with GetClipboardData.
ClipboardContents ReadClipboard()
{
    ClipboardContents contents;
    CClipboardSession clipboard(nullptr, 2000);
    contents.opened = clipboard.IsOpen();
    if (!contents.opened)
        return contents;
    contents.owner = ::GetClipboardOwner();
    if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
        contents.hasText = true;
        contents.text = static_cast<const char*>(::GlobalLock(data));
        ::GlobalUnlock(data);
    }
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        contents.hasUnicode = true;
        contents.unicode = static_cast<const wchar_t*>(::GlobalLock(data));
        ::GlobalUnlock(data);
    }
    return contents;
}

// The clipboard_holder helper running as another process (see clipboard_holder.cpp).
class CClipboardHolder {
public:
    enum class Mode { Hold, Takeover };

    CClipboardHolder(Mode mode, DWORD holdMs)
    {
        static int counter = 0;
        std::wstring prefix = L"MireloClipboardHolder-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++counter);
        m_started.Reset(::CreateEventW(nullptr, TRUE, FALSE, (prefix + L"-started").c_str()));
        m_go.Reset(::CreateEventW(nullptr, TRUE, FALSE, (prefix + L"-go").c_str()));
        m_ready.Reset(::CreateEventW(nullptr, TRUE, FALSE, (prefix + L"-ready").c_str()));
        m_release.Reset(::CreateEventW(nullptr, TRUE, FALSE, (prefix + L"-release").c_str()));

        wchar_t exe[MAX_PATH] = {};
        ::GetModuleFileNameW(nullptr, exe, ARRAYSIZE(exe));
        std::wstring helper = exe;
        helper = helper.substr(0, helper.rfind(L'\\') + 1) + L"clipboard_holder.exe";
        std::wstring commandLine = L"\"" + helper + L"\" " + prefix + L" " + std::to_wstring(holdMs) +
                                   (mode == Mode::Takeover ? L" takeover" : L" hold");
        std::vector<wchar_t> mutableLine(commandLine.begin(), commandLine.end());
        mutableLine.push_back(L'\0');
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process = {};
        if (::CreateProcessW(helper.c_str(), mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &process)) {
            CKernelHandle thread(process.hThread);  // not needed: closed at once
            m_process.Reset(process.hProcess);
            m_processId = process.dwProcessId;
        }
    }
    ~CClipboardHolder()
    {
        ::SetEvent(m_go.Get());
        Release();
        if (m_process.Get() && ::WaitForSingleObject(m_process.Get(), 10000) != WAIT_OBJECT_0)
            ::TerminateProcess(m_process.Get(), 3);
    }
    CClipboardHolder(const CClipboardHolder&) = delete;
    CClipboardHolder& operator=(const CClipboardHolder&) = delete;

    // Pumps until the event is set; false if the helper ended first or did not start.
    bool PumpUntilSet(const CKernelHandle& event)
    {
        if (!m_process.Get())
            return false;
        testing_support::PumpUntil([&] { return IsSet(event) || IsSet(m_process); }, 20000);
        return IsSet(event);
    }
    bool PumpUntilHolding() { return PumpUntilSet(m_ready); }
    bool PumpUntilStarted() { return PumpUntilSet(m_started); }

    // Lets the takeover go on and waits, answering nothing that is sent to this thread, until
    // the helper has the clipboard open: its next step then waits on this thread.
    bool GoAndWaitUntilHolding()
    {
        ::SetEvent(m_go.Get());
        HANDLE handles[] = {m_ready.Get(), m_process.Get()};
        return ::WaitForMultipleObjects(2, handles, FALSE, 20000) == WAIT_OBJECT_0;
    }
    void Release() { ::SetEvent(m_release.Get()); }
    // The helper's exit code once it has ended, or STILL_ACTIVE after the deadline.
    DWORD PumpUntilExit()
    {
        DWORD code = STILL_ACTIVE;
        testing_support::PumpUntil([&] { return IsSet(m_process); }, 20000);
        ::GetExitCodeProcess(m_process.Get(), &code);
        return code;
    }
    DWORD ProcessId() const { return m_processId; }

private:
    static bool IsSet(const CKernelHandle& handle)
    {
        return ::WaitForSingleObject(handle.Get(), 0) == WAIT_OBJECT_0;
    }

    CKernelHandle m_started;
    CKernelHandle m_go;
    CKernelHandle m_ready;
    CKernelHandle m_release;
    CKernelHandle m_process;
    DWORD m_processId = 0;
};

DWORD ProcessHoldingTheClipboard()
{
    DWORD processId = 0;
    if (HWND holder = ::GetOpenClipboardWindow())
        ::GetWindowThreadProcessId(holder, &processId);
    return processId;
}

}  // namespace

TEST(Clipboard, HoldsTheTextExactlyAndTheSystemsCfTextOfItOwnedByTheGivenWindow)
{
    CTestWindow owner;
    CCore core;
    ASSERT_TRUE(core.toClipboard(owner.Get(), L"something else"));
    ASSERT_TRUE(core.toClipboard(owner.Get(), kCopied));

    ClipboardContents contents = ReadClipboard();
    ASSERT_TRUE(contents.opened);
    EXPECT_EQ(contents.owner, owner.Get());
    ASSERT_TRUE(contents.hasUnicode);
    EXPECT_EQ(contents.unicode, kCopied) << "emoji, 𠮷 and ß come back as they were";
    // Closed again: anyone can open it now.
    EXPECT_EQ(::GetOpenClipboardWindow(), nullptr);

    // CF_TEXT is derived by the system: the text in the system code page.
    const std::wstring held = TextTheCodePageHolds();
    ASSERT_TRUE(core.toClipboard(owner.Get(), held.c_str()));
    contents = ReadClipboard();
    ASSERT_TRUE(contents.hasText);
    EXPECT_EQ(contents.text, testing_support::InSystemCodePage(held)) << "code page " << ::GetACP();
    EXPECT_EQ(contents.unicode, held);
}

TEST(Clipboard, EmptyTextIsCopiedAsEmptyText)
{
    CTestWindow owner;
    CCore core;
    ASSERT_TRUE(core.toClipboard(owner.Get(), L""));
    ClipboardContents contents = ReadClipboard();
    ASSERT_TRUE(contents.hasText);
    ASSERT_TRUE(contents.hasUnicode);
    EXPECT_EQ(contents.text, "");
    EXPECT_EQ(contents.unicode, L"");
}

TEST(Clipboard, WaitsForAnotherProcessThatLetsGoWithinTheSecond)
{
    CTestWindow owner;
    CCore core;
    ASSERT_TRUE(core.toClipboard(owner.Get(), L"before"));
    CClipboardHolder holder(CClipboardHolder::Mode::Hold, 300);
    ASSERT_TRUE(holder.PumpUntilHolding());
    ASSERT_EQ(ProcessHoldingTheClipboard(), holder.ProcessId());

    EXPECT_TRUE(core.toClipboard(owner.Get(), kCopied));
    EXPECT_EQ(holder.PumpUntilExit(), 0u);
    ClipboardContents contents = ReadClipboard();
    EXPECT_EQ(contents.owner, owner.Get());
    EXPECT_EQ(contents.unicode, kCopied);
}

TEST(Clipboard, AnswersAnotherProcessThatEmptiesItWhileWaiting)
{
    // The other program empties the clipboard that our window owns: it waits for our window to
    // answer WM_DESTROYCLIPBOARD, so a copy that only slept between attempts would wait for it
    // while it waits for us, and give up.
    CTestWindow owner;
    CCore core;
    ASSERT_TRUE(core.toClipboard(owner.Get(), L"before"));
    CClipboardHolder holder(CClipboardHolder::Mode::Takeover, 300);
    ASSERT_TRUE(holder.PumpUntilStarted());
    ASSERT_TRUE(holder.GoAndWaitUntilHolding());

    EXPECT_TRUE(core.toClipboard(owner.Get(), kCopied));
    EXPECT_EQ(holder.PumpUntilExit(), 0u);
    ClipboardContents contents = ReadClipboard();
    EXPECT_EQ(contents.owner, owner.Get());
    EXPECT_EQ(contents.unicode, kCopied);
}

TEST(Clipboard, ReportsFailureWhenAnotherProcessKeepsItOpen)
{
    CTestWindow owner;
    CCore core;
    ASSERT_TRUE(core.toClipboard(owner.Get(), L"before"));
    CClipboardHolder holder(CClipboardHolder::Mode::Hold, 60000);
    ASSERT_TRUE(holder.PumpUntilHolding());

    EXPECT_FALSE(core.toClipboard(owner.Get(), kCopied));
    // It gave up while the other process still had the clipboard open.
    EXPECT_EQ(ProcessHoldingTheClipboard(), holder.ProcessId());
    holder.Release();
    EXPECT_EQ(holder.PumpUntilExit(), 0u);
    ClipboardContents contents = ReadClipboard();
    EXPECT_EQ(contents.unicode, L"before");
}
