// The notification-area icon record: its first form (88 bytes in 32-bit code) and every field of it.
#include "mainwnd/trayicon.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>

namespace {

TEST(TrayIconRecord, HoldsTheMainWindowsIdentityCallbackIconAndTip)
{
    HWND hWnd = reinterpret_cast<HWND>(0x1234);
    HICON hIcon = reinterpret_cast<HICON>(0x5678);
    NOTIFYICONDATAW record = MakeTrayIconRecord(hWnd, hIcon, L"Mirelo");

    // The first form ends with the 64-byte tip: 88 bytes with 32-bit handles, 104 with 64-bit ones.
    EXPECT_EQ(record.cbSize, offsetof(NOTIFYICONDATAW, szTip) + 64);
    EXPECT_EQ(record.cbSize, sizeof(void*) == 4 ? 88u : 104u);
    EXPECT_EQ(record.hWnd, hWnd);
    EXPECT_EQ(record.uID, TRAY_ID);
    EXPECT_EQ(record.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(record.uCallbackMessage, TRAY_ID);
    EXPECT_EQ(record.hIcon, hIcon);
    EXPECT_STREQ(record.szTip, L"Mirelo");
}

TEST(TrayIconRecord, ALongTipIsCutTo63BytesAndItsTerminator)
{
    std::string longTip(100, 'x');
    NOTIFYICONDATAW record = MakeTrayIconRecord(nullptr, nullptr, longTip.c_str());
    EXPECT_EQ(std::strlen(record.szTip), 63u);
    EXPECT_EQ(record.szTip[63], '\0');
}

}  // namespace
