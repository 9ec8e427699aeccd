// The main window with its hot-list load observed (and run) and click-to-copy observed instead of run.
#pragma once

#include "mainwnd/maindlg.h"

#include <string>
#include <vector>

namespace testing_support {

class CProbedMainDlg : public CMainDlg {
public:
    HWND ListBox() const { return m_list.m_hWnd; }
    HICON MainIcon() const { return m_hIcon; }
    bool Copied(int id) const;

    std::vector<int> m_copiedIds;  // every CopyItem call, in order
    int m_loadCount = 0;           // LoadHotList calls
    int m_loadsDuringInit = -1;    // LoadHotList calls made before initialisation returned
    int m_loadsEnded = 0;          // loads read to their end, whole or not
    HWND m_loadedList = nullptr;   // the list LoadHotList was given

protected:
    BOOL OnInitDialog() override;
    void LoadHotList(CHotListBox& list) override;
    void OnHotListLoaded(RowQueryEnd end) override;
    void CopyItem(int id) override;
};

}  // namespace testing_support
