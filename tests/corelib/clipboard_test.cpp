// The real clipboard: both text formats, the owner, and another process holding it open.
#include "base/kernel_handles.h"
#include "corelib/clipboard_session.h"
#include "corelib/core.h"
#include "tests/corelib/test_window.h"
#include "tests/support/pump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// "复制 Mirelo！" in code page 936 bytes and in UTF-16.
const char kCopiedBytes[] = "\xb8\xb4\xd6\xc6 Mirelo\xa3\xa1";
const wchar_t kCopiedUnits[] = L"\u590d\u5236 Mirelo\uff01";

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
        std::string prefix = "MireloClipboardHolder-" + std::to_string(::GetCurrentProcessId()) + "-" +
                             std::to_string(++counter);
        m_started.Reset(::CreateEventA(nullptr, TRUE, FALSE, (prefix + "-started").c_str()));
        m_go.Reset(::CreateEventA(nullptr, TRUE, FALSE, (prefix + "-go").c_str()));
        m_ready.Reset(::CreateEventA(nullptr, TRUE, FALSE, (prefix + "-ready").c_str()));
        m_release.Reset(::CreateEventA(nullptr, TRUE, FALSE, (prefix + "-release").c_str()));

        char exe[MAX_PATH] = {};
        ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
        std::string helper = exe;
        helper = helper.substr(0, helper.rfind('\\') + 1) + "clipboard_holder.exe";
        std::string commandLine = "\"" + helper + "\" " + prefix + " " + std::to_string(holdMs) +
                                  (mode == Mode::Takeover ? " takeover" : " hold");
        std::vector<char> mutableLine(commandLine.begin(), commandLine.end());
        mutableLine.push_back('\0');
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process = {};
        if (::CreateProcessA(helper.c_str(), mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
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

TEST(Clipboard, HoldsBothFormatsWithTheRightBytesOwnedByTheGivenWindow)
{
    CTestWindow owner;
    CCore core;
    ASSERT_TRUE(core.toClipboard(owner.Get(), "something else"));
    ASSERT_TRUE(core.toClipboard(owner.Get(), kCopiedBytes));

    ClipboardContents contents = ReadClipboard();
    ASSERT_TRUE(contents.opened);
    EXPECT_EQ(contents.owner, owner.Get());
    ASSERT_TRUE(contents.hasText);
    ASSERT_TRUE(contents.hasUnicode);
    EXPECT_EQ(contents.text, kCopiedBytes);
    EXPECT_EQ(contents.unicode, kCopiedUnits);
    // Closed again: anyone can open it now.
    EXPECT_EQ(::GetOpenClipboardWindow(), nullptr);
}

TEST(Clipboard, EmptyTextIsCopiedAsEmptyText)
{
    CTestWindow owner;
    CCore core;
    ASSERT_TRUE(core.toClipboard(owner.Get(), ""));
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
    ASSERT_TRUE(core.toClipboard(owner.Get(), "before"));
    CClipboardHolder holder(CClipboardHolder::Mode::Hold, 300);
    ASSERT_TRUE(holder.PumpUntilHolding());
    ASSERT_EQ(ProcessHoldingTheClipboard(), holder.ProcessId());

    EXPECT_TRUE(core.toClipboard(owner.Get(), kCopiedBytes));
    EXPECT_EQ(holder.PumpUntilExit(), 0u);
    ClipboardContents contents = ReadClipboard();
    EXPECT_EQ(contents.owner, owner.Get());
    EXPECT_EQ(contents.text, kCopiedBytes);
    EXPECT_EQ(contents.unicode, kCopiedUnits);
}

TEST(Clipboard, AnswersAnotherProcessThatEmptiesItWhileWaiting)
{
    // The other program empties the clipboard that our window owns: it waits for our window to
    // answer WM_DESTROYCLIPBOARD, so a copy that only slept between attempts would wait for it
    // while it waits for us, and give up.
    CTestWindow owner;
    CCore core;
    ASSERT_TRUE(core.toClipboard(owner.Get(), "before"));
    CClipboardHolder holder(CClipboardHolder::Mode::Takeover, 300);
    ASSERT_TRUE(holder.PumpUntilStarted());
    ASSERT_TRUE(holder.GoAndWaitUntilHolding());

    EXPECT_TRUE(core.toClipboard(owner.Get(), kCopiedBytes));
    EXPECT_EQ(holder.PumpUntilExit(), 0u);
    ClipboardContents contents = ReadClipboard();
    EXPECT_EQ(contents.owner, owner.Get());
    EXPECT_EQ(contents.text, kCopiedBytes);
}

TEST(Clipboard, ReportsFailureWhenAnotherProcessKeepsItOpen)
{
    CTestWindow owner;
    CCore core;
    ASSERT_TRUE(core.toClipboard(owner.Get(), "before"));
    CClipboardHolder holder(CClipboardHolder::Mode::Hold, 60000);
    ASSERT_TRUE(holder.PumpUntilHolding());

    EXPECT_FALSE(core.toClipboard(owner.Get(), kCopiedBytes));
    // It gave up while the other process still had the clipboard open.
    EXPECT_EQ(ProcessHoldingTheClipboard(), holder.ProcessId());
    holder.Release();
    EXPECT_EQ(holder.PumpUntilExit(), 0u);
    ClipboardContents contents = ReadClipboard();
    EXPECT_EQ(contents.text, "before");
}
