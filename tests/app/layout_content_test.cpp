#include "app/layout_content.h"
#include "host/layout_writer.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace wrivo {

using namespace layout;

namespace {

using namespace HandlerIndex;

std::vector<WindowLayout> decodedContent()
{
    const LayoutResult<std::vector<WindowLayout>> decoded = decodeLayoutData(layoutDataBlock());
    EXPECT_TRUE(decoded) << describeLayoutProblem(decoded.problem);
    return decoded ? *decoded.value : std::vector<WindowLayout>{};
}

WindowLayout windowById(std::uint32_t id)
{
    for (WindowLayout& w : decodedContent()) {
        if (w.id == id) return std::move(w);
    }
    ADD_FAILURE() << "window " << std::hex << id << " missing";
    return {};
}

} // namespace

TEST(LayoutContent, StoredBlockDecodesToExactlyTheContent)
{
    const std::vector<WindowLayout> windows = decodedContent();
    EXPECT_EQ(windows, layoutContent());
    EXPECT_EQ(encodeLayoutData(windows), layoutDataBlock());
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[0].id, WindowId::main); // the main window first
    EXPECT_EQ(windows[1].id, WindowId::start);
}

TEST(LayoutContent, StartWindowIsAFixedCentredDraggableFrameWithItsTimer)
{
    const WindowLayout start = windowById(WindowId::start);
    ASSERT_EQ(start.units.size(), 2u);
    const LayoutUnit& self = start.units[0];
    EXPECT_EQ(self.id, UnitId::startWindow);
    EXPECT_EQ(self.common.left, 50);
    EXPECT_EQ(self.common.top, 50);
    EXPECT_EQ(self.common.width, 495);
    EXPECT_EQ(self.common.height, 354);
    EXPECT_TRUE(self.common.visible());
    EXPECT_EQ(self.common.handlerFor(0), startSplash);
    const WindowSettings* settings = start.windowSettings();
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(settings->borderStyle, 2);
    EXPECT_EQ(settings->controlBox, 1);
    EXPECT_EQ(settings->maxButton, 0);
    EXPECT_EQ(settings->minButton, 0);
    EXPECT_EQ(settings->position, 1);
    EXPECT_EQ(settings->movable, 1);
    EXPECT_EQ(settings->escCloses, 1);
    EXPECT_EQ(settings->dragAnywhere, 1);
    EXPECT_EQ(settings->backColour, defaultColour);
    EXPECT_EQ(settings->caption, "");
    EXPECT_TRUE(start.menuEntries().empty());

    const LayoutUnit* timer = start.findUnitByName("时钟1");
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->id, UnitId::splashTimer);
    ASSERT_NE(timer->as<TimerSettings>(), nullptr);
    EXPECT_EQ(timer->as<TimerSettings>()->interval, 50);
    EXPECT_EQ(timer->common.handlerFor(0), splashTick);
}

TEST(LayoutContent, MainWindowIsAHiddenResizableFrameWithItsFourBindings)
{
    const WindowLayout main = windowById(WindowId::main);
    const LayoutUnit& self = main.units.at(0);
    EXPECT_EQ(self.id, UnitId::mainWindow);
    EXPECT_EQ(self.common.width, 556);
    EXPECT_EQ(self.common.height, 613);
    EXPECT_FALSE(self.common.visible());
    EXPECT_EQ(self.common.handlerFor(4), layoutOnResize);
    EXPECT_EQ(self.common.handlerFor(1), exitDialogue);
    EXPECT_EQ(self.common.handlerFor(-9), mainWindowKeyDown);
    EXPECT_EQ(self.common.handlerFor(12), openDroppedFile);
    EXPECT_EQ(self.common.handlerFor(0), noHandler);
    const WindowSettings* s = main.windowSettings();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->borderStyle, 1);
    EXPECT_EQ(s->controlBox + s->maxButton + s->minButton + s->movable, 4);
    EXPECT_EQ(s->position, 1);
    EXPECT_EQ(s->enterMovesFocus + s->escCloses + s->f1OpensHelp + s->dragAnywhere + s->topmost, 0);
    EXPECT_EQ(s->caption, "");
}

TEST(LayoutContent, MainWindowControlsCarryTheirSettings)
{
    const WindowLayout main = windowById(WindowId::main);

    const LayoutUnit* edit = main.findUnitByName("编辑框1");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->id, UnitId::editBox);
    EXPECT_EQ(edit->kind, kind::editBox);
    EXPECT_EQ((std::array{edit->common.left, edit->common.top, edit->common.width, edit->common.height}),
              (std::array{-1, 0, 550, 530}));
    EXPECT_TRUE(edit->common.visible());
    EXPECT_TRUE(edit->common.tabStop());
    EXPECT_EQ(edit->common.handlerFor(-9), editBoxKeyDown);
    EXPECT_EQ(edit->common.handlerFor(-7), applySettings);
    EXPECT_EQ(edit->common.handlerFor(0), refreshStatistics);
    const EditBoxSettings* e = edit->as<EditBoxSettings>();
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->borderStyle, 3);
    EXPECT_EQ(e->textColour, 0x00FFFF00u);
    EXPECT_EQ(e->backColour, 0x00E03058u);
    ASSERT_TRUE(e->font.has_value());
    EXPECT_EQ(e->font->face(), "宋体");
    EXPECT_EQ(e->font->height, -24);
    EXPECT_EQ(e->font->weight, 400);
    EXPECT_EQ(e->font->charSet, 134);
    EXPECT_EQ((std::array{e->font->outPrecision, e->font->clipPrecision, e->font->quality, e->font->pitchAndFamily}),
              (std::array<std::uint8_t, 4>{3, 2, 1, 2}));
    EXPECT_EQ(e->hideSelection, 1);
    EXPECT_EQ(e->maxLength, 0);
    EXPECT_EQ(e->multiLine, 1);
    EXPECT_EQ(e->scrollBars, 2);
    EXPECT_EQ(e->alignment + e->inputMode + e->caseConversion + e->selectionStart + e->selectionLength, 0);
    EXPECT_EQ(e->content, "");

    const LayoutUnit* list = main.findUnitByName("列表框1");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->id, UnitId::listBox);
    EXPECT_EQ((std::array{list->common.left, list->common.top, list->common.width, list->common.height}),
              (std::array{0, 528, 553, 30}));
    EXPECT_TRUE(list->common.visible());
    EXPECT_EQ(list->common.handlerFor(0), selectParagraph);
    const ListBoxSettings* l = list->as<ListBoxSettings>();
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->borderStyle, 0);
    EXPECT_EQ(l->sorted, 0);
    EXPECT_EQ(l->horizontalLayout, 1);
    EXPECT_EQ(l->extraItemHeight, 10);
    EXPECT_EQ(l->textColour, 0x00FF00FFu);
    EXPECT_EQ(l->backColour, 0x00E03058u);
    ASSERT_TRUE(l->font.has_value());
    EXPECT_EQ(l->font->face(), "新宋体");
    EXPECT_EQ(l->font->height, -13);
    EXPECT_EQ(l->font->weight, 700);
    EXPECT_EQ(l->font->charSet, 134);
    EXPECT_EQ(l->multipleSelection, 0);
    EXPECT_EQ(l->currentSelection, -1);
    EXPECT_TRUE(l->items.empty());

    const LayoutUnit* picker = main.findUnitByName("颜色选择器1");
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->id, UnitId::colorPicker);
    EXPECT_FALSE(picker->common.visible());
    EXPECT_TRUE(picker->common.tabStop());
    EXPECT_EQ(picker->common.left, 328);
    EXPECT_EQ(picker->common.top, 200);
    EXPECT_EQ(picker->as<ColorPickerSettings>()->colour, defaultColour);
    EXPECT_EQ(picker->common.handlerFor(0), applyChosenColour);

    const LayoutUnit* dialog = main.findUnitByName("通用对话框1");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->id, UnitId::commonDialog);
    EXPECT_TRUE(dialog->common.events.empty());
    const CommonDlgSettings* d = dialog->as<CommonDlgSettings>();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->dialogType, 0);
    EXPECT_EQ(d->filter, "*.txt");
    EXPECT_EQ(d->initialFolder, "*.txt");
    EXPECT_EQ(d->filterIndex, 0);
    EXPECT_EQ(d->title + d->fileName + d->defaultExtension, "");
    EXPECT_EQ(d->options, (std::array<std::int32_t, 13>{0, 1, 1, 1, 0, 0x8000, 0, 0, 0, 0, 0, 0, 0}));

    // Every non-visual kind is a non-visual unit; the edit box and list box are not.
    for (const LayoutUnit& unit : main.units) {
        const UnitKindInfo* info = findUnitKind(unit.kind);
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(kindIsNonVisual(*info), unit.kind == kind::commonDlg);
    }
}

TEST(LayoutContent, MenuTreeHasItsEntriesInOrder)
{
    const WindowLayout main = windowById(WindowId::main);
    const std::vector<const MenuEntry*> entries = main.menuEntries();
    ASSERT_EQ(entries.size(), static_cast<std::size_t>(menuEntryCount));

    const std::set<int> topLevel = {0, 7, 14, 22, 30, 39};
    const std::set<int> separators = {2, 4, 9, 12, 18, 25, 28, 32, 34, 44, 46};
    for (int n = 0; n < menuEntryCount; ++n) {
        const MenuEntry& e = *entries[n];
        EXPECT_EQ(e.level, topLevel.count(n) ? 0 : 1) << n;
        EXPECT_EQ(e.caption == "-", separators.count(n) == 1) << n;
        if (topLevel.count(n) || separators.count(n)) {
            EXPECT_EQ(e.handler, noHandler) << n;
        }
        EXPECT_EQ((e.flags & menuTicked) != 0, n == 0 || n == 7 || n == 14 || n == 22) << n;
        EXPECT_EQ((e.flags & menuDisabled) != 0, n == 33) << n;
        EXPECT_EQ(e.flags & menuHidden, 0u) << n;
        EXPECT_NE(main.findUnit(UnitId::menuEntry(n)), nullptr) << n;
    }

    EXPECT_EQ(entries[0]->caption, "文件操作");
    EXPECT_EQ(entries[3]->caption, "保存文档");
    EXPECT_EQ(entries[3]->shortcut, 19); // Ctrl+S
    EXPECT_EQ(entries[3]->handler, saveDocument);
    EXPECT_EQ(entries[1]->shortcut, 1); // Ctrl+A
    EXPECT_EQ(entries[8]->caption, "剪切字符   Ctrl+X");
    EXPECT_EQ(entries[8]->shortcut, 0);
    EXPECT_EQ(entries[10]->caption, "复制字符   Ctrl+C");
    EXPECT_EQ(entries[11]->caption, "粘贴字符   Ctrl+V");
    EXPECT_EQ(entries[13]->caption, "清空字符");
    EXPECT_EQ(entries[13]->shortcut, 76); // Del
    EXPECT_EQ(entries[13]->handler, clearText);
    EXPECT_EQ(entries[15]->caption, "壹键隐藏  *必看说明* ");
    EXPECT_EQ(entries[20]->caption, "背景颜色");
    EXPECT_EQ(entries[20]->shortcut, 18); // Ctrl+R
    EXPECT_EQ(entries[22]->caption, "版权帮助");
    EXPECT_EQ(entries[22]->shortcut, 18); // stored on the popup too
    EXPECT_EQ(entries[29]->caption, "作者版权");
    EXPECT_EQ(entries[29]->shortcut, 26); // Ctrl+Z
    EXPECT_EQ(entries[30]->caption, "程序更新");
    EXPECT_EQ(entries[31]->caption, "官网更新下载 ");
    EXPECT_EQ(entries[31]->shortcut, 9); // Ctrl+I
    EXPECT_EQ(entries[31]->handler, openUpdatePage);
    EXPECT_EQ(entries[33]->caption, "官方指定合作下载站:");
    EXPECT_EQ(entries[33]->handler, noHandler);
    for (int site = 0; site < 4; ++site) {
        EXPECT_EQ(entries[35 + site]->caption, partnerSiteNames[site]);
        EXPECT_EQ(entries[35 + site]->handler, openPartnerSite1 + site);
        EXPECT_EQ(entries[35 + site]->shortcut, 0);
    }

    // Every handler index is inside the application's table, and each command
    // handler is bound exactly once.
    std::set<std::int32_t> bound;
    for (const MenuEntry* e : entries) {
        if (e->handler == noHandler) continue;
        EXPECT_GE(e->handler, 0);
        EXPECT_LT(e->handler, handlerCount);
        EXPECT_TRUE(bound.insert(e->handler).second) << e->handler;
    }
    EXPECT_EQ(bound.size(), static_cast<std::size_t>(openPartnerSite4 + 1 - newDocument + redoEdit + 1 - findText));

    // The editing menu comes last, after every menu listed above.
    const std::vector<std::pair<std::string, std::int32_t>> editing = {
        {"查找替换", noHandler},   {"查找文字", findText}, {"查找下一个", findNext},    {"查找上一个", findPrevious},
        {"替换文字", replaceText}, {"-", noHandler},       {"转到段落", goToParagraph}, {"-", noHandler},
        {"撤销", undoEdit},        {"重做", redoEdit}};
    for (std::size_t k = 0; k < editing.size(); ++k) {
        EXPECT_EQ(entries[39 + k]->caption, editing[k].first) << k;
        EXPECT_EQ(entries[39 + k]->handler, editing[k].second) << k;
    }
}

TEST(LayoutContent, ShortcutsAreTheListedOnesAndUnique)
{
    const WindowLayout main = windowById(WindowId::main);
    const std::vector<const MenuEntry*> entries = main.menuEntries();
    std::map<int, std::int32_t> shortcuts;
    for (int n = 0; n < menuEntryCount; ++n) {
        if (entries[n]->shortcut != 0) shortcuts[n] = entries[n]->shortcut;
    }
    auto ctrl = [](char c) { return c - 'A' + 1; };
    const std::map<int, std::int32_t> expected = {
        {1, ctrl('A')},
        {3, ctrl('S')},
        {5, ctrl('D')},
        {6, ctrl('F')},
        {13, 76},
        {16, ctrl('Q')},
        {17, ctrl('W')},
        {19, ctrl('E')},
        {20, ctrl('R')},
        {21, ctrl('T')},
        {22, ctrl('R')},
        {23, ctrl('P')},
        {24, ctrl('O')},
        {26, ctrl('Y')},
        {27, ctrl('U')},
        {29, ctrl('Z')},
        {31, ctrl('I')},
        // 查找文字 Ctrl+F3, 查找下一个 F3, 查找上一个 Shift+F3, 替换文字, 转到段落, 撤销, 重做
        {40, 41},
        {41, 29},
        {42, 53},
        {43, ctrl('H')},
        {45, ctrl('G')},
        {47, 77},
        {48, 78}};
    EXPECT_EQ(shortcuts, expected);
}

} // namespace wrivo
