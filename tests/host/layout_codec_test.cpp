#include "host/layout_data.h"
#include "host/layout_writer.h"
#include "tests/host/error_capture.h"

#include <gtest/gtest.h>

#include <cstring>

namespace wrivo::layout {

namespace {

void put32(Bytes& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) bytes.at(at + i) = static_cast<std::uint8_t>(value >> (8 * i));
}

void append32(Bytes& bytes, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

LayoutUnit windowUnit(std::uint32_t id)
{
    LayoutUnit u;
    u.id = id;
    u.kind = kind::window;
    u.common.width = 300;
    u.common.height = 200;
    u.settings = WindowSettings{};
    return u;
}

// A unit with every field away from its default, so each one must survive.
LayoutUnit busyEditBox()
{
    LayoutUnit u;
    u.id = 0x16000001;
    u.kind = kind::editBox;
    u.baseUnit = 7;
    u.reserved = {1, 2, 3, 4};
    u.name = "编辑框9";
    u.secondName = "second";
    u.common = {-5,       6,
                70,       80,
                {11, 12}, {1, 2, 3, 4, 5, 6},
                "标签",   7,
                9,        {{-9, 4}, {0, -1}, {-7, 2}},
                13,       {14, 15},
                16,       {17, 18, 19, 20, 21}};
    EditBoxSettings s;
    s.borderStyle = 5;
    s.textColour = 0x00123456;
    s.backColour = 0xFF000000;
    s.hideSelection = 0;
    s.maxLength = 1234;
    s.multiLine = 1;
    s.scrollBars = 3;
    s.alignment = 2;
    s.inputMode = 2;
    s.passwordChar = 0xA1F3;
    s.caseConversion = 2;
    s.spinMode = 1;
    s.spinMinimum = -10;
    s.spinMaximum = 99;
    s.selectionStart = 3;
    s.selectionLength = 4;
    LogFont f = LogFont::named("黑体");
    f.height = -19;
    f.weight = 700;
    f.italic = 1;
    f.charSet = 134;
    s.font = f;
    s.content = "正文\r\n第二段";
    s.extraText1 = "a";
    s.extraText2 = "b";
    u.settings = s;
    return u;
}

LayoutUnit timerUnit()
{
    LayoutUnit u;
    u.id = 0x16000002;
    u.kind = kind::timer;
    u.name = "时钟1";
    u.settings = TimerSettings{1, 50};
    return u;
}

WindowLayout smallWindow(std::uint32_t id)
{
    WindowLayout w;
    w.id = id;
    w.kept = {5, 6};
    w.text1 = "t1";
    w.units = {windowUnit(0x06000000 | (id & 0xFF)), busyEditBox(), timerUnit()};
    LayoutUnit entry;
    entry.id = 0x26000001;
    entry.kind = kind::menu;
    MenuEntry e;
    e.caption = "文件";
    e.shortcut = 19;
    e.level = 0;
    e.flags = menuTicked;
    e.handler = 3;
    e.reserved[15] = 0x7F;
    entry.settings = e;
    w.units.push_back(entry);
    return w;
}

} // namespace

TEST(LayoutCodec, EveryFieldSurvivesEncodingAndDecoding)
{
    const std::vector<WindowLayout> windows = {smallWindow(0x52000001), smallWindow(0x52000002)};
    const Bytes data = encodeLayoutData(windows);
    const LayoutResult<std::vector<WindowLayout>> decoded = decodeLayoutData(data);
    ASSERT_TRUE(decoded) << describeLayoutProblem(decoded.problem);
    EXPECT_EQ(*decoded.value, windows);
    EXPECT_EQ(encodeLayoutData(*decoded.value), data);
}

TEST(LayoutCodec, EveryKindAndEveryEarlierVersionRoundTrips)
{
    std::vector<KindSettings> settings;
    for (int v = 1; v <= WindowSettings::latestVersion; ++v) {
        WindowSettings w;
        w.version = v;
        w.borderStyle = 4;
        w.helpContext = 9;
        w.caption = "标题";
        w.icon = {1, 2};
        if (v >= 4) w.topmost = 1;
        if (v >= 6) w.className = "cls";
        settings.push_back(w);
    }
    for (int v = 1; v <= ListBoxSettings::latestVersion; ++v) {
        ListBoxSettings l;
        l.version = v;
        l.items = {"一", "", "三"};
        l.secondBlock = {9};
        if (v >= 2) l.extraText1 = "x";
        if (v >= 3) l.extraText2 = "y";
        settings.push_back(l);
    }
    EditBoxSettings oldEdit;
    oldEdit.version = 1;
    settings.push_back(oldEdit);
    CommonDlgSettings dialog;
    dialog.options = {0, 1, 1, 1, 0, 0x8000, 0, 0, 0, 0, 0, 0, 77};
    dialog.filter = "*.txt";
    dialog.extraText2 = "z";
    settings.push_back(dialog);
    settings.push_back(ColorPickerSettings{1, 0x00ABCDEF, -3});

    for (const KindSettings& s : settings) {
        LayoutUnit u;
        u.id = 0x16000005;
        u.kind = std::visit(
            [](const auto& k) -> std::uint32_t {
                using T = std::decay_t<decltype(k)>;
                if constexpr (std::is_same_v<T, WindowSettings>) return kind::window;
                if constexpr (std::is_same_v<T, EditBoxSettings>) return kind::editBox;
                if constexpr (std::is_same_v<T, ListBoxSettings>) return kind::listBox;
                if constexpr (std::is_same_v<T, ColorPickerSettings>) return kind::colorPicker;
                if constexpr (std::is_same_v<T, CommonDlgSettings>) return kind::commonDlg;
                if constexpr (std::is_same_v<T, TimerSettings>) return kind::timer;
                return kind::menu;
            },
            s);
        u.settings = s;
        const Bytes record = encodeUnitRecord(u);
        const LayoutResult<LayoutUnit> back = decodeUnitRecord(u.id, record);
        ASSERT_TRUE(back) << describeLayoutProblem(back.problem) << " kind " << std::hex << u.kind;
        EXPECT_EQ(*back.value, u);
    }
}

TEST(LayoutCodec, EveryTruncationIsDetected)
{
    const std::vector<WindowLayout> windows = {smallWindow(0x52000001)};
    const Bytes data = encodeLayoutData(windows);
    for (std::size_t length = 0; length < data.size(); ++length) {
        const Bytes cut(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(length));
        const auto decoded = decodeLayoutData(cut);
        EXPECT_FALSE(decoded) << "prefix of " << length << " bytes was accepted";
        EXPECT_NE(decoded.problem, LayoutProblem::none);
    }
    const Bytes record = encodeUnitRecord(busyEditBox());
    for (std::size_t length = 0; length < record.size(); ++length) {
        const auto unit = decodeUnitRecord(1, std::span(record).first(length));
        EXPECT_FALSE(unit) << "record prefix of " << length << " bytes was accepted";
    }
}

TEST(LayoutCodec, ExtraBytesAfterARecordOrTheDataAreRejected)
{
    Bytes record = encodeUnitRecord(timerUnit());
    record.push_back(0);
    EXPECT_EQ(decodeUnitRecord(1, record).problem, LayoutProblem::trailingBytes);

    Bytes data = encodeLayoutData(std::vector<WindowLayout>{smallWindow(0x52000001)});
    data.push_back(0);
    EXPECT_EQ(readLayoutData(data).problem, LayoutProblem::trailingBytes);
}

TEST(LayoutCodec, NewerKindDataFailsOnlyThatWindowsLoad)
{
    WindowLayout newer = smallWindow(0x52000002);
    newer.units[1].as<EditBoxSettings>()->version = EditBoxSettings::latestVersion + 1;
    const std::vector<WindowLayout> windows = {smallWindow(0x52000001), newer};
    const Bytes data = encodeLayoutData(windows);

    const auto stored = readLayoutData(data);
    ASSERT_TRUE(stored); // the layout itself is readable
    ASSERT_EQ(stored.value->size(), 2u);
    EXPECT_TRUE(decodeWindowLayout((*stored.value)[0]));
    const auto failed = decodeWindowLayout((*stored.value)[1]);
    EXPECT_FALSE(failed);
    EXPECT_EQ(failed.problem, LayoutProblem::newerVersion);

    // Each kind's data one version past what this program reads.
    std::vector<std::pair<std::uint32_t, KindSettings>> newerKinds;
    WindowSettings window;
    window.version = WindowSettings::latestVersion + 1;
    newerKinds.emplace_back(kind::window, window);
    ListBoxSettings list;
    list.version = ListBoxSettings::latestVersion + 1;
    newerKinds.emplace_back(kind::listBox, list);
    CommonDlgSettings dialog;
    dialog.version = CommonDlgSettings::latestVersion + 1;
    newerKinds.emplace_back(kind::commonDlg, dialog);
    newerKinds.emplace_back(kind::colorPicker, ColorPickerSettings{ColorPickerSettings::latestVersion + 1, 0, 0});
    newerKinds.emplace_back(kind::timer, TimerSettings{TimerSettings::latestVersion + 1, 50});
    for (const auto& [code, settings] : newerKinds) {
        LayoutUnit u;
        u.kind = code;
        u.settings = settings;
        EXPECT_EQ(decodeUnitRecord(1, encodeUnitRecord(u)).problem, LayoutProblem::newerVersion) << std::hex << code;
    }
    Bytes zeroVersion = encodeUnitRecord(timerUnit());
    put32(zeroVersion, zeroVersion.size() - 8, 0);
    EXPECT_EQ(decodeUnitRecord(1, zeroVersion).problem, LayoutProblem::badValue);
}

TEST(LayoutCodec, UnknownKindsAndMisshapenFontsAreRejected)
{
    Bytes record = encodeUnitRecord(timerUnit());
    put32(record, 0, 0x00010063);
    EXPECT_EQ(decodeUnitRecord(1, record).problem, LayoutProblem::unknownKind);

    LayoutUnit u = busyEditBox();
    const Bytes good = encodeUnitRecord(u);
    // Find the font block by its length (60) followed by the height (-19).
    Bytes bad = good;
    bool patched = false;
    for (std::size_t i = 0; i + 8 <= bad.size(); ++i) {
        if (bad[i] == 60 && bad[i + 1] == 0 && bad[i + 2] == 0 && bad[i + 3] == 0 && bad[i + 4] == 0xED &&
            bad[i + 5] == 0xFF) {
            put32(bad, i, 59);
            patched = true;
            break;
        }
    }
    ASSERT_TRUE(patched);
    EXPECT_FALSE(decodeUnitRecord(1, bad));

    // A face filling all 32 bytes keeps its terminator.
    LogFont full;
    full.faceName.fill('A');
    u.as<EditBoxSettings>()->font = full;
    const auto back = decodeUnitRecord(1, encodeUnitRecord(u));
    ASSERT_TRUE(back);
    EXPECT_EQ(back.value->as<EditBoxSettings>()->font->face(), std::string(31, 'A'));
}

TEST(LayoutCodec, UnterminatedNamesAndImpossibleCountsAreRejected)
{
    LayoutUnit u = timerUnit();
    u.name = "";
    u.secondName = "";
    Bytes record = encodeUnitRecord(u);
    // kind, base, 4 reserved: the names' zeros are at 24 and 25.
    ASSERT_EQ(record[24], 0);
    Bytes unterminated(record.begin(), record.begin() + 24);
    unterminated.push_back('x');
    EXPECT_EQ(decodeUnitRecord(1, unterminated).problem, LayoutProblem::unterminatedText);

    // The child count sits after reserved, left, top, width, height and two reserved words.
    Bytes children = record;
    put32(children, 26 + 7 * 4, 0x40000001); // times 4 wraps to 4 in 32 bits
    EXPECT_EQ(decodeUnitRecord(1, children).problem, LayoutProblem::badCount);
    put32(children, 26 + 7 * 4, 0xFFFFFFFF);
    EXPECT_EQ(decodeUnitRecord(1, children).problem, LayoutProblem::badCount);

    // The mouse pointer block's length follows the (empty) child list.
    Bytes pointer = record;
    put32(pointer, 26 + 8 * 4, 0x7FFFFFFF);
    EXPECT_EQ(decodeUnitRecord(1, pointer).problem, LayoutProblem::badLength);
    put32(pointer, 26 + 8 * 4, 0x80000000);
    EXPECT_EQ(decodeUnitRecord(1, pointer).problem, LayoutProblem::badLength);
}

TEST(LayoutCodec, DamagedFramingIsRejected)
{
    const Bytes data = encodeLayoutData(std::vector<WindowLayout>{smallWindow(0x52000001)});
    // table length 8, id, slot, 2 kept, 2 empty-ish texts ("t1" and ""), then the unit array.
    const std::size_t unitCountAt = 4 + 8 + 8 + (4 + 2) + 4;

    Bytes table = data;
    put32(table, 0, 12);
    EXPECT_EQ(readLayoutData(table).problem, LayoutProblem::badLength);
    put32(table, 0, 0x7FFFFFF8);
    EXPECT_EQ(readLayoutData(table).problem, LayoutProblem::badLength);

    Bytes count = data;
    put32(count, unitCountAt, 0x20000001); // times 8 wraps to 8 in 32 bits
    EXPECT_EQ(readLayoutData(count).problem, LayoutProblem::badCount);
    put32(count, unitCountAt, 0x80000000);
    EXPECT_EQ(readLayoutData(count).problem, LayoutProblem::badCount);
    put32(count, unitCountAt, 3); // one record fewer than stored
    EXPECT_FALSE(readLayoutData(count));

    Bytes rest = data;
    put32(rest, unitCountAt + 4, 0xFFFFFF00);
    EXPECT_EQ(readLayoutData(rest).problem, LayoutProblem::badLength);

    Bytes offset = data;
    const std::size_t secondOffset = unitCountAt + 8 + 4 * 4 + 4;
    put32(offset, secondOffset, 3);
    EXPECT_EQ(readLayoutData(offset).problem, LayoutProblem::badOffset);

    Bytes recordLength = data;
    const std::size_t firstRecord = unitCountAt + 8 + 8 * 4;
    put32(recordLength, firstRecord, 0x7FFFFFFF);
    EXPECT_EQ(readLayoutData(recordLength).problem, LayoutProblem::badLength);
}

TEST(LayoutCodec, WindowsNeedTheirOwnUnitFirstAndDistinctIdentifiers)
{
    WindowLayout noWindowUnit = smallWindow(0x52000001);
    std::swap(noWindowUnit.units[0], noWindowUnit.units[1]);
    auto stored = readLayoutData(encodeLayoutData(std::vector<WindowLayout>{noWindowUnit}));
    ASSERT_TRUE(stored);
    EXPECT_EQ(decodeWindowLayout(stored.value->front()).problem, LayoutProblem::badWindow);

    WindowLayout twice = smallWindow(0x52000001);
    twice.units[2].id = twice.units[1].id;
    stored = readLayoutData(encodeLayoutData(std::vector<WindowLayout>{twice}));
    ASSERT_TRUE(stored);
    EXPECT_EQ(decodeWindowLayout(stored.value->front()).problem, LayoutProblem::badWindow);

    const std::vector<WindowLayout> sameId = {smallWindow(0x52000001), smallWindow(0x52000001)};
    EXPECT_EQ(readLayoutData(encodeLayoutData(sameId)).problem, LayoutProblem::badWindow);

    Bytes empty;
    append32(empty, 0);
    const auto none = decodeLayoutData(empty);
    ASSERT_TRUE(none);
    EXPECT_TRUE(none.value->empty());
}

TEST(LayoutCodec, UnreadableDataAtStartIsTheRunTimeError)
{
    const std::vector<WindowLayout> windows = {smallWindow(0x52000001)};
    Bytes data = encodeLayoutData(windows);
    EXPECT_EQ(readLayoutDataOrReport(data).size(), 1u);

    wrivo::testing::ErrorCapture capture;
    data.pop_back();
    EXPECT_THROW((void)readLayoutDataOrReport(data), wrivo::testing::ReportEnded);
    EXPECT_EQ(wrivo::testing::ErrorCapture::shownText, "运行时出错!\r\n\r\n错误信息：载入窗口模板数据段出错!\r\n");
}

TEST(LayoutKinds, TableHoldsTheSevenKindsWithTheirFlags)
{
    const UnitKindInfo* edit = findUnitKind(kind::editBox);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->flags, 0x80000040u);
    EXPECT_EQ(edit->propertyCount, 29);
    EXPECT_EQ(edit->name, "编辑框");
    EXPECT_TRUE(kindRaisesEventsOf(*edit));
    EXPECT_FALSE(kindIsNonVisual(*edit));
    EXPECT_TRUE(kindIsNonVisual(*findUnitKind(kind::timer)));
    EXPECT_TRUE(kindIsNonVisual(*findUnitKind(kind::commonDlg)));
    EXPECT_TRUE(kindRaisesEventsOf(*findUnitKind(kind::menu))); // through its 0x04 bit
    EXPECT_EQ(findUnitKind(kind::window)->flags & kindNeverRebuilt, kindNeverRebuilt);
    EXPECT_EQ(findUnitKind(0x00010002), nullptr);
    EXPECT_EQ(unitCategory(0x06010002), UnitCategory::windowUnit);
    EXPECT_EQ(unitCategory(0x16010021), UnitCategory::control);
    EXPECT_EQ(unitCategory(0x26010200), UnitCategory::menuEntry);
}

} // namespace wrivo::layout
