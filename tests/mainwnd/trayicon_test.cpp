// The notification-area icon record: its first form (152 bytes in 32-bit code) and every field of it.
#include "mainwnd/trayicon.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

namespace {

TEST(TrayIconRecord, HoldsTheMainWindowsIdentityCallbackIconAndTip)
{
    HWND hWnd = reinterpret_cast<HWND>(0x1234);
    HICON hIcon = reinterpret_cast<HICON>(0x5678);
    NOTIFYICONDATAW record = MakeTrayIconRecord(hWnd, hIcon, L"Mirelo");

    // The first form ends with the 64-unit tip: 152 bytes with 32-bit handles, 168 with 64-bit ones.
    EXPECT_EQ(record.cbSize, offsetof(NOTIFYICONDATAW, szTip) + 64 * sizeof(WCHAR));
    EXPECT_EQ(record.cbSize, sizeof(void*) == 4 ? 152u : 168u);
    EXPECT_EQ(record.hWnd, hWnd);
    EXPECT_EQ(record.uID, TRAY_ID);
    EXPECT_EQ(record.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(record.uCallbackMessage, TRAY_ID);
    EXPECT_EQ(record.hIcon, hIcon);
    EXPECT_STREQ(record.szTip, L"Mirelo");
}

TEST(TrayIconRecord, ALongTipIsCutTo63UnitsAndItsTerminator)
{
    std::wstring longTip(100, L'字');
    NOTIFYICONDATAW record = MakeTrayIconRecord(nullptr, nullptr, longTip.c_str());
    EXPECT_EQ(std::wstring(record.szTip), longTip.substr(0, 63));
    EXPECT_EQ(record.szTip[63], L'\0');
}

}  // namespace
