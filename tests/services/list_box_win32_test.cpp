// The count strip's list box on the real main window: the row operations, the
// one-step rewrite checked against a platform list box of texts doing the same
// row by row, sorting, and the rows as they are painted.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/layout_content.h"
#include "app/main_window.h"
#include "host/host.h"
#include "host/property_rules.h"
#include "host/scoped_win32.h"
#include "services/controls/control_operations.h"
#include "services/controls/unit_properties.h"
#include "tests/support/host_harness_win32.h"

namespace wrivo {
namespace {

using namespace wrivo::test;

const UnitRef mainWindow{WindowId::main, UnitId::mainWindow, layout::kind::window};
const UnitRef listBox{WindowId::main, UnitId::listBox, layout::kind::listBox};

HWND handleOf(const UnitRef& unit)
{
    return reinterpret_cast<HWND>(windowHandle(unit));
}

struct Rows {
    std::vector<std::string> texts;
    std::vector<LRESULT> values;
    LRESULT current = 0;
    friend bool operator==(const Rows&, const Rows&) = default;
};

Rows rowsOf(HWND list)
{
    Rows rows;
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::string text(static_cast<std::size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)) + 1, '\0');
        text.resize(static_cast<std::size_t>(SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
        rows.texts.push_back(text);
        rows.values.push_back(SendMessageA(list, LB_GETITEMDATA, i, 0));
    }
    rows.current = SendMessageA(list, LB_GETCURSEL, 0, 0);
    return rows;
}

void PrintTo(const Rows& rows, std::ostream* out)
{
    *out << "current " << rows.current << ", rows";
    for (const std::string& text : rows.texts) *out << " [" << text << "]";
}

class ListBox : public ::testing::Test {
protected:
    void SetUp() override
    {
        startRecordingHost();
        resetHandlers();
        ASSERT_TRUE(loadWindow(WindowId::main, std::nullopt, false));
        writeProperty(mainWindow, CommonProperty::visible, std::int64_t{1});
        SetForegroundWindow(handleOf(mainWindow));
        pumpPending();
    }

    void TearDown() override
    {
        if (plain_) DestroyWindow(plain_);
        if (windowLoaded(WindowId::main)) destroyUnit(mainWindow, true);
        pumpPending();
    }

    // A platform list box that keeps its own texts, with the strip's other styles.
    HWND plainListBox()
    {
        HWND strip = handleOf(listBox);
        const DWORD style = (GetWindowLongA(strip, GWL_STYLE) & ~(LBS_NODATA | LBS_OWNERDRAWFIXED)) | LBS_HASSTRINGS;
        RECT area;
        GetClientRect(strip, &area);
        plain_ = CreateWindowExA(0, "LISTBOX", "", style & ~WS_VISIBLE, 0, 0, area.right, area.bottom,
                                 handleOf(mainWindow), nullptr, GetModuleHandleA(nullptr), nullptr);
        return plain_;
    }

    HWND plain_ = nullptr;
};

TEST_F(ListBox, RowOperationsAnswerAsTheirResultsSay)
{
    HWND strip = handleOf(listBox);
    EXPECT_EQ(insertItem(listBox, -1, "x"), -1);
    EXPECT_EQ(SendMessageA(strip, LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(insertItem(listBox, 0, "第一段", 7), 0);
    EXPECT_EQ(insertItem(listBox, 1, "第二段"), 1);
    EXPECT_EQ(insertItem(listBox, 5, "太远"), -1);
    EXPECT_EQ(SendMessageA(strip, LB_GETITEMDATA, 0, 0), 7);
    EXPECT_EQ(SendMessageA(strip, LB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>("第二段")), 1);
    EXPECT_EQ(SendMessageA(strip, LB_FINDSTRING, 1, reinterpret_cast<LPARAM>("第一")), 0) << "the search wraps round";
    EXPECT_EQ(SendMessageA(strip, LB_FINDSTRING, WPARAM(-1), reinterpret_cast<LPARAM>("第三")), LB_ERR);
    EXPECT_TRUE(selectedIndexes(listBox).empty());
    writeProperty(listBox, ListBoxProperty::currentSelection, std::int64_t{1});
    EXPECT_EQ(selectedIndexes(listBox), std::vector<std::int32_t>{1});
    EXPECT_FALSE(deleteItem(listBox, 2));
    EXPECT_TRUE(deleteItem(listBox, 0));
    EXPECT_EQ(rowsOf(strip).texts, std::vector<std::string>{"第二段"});
    EXPECT_EQ(SendMessageA(strip, LB_GETTEXT, 1, reinterpret_cast<LPARAM>("")), LB_ERR);
    clearList(listBox);
    EXPECT_EQ(sendMessage(listBox, LB_GETCOUNT, 0, 0), 0);
}

// rewriteItems must leave what one insert and one delete per row leave in a
// platform list box: the texts, the item values and the current row.
TEST_F(ListBox, RewritingMatchesAPlatformListBoxDoingItRowByRow)
{
    HWND strip = handleOf(listBox);
    HWND plain = plainListBox();
    struct Case {
        int before;    // rows there already, "old0", "old1", ... with values 100, 101, ...
        int current;   // the current row before, -1 none
        int rewritten; // rows rewritten
    };
    for (const Case c : {Case{10, 7, 5}, Case{10, 2, 5}, Case{10, 4, 5}, Case{3, 1, 8}, Case{0, -1, 4}, Case{6, -1, 6},
                         Case{4, 3, 0}}) {
        SCOPED_TRACE(testing::Message() << c.before << " rows, current " << c.current << ", " << c.rewritten
                                        << " rewritten");
        clearList(listBox);
        SendMessageA(plain, LB_RESETCONTENT, 0, 0);
        for (int i = 0; i < c.before; ++i) {
            const std::string text = "old" + std::to_string(i);
            insertItem(listBox, i, text, 100 + i);
            SendMessageA(plain, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
            SendMessageA(plain, LB_SETITEMDATA, i, 100 + i);
        }
        SendMessageA(strip, LB_SETCURSEL, static_cast<WPARAM>(c.current), 0);
        SendMessageA(plain, LB_SETCURSEL, static_cast<WPARAM>(c.current), 0);
        ASSERT_EQ(rowsOf(strip), rowsOf(plain));

        std::vector<std::string> texts;
        for (int k = 0; k < c.rewritten; ++k) texts.push_back(std::to_string(k) + ".5");
        for (int k = 0; k < c.rewritten; ++k) {
            SendMessageA(plain, LB_INSERTSTRING, k,
                         reinterpret_cast<LPARAM>(texts[static_cast<std::size_t>(k)].c_str()));
            SendMessageA(plain, LB_DELETESTRING, k + 1, 0);
        }
        rewriteItems(listBox, texts);
        EXPECT_EQ(rowsOf(strip), rowsOf(plain));
    }
}

TEST_F(ListBox, ASortedListBoxAddsInOrderAndARebuildKeepsTheRows)
{
    insertItem(listBox, 0, "保留");
    writeProperty(listBox, ListBoxProperty::sorted, std::int64_t{1}); // a new control
    HWND strip = handleOf(listBox);
    EXPECT_EQ(rowsOf(strip).texts, std::vector<std::string>{"保留"});
    for (const char* text : {"b", "A", "c"}) SendMessageA(strip, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(rowsOf(strip).texts, (std::vector<std::string>{"A", "b", "c", "保留"}));
    EXPECT_EQ(insertItem(listBox, 0, "z"), 0) << "an insert goes where it is asked, sorted or not";
}

// The strip's pixels: the first cell of the list box's client area.
std::vector<COLORREF> firstCellPixels(HWND strip)
{
    RedrawWindow(strip, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const LRESULT height = SendMessageA(strip, LB_GETITEMHEIGHT, 0, 0);
    std::vector<COLORREF> pixels;
    const ScopedGetDC dc(strip);
    for (int y = 2; y < height - 2; ++y)
        for (int x = 2; x < 40; ++x) pixels.push_back(GetPixel(dc.get(), x, y));
    return pixels;
}

int pixelsOtherThan(const std::vector<COLORREF>& pixels, COLORREF colour)
{
    int count = 0;
    for (COLORREF pixel : pixels) count += pixel != colour;
    return count;
}

TEST_F(ListBox, RowsArePaintedFromTheirTextsInTheStripColours)
{
    HWND strip = handleOf(listBox);
    const COLORREF background =
        static_cast<COLORREF>(propertyNumber(readProperty(listBox, ListBoxProperty::backgroundColour)));
    EXPECT_EQ(pixelsOtherThan(firstCellPixels(strip), background), 0) << "an empty strip is all background";

    rewriteItems(listBox, {"12.5", "3"});
    EXPECT_GT(pixelsOtherThan(firstCellPixels(strip), background), 10) << "the row's text is drawn";

    SendMessageA(strip, LB_SETCURSEL, 0, 0);
    const std::vector<COLORREF> selected = firstCellPixels(strip);
    EXPECT_EQ(selected.front(), GetSysColor(COLOR_HIGHLIGHT)) << "the current row has the highlight";
    EXPECT_GT(pixelsOtherThan(selected, GetSysColor(COLOR_HIGHLIGHT)), 10);
}

} // namespace
} // namespace wrivo
