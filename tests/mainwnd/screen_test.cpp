// The main window and both dialogs at each scale and screen size: on the screen, with every button
// in reach, and with the rows' text at the scale's size. Each row needs a Wine prefix of its own
// DPI and desktop size: screen_rows.sh prepares one per row and runs the row's test.
#include "res/resource.h"
#include "tests/mainwnd/main_window_fixture.h"
#include "tests/support/testdb.h"

#include <commctrl.h>

namespace testing_support {
namespace {

struct ScreenRow {
    UINT dpi;
    int desktopWidth;
    int desktopHeight;
    bool templateFits;  // the window keeps the template's size; else it takes the work area's height
    int entryHeight;    // of the list's entries, in pixels
    int textHeight;     // of a row's font
    const char* reason;
};

// Each row's desktop has the shell's taskbar at its bottom, which the work area leaves out.
const ScreenRow kScreens[] = {
    {96, 1024, 768, true, 35, 20,
     "100 % where it fits: the window, the rows and their text as they always were"},
    {96, 800, 600, false, 35, 20,
     "100 % on a small screen: shorter, fewer rows shown, each of the same height"},
    {144, 1024, 768, false, 53, 30,
     "150 %: the template grows past the screen; the text grows with the rows"},
    {144, 1600, 1200, true, 53, 30, "150 % on a screen that holds it: the template's size at that scale"},
};

bool Inside(const RECT& inner, const RECT& outer)
{
    RECT both = {};
    return ::UnionRect(&both, &inner, &outer) && ::EqualRect(&both, &outer);
}

RECT WindowRectOf(HWND hWnd)
{
    RECT rect = {};
    ::GetWindowRect(hWnd, &rect);
    return rect;
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// The main window's template as the system makes it at this DPI, with nothing of ours placing it.
SIZE TemplateWindowSize()
{
    const HWND plain = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MAIN), nullptr,
                                            &PlainDialogProc, 0);
    const RECT rect = WindowRectOf(plain);
    ::DestroyWindow(plain);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

HWND FirstShownRow(HWND list)
{
    for (HWND child = ::GetWindow(list, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::IsWindowVisible(child))
            return child;
    }
    return nullptr;
}

// The dialog's visible controls do not cover one another.
void ExpectNoOverlap(HWND dialog)
{
    std::vector<HWND> shown;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (::IsWindowVisible(child))
            shown.push_back(child);
    for (size_t i = 0; i < shown.size(); ++i) {
        for (size_t j = i + 1; j < shown.size(); ++j) {
            const RECT first = WindowRectOf(shown[i]), second = WindowRectOf(shown[j]);
            RECT overlap = {};
            EXPECT_FALSE(::IntersectRect(&overlap, &first, &second))
                << ::GetDlgCtrlID(shown[i]) << " and " << ::GetDlgCtrlID(shown[j]);
        }
    }
}

class ScreenScale : public MainWindowFixture, public ::testing::WithParamInterface<ScreenRow> {
protected:
    void SetUp() override
    {
        m_dbPath = ProgramFolder() + L"sys.mdb";
        CreateItemDatabase(m_dbPath, std::vector<TestItem>(40, TestItem(L"常用文本", L"内容")));
    }

    // Every button of the dialog, and the dialog itself, lies in the work area.
    void ExpectReachable(HWND dialog, std::initializer_list<int> buttons, const RECT& work)
    {
        EXPECT_TRUE(Inside(WindowRectOf(dialog), work)) << "the dialog in the work area";
        for (int id : buttons) {
            const HWND button = ::GetDlgItem(dialog, id);
            ASSERT_NE(button, nullptr) << id;
            EXPECT_TRUE(Inside(WindowRectOf(button), work) &&
                        Inside(WindowRectOf(button), WindowRectOf(dialog)))
                << "button " << id << " on screen";
        }
    }
};

TEST_P(ScreenScale, MainWindowAndDialogsFitTheWorkAreaAtTheScreensScale)
{
    const ScreenRow& row = GetParam();
    SCOPED_TRACE(row.reason);
    const HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    ASSERT_EQ(dpi, static_cast<int>(row.dpi)) << "screen_rows.sh prepares the prefix of each row";
    ASSERT_EQ(::GetSystemMetrics(SM_CXSCREEN), row.desktopWidth);
    ASSERT_EQ(::GetSystemMetrics(SM_CYSCREEN), row.desktopHeight);
    RECT work = {};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const SIZE templateSize = TemplateWindowSize();

    HWND items = nullptr;
    HWND options = nullptr;
    WaitUntilShown()
        .Then([this] { return FirstShownRow(m_dlg.ListBox()) != nullptr; }, 5000, "rows shown")
        .Then([&] {
            const RECT main = WindowRectOf(Main());
            EXPECT_TRUE(Inside(main, work)) << "the main window in the work area";
            EXPECT_EQ(main.right - main.left, templateSize.cx);
            EXPECT_EQ(main.bottom - main.top, row.templateFits ? templateSize.cy : work.bottom - work.top);
            const RECT status = WindowRectOf(::GetDlgItem(Main(), IDC_STATUS));
            EXPECT_TRUE(Inside(status, work)) << "the status line";
            EXPECT_EQ(::SendMessageW(m_dlg.ListBox(), LB_GETITEMHEIGHT, 0, 0), row.entryHeight);
            // A row is as high as its text, and a line and two pixels more.
            RECT rowRect = {};
            ::GetClientRect(FirstShownRow(m_dlg.ListBox()), &rowRect);
            EXPECT_EQ(rowRect.bottom - 3, row.textHeight);
            return ::PostMessageW(Main(), WM_COMMAND, ID_TRAY_ITEMS, 0) != FALSE;
        })
        .Then([&] { return (items = ::FindWindowW(L"#32770", L"数据项")) != nullptr; }, 5000,
              "the items dialog")
        .Then([&] {
            ExpectReachable(items, {IDC_NEWITEM, IDC_IMPORT, IDC_EXPORT, IDC_DELETECHECKED}, work);
            const HWND list = ::GetDlgItem(items, IDC_ITEMLIST);
            EXPECT_EQ(::SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0),
                      ::MulDiv(300, static_cast<int>(row.dpi), 96));
            // Moved to a screen of twice the scale, the columns widen with their text.
            const LRESULT contentWidth = ::SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0);
            const RECT at = WindowRectOf(items);
            ::SendMessageW(items, WM_DPICHANGED, MAKEWPARAM(2 * row.dpi, 2 * row.dpi), reinterpret_cast<LPARAM>(&at));
            EXPECT_EQ(::SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0), 2 * contentWidth);
            // Deleting offers the undo, which a narrowed dialog brings near the tip.
            ::SendMessageW(items, WM_COMMAND, ID_LIST_SELECTALL, 0);
            return ::PostMessageW(items, WM_COMMAND, IDC_DELETECHECKED, 0) != FALSE;
        })
        .Then([&] { return ::IsWindowVisible(::GetDlgItem(items, IDC_UNDO)) != FALSE; }, 3000,
              "the undo offered")
        .Then([&] {
            ExpectNoOverlap(items);
            return ::PostMessageW(items, WM_COMMAND, IDCANCEL, 0) != FALSE;
        })
        .Then([&] { return !::IsWindow(items); }, 3000, "the items dialog closed")
        .Then([&] { return ::PostMessageW(Main(), WM_COMMAND, ID_TRAY_OPTIONS, 0) != FALSE; })
        .Then([&] { return (options = ::FindWindowW(L"#32770", L"选项")) != nullptr; }, 5000,
              "the options dialog")
        .Then([&] {
            ExpectReachable(options, {IDC_OPTIONS_OK, IDC_OPTIONS_CANCEL, IDC_CLEARHISTORY}, work);
            return ::PostMessageW(options, WM_COMMAND, IDC_OPTIONS_CANCEL, 0) != FALSE;
        })
        .Then([&] { return !::IsWindow(options); }, 3000, "the options dialog closed");
    CloseWithCloseBox();
    Run();
}

INSTANTIATE_TEST_SUITE_P(Screens, ScreenScale, ::testing::ValuesIn(kScreens),
                         [](const ::testing::TestParamInfo<ScreenRow>& row) {
                             return "dpi" + std::to_string(row.param.dpi) + "_" +
                                    std::to_string(row.param.desktopWidth) + "x" +
                                    std::to_string(row.param.desktopHeight);
                         });

}  // namespace
}  // namespace testing_support
