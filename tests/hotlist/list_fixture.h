// A row list box in a test host, bound to CHotListBox, with the checks its tests share.
#pragma once

#include "hotlist/hotlistbox.h"
#include "hotlist/hyperlink.h"
#include "tests/hotlist/test_host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class HotListFixture : public ::testing::Test {
protected:
    void SetUp() override { ParkMouse(); }
    void TearDown() override { ParkMouse(); }

    // Binds a 540 pixels wide list box of the given height, notifying the host.
    void MakeList(int height);
    // The row control over an entry, null while the entry has no window.
    CHyperLink* Row(int index) const { return m_list.RowWindow(index); }
    // Child windows of the list: its row windows.
    int ChildWindows() const;
    CRect RowInList(int index) const;
    // The entry's row exists, is shown and lies at least partly in the client area.
    CRect ListClient() const;
    bool EntryInView(int index) const;
    bool RowShows(int index) const;
    // A point on the text of the row of a visible entry, in screen coordinates.
    POINT OnRowText(int index) const;

    // Lets the list and its rows paint.
    void Repaint();
    // Every visible entry has its own row over it, shown and hit first; no other row shows.
    std::vector<std::string> RowsNotFollowingEntries() const;
    // Pixels of the list that no shown row covers and that are not the button face.
    int UncleanPixels() const;

    static constexpr int kListLeft = 10;
    static constexpr int kListTop = 10;
    static constexpr int kListWidth = 540;

    CTestHost m_host{10, 10, 560, 640};
    CHotListBox m_list;
};
