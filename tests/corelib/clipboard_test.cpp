// The real clipboard: the text exactly, the system's CF_TEXT of it, the owner, and another process
// holding it open.
#include "base/kernel_handles.h"
#include "corelib/clipboard_session.h"
#include "corelib/core.h"
#include "tests/corelib/clipboard_holder_process.h"
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
