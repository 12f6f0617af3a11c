#include "app/layout_content.h"
#include "app/appearance.h"
#include "app/settings_file.h"
#include "host/host_types.h"
#include "host/layout_writer.h"

#include <string>

namespace wrivo {

using namespace layout;

namespace {

// The layout binds events by handler index throughout this file.
using namespace HandlerIndex;

// Event numbers the bindings use, as the host raises them.
constexpr std::int32_t onCreated = WindowEvent::created;
constexpr std::int32_t onMayClose = WindowEvent::mayClose;
constexpr std::int32_t onSizeChanged = WindowEvent::sizeChanged;
constexpr std::int32_t onFilesDropped = WindowEvent::filesDropped;
constexpr std::int32_t onGotFocus = UnitEvent::gotFocus;
constexpr std::int32_t onKeyDown = UnitEvent::keyDown;
constexpr std::int32_t onPrimary = UnitEvent::primary; // content changed, selection changed, colour chosen, tick
constexpr std::int32_t onEditBoxUndo = UnitEvent::editBoxUndo;

// Shortcut indexes.
constexpr std::int32_t none = 0;
constexpr std::int32_t ctrl(char letter)
{
    return letter - 'A' + 1;
}
constexpr std::int32_t del = 76;
constexpr std::int32_t functionKey(int n)
{
    return 27 + n - 1;
}
constexpr std::int32_t ctrlFunctionKey(int n)
{
    return 39 + n - 1;
}
constexpr std::int32_t shiftFunctionKey(int n)
{
    return 51 + n - 1;
}
constexpr std::int32_t altBackspace = 77;
constexpr std::int32_t altShiftBackspace = 78;

struct Placement {
    std::int32_t left, top, width, height;
};

LayoutUnit unit(std::uint32_t id, std::uint32_t kindCode, std::string_view name, Placement at, std::uint32_t flags,
                std::int32_t tabOrder, std::vector<EventBinding> events, KindSettings settings)
{
    LayoutUnit u;
    u.id = id;
    u.kind = kindCode;
    u.name = name;
    u.common.left = at.left;
    u.common.top = at.top;
    u.common.width = at.width;
    u.common.height = at.height;
    u.common.flags = flags;
    u.common.tabOrder = tabOrder;
    u.common.events = std::move(events);
    u.settings = std::move(settings);
    return u;
}

LogFont font(std::string_view face, std::int32_t height, std::int32_t weight)
{
    LogFont f = LogFont::named(face);
    f.height = height;
    f.weight = weight;
    f.charSet = 134; // GB2312
    return f;
}

// ---- The start window ----------------------------------------------------

WindowLayout startWindow()
{
    WindowSettings window;
    window.borderStyle = 2; // fixed single frame with caption
    window.controlBox = 1;
    window.maxButton = 0;
    window.minButton = 0;
    window.position = 1; // centred on the screen
    window.movable = 1;
    window.escCloses = 1;
    window.dragAnywhere = 1;
    window.backColour = defaultColour;

    TimerSettings timer;
    timer.interval = 50;

    WindowLayout w;
    w.id = WindowId::start;
    w.units.push_back(unit(UnitId::startWindow, kind::window, "", {50, 50, 495, 354}, unitVisible, 0,
                           {{onCreated, startSplash}}, window));
    w.units.push_back(unit(UnitId::splashTimer, kind::timer, "时钟1", {16, 16, 32, 32}, unitVisible, 0,
                           {{onPrimary, splashTick}}, timer));
    return w;
}

// ---- The main window -----------------------------------------------------

LayoutUnit mainWindowUnit()
{
    WindowSettings window;
    window.borderStyle = 1; // resizable frame, caption, system menu
    window.controlBox = 1;
    window.maxButton = 1;
    window.minButton = 1;
    window.position = 1;
    window.movable = 1;
    window.backColour = defaultColour;
    // Not visible at load: the application shows it.
    return unit(UnitId::mainWindow, kind::window, "", {50, 50, 556, 613}, 0, 0,
                {{onSizeChanged, layoutOnResize},
                 {onMayClose, exitDialogue},
                 {onKeyDown, mainWindowKeyDown},
                 {onFilesDropped, openDroppedFile}},
                window);
}

LayoutUnit editBox()
{
    EditBoxSettings edit;
    edit.borderStyle = 3; // thin static edge
    // The factory look, the one the settings file falls back to; the stored
    // height is the default size in points at 96 pixels per inch (-24).
    edit.textColour = settingsFile::defaultTextColour;
    edit.backColour = settingsFile::defaultBackgroundColour;
    LogFont f = font(settingsFile::defaultFontFace, -settingsFile::defaultFontSize * 96 / 72, 400);
    f.outPrecision = 3;
    f.clipPrecision = 2;
    f.quality = 1;
    f.pitchAndFamily = 2;
    edit.font = f;
    edit.hideSelection = 1;
    edit.maxLength = 0; // no limit
    edit.multiLine = 1;
    edit.scrollBars = 2; // vertical only: lines wrap
    edit.alignment = 0;
    edit.inputMode = 0;
    edit.caseConversion = 0;
    return unit(UnitId::editBox, kind::editBox, "编辑框1", {-1, 0, 550, 530}, unitVisible | unitTabStop, 0,
                {{onKeyDown, editBoxKeyDown},
                 {onGotFocus, applySettings},
                 {onPrimary, refreshStatistics},
                 {onEditBoxUndo, undoEdit}},
                edit);
}

LayoutUnit listBox()
{
    ListBoxSettings list;
    list.borderStyle = 0;
    list.sorted = 0;
    list.horizontalLayout = 1; // items side by side, horizontal scroll bar
    list.extraItemHeight = 10;
    list.textColour = appearance::listTextColour;
    list.backColour = settingsFile::defaultBackgroundColour;
    list.font = font("新宋体", -13, 700);
    list.multipleSelection = 0;
    list.currentSelection = -1;
    return unit(UnitId::listBox, kind::listBox, "列表框1", {0, 528, 553, 30}, unitVisible, 1,
                {{onPrimary, selectParagraph}}, list);
}

LayoutUnit colorPicker()
{
    ColorPickerSettings picker;
    picker.colour = defaultColour;
    return unit(UnitId::colorPicker, kind::colorPicker, "颜色选择器1", {328, 200, 72, 64}, unitTabStop, 2,
                {{onPrimary, applyChosenColour}}, picker);
}

LayoutUnit commonDialog()
{
    CommonDlgSettings dialog;
    dialog.dialogType = 0; // open
    dialog.filterIndex = 0;
    dialog.options = {0, 1, 1, 1, 0, 0x8000, 0, 0, 0, 0, 0, 0, 0};
    dialog.filter = "*.txt";
    dialog.initialFolder = "*.txt";
    // Non-visual: it gets a hidden window whatever its flags say.
    return unit(UnitId::commonDialog, kind::commonDlg, "通用对话框1", {216, 64, 112, 64}, unitVisible, 3, {}, dialog);
}

struct MenuLine {
    std::string_view caption;
    std::int32_t level;
    std::int32_t shortcut;
    std::uint32_t flags;
    std::int32_t handler;
};

// The menu tree; an entry's place here is its n in command 20000 + n.
std::vector<MenuLine> menuTree()
{
    std::vector<MenuLine> lines = {
        {"文件操作", 0, none, menuTicked, noHandler},
        {"新建文档", 1, ctrl('A'), 0, newDocument},
        {"-", 1, none, 0, noHandler},
        {"保存文档", 1, ctrl('S'), 0, saveDocument},
        {"-", 1, none, 0, noHandler},
        {"打开文档", 1, ctrl('D'), 0, openDocument},
        {"添加文档", 1, ctrl('F'), 0, appendDocument},
        {"编辑菜单", 0, none, menuTicked, noHandler},
        {"剪切字符   Ctrl+X", 1, none, 0, cutCharacters},
        {"-", 1, none, 0, noHandler},
        {"复制字符   Ctrl+C", 1, none, 0, copyCharacters},
        {"粘贴字符   Ctrl+V", 1, none, 0, pasteCharacters},
        {"-", 1, none, 0, noHandler},
        {"清空字符", 1, del, 0, clearText},
        {"功能设置", 0, none, menuTicked, noHandler},
        {"壹键隐藏  *必看说明* ", 1, none, 0, hideNotice},
        {"字数总计", 1, ctrl('Q'), 0, countReport},
        {"日期时间", 1, ctrl('W'), 0, insertDateTime},
        {"-", 1, none, 0, noHandler},
        {"字体颜色", 1, ctrl('E'), 0, chooseTextColour},
        {"背景颜色", 1, ctrl('R'), 0, chooseBackgroundColour},
        {"字体大小", 1, ctrl('T'), 0, chooseFont},
        // Its stored Ctrl+R makes no accelerator: a popup gets none.
        {"版权帮助", 0, ctrl('R'), menuTicked, noHandler},
        {"配置还原", 1, ctrl('P'), 0, restoreDefaults},
        {"关于帮助", 1, ctrl('O'), 0, helpNotice},
        {"-", 1, none, 0, noHandler},
        {"广告合作", 1, ctrl('Y'), 0, advertisingNotice},
        {"建议反馈", 1, ctrl('U'), 0, feedbackNotice},
        {"-", 1, none, 0, noHandler},
        {"作者版权", 1, ctrl('Z'), 0, authorNotice},
        {"程序更新", 0, none, 0, noHandler},
        {"官网更新下载 ", 1, ctrl('I'), 0, openUpdatePage},
        {"-", 1, none, 0, noHandler},
        {"官方指定合作下载站:", 1, none, menuDisabled, noHandler}, // a greyed heading
        {"-", 1, none, 0, noHandler},
    };
    for (std::size_t i = 0; i < partnerSiteNames.size(); ++i)
        lines.push_back({partnerSiteNames[i], 1, none, 0, static_cast<std::int32_t>(openPartnerSite1 + i)});
    // After every menu above, so that each keeps its place and command number.
    const std::vector<MenuLine> editing = {
        {"查找替换", 0, none, 0, noHandler},
        {"查找文字", 1, ctrlFunctionKey(3), 0, findText},
        {"查找下一个", 1, functionKey(3), 0, findNext},
        {"查找上一个", 1, shiftFunctionKey(3), 0, findPrevious},
        {"替换文字", 1, ctrl('H'), 0, replaceText},
        {"-", 1, none, 0, noHandler},
        {"转到段落", 1, ctrl('G'), 0, goToParagraph},
        {"-", 1, none, 0, noHandler},
        {"撤销", 1, altBackspace, 0, undoEdit},
        {"重做", 1, altShiftBackspace, 0, redoEdit},
    };
    lines.insert(lines.end(), editing.begin(), editing.end());
    const std::vector<MenuLine> writing = {
        {"写作", 0, none, 0, noHandler},
        {"-", 1, none, 0, noHandler},
        {"一键排版", 1, ctrl('L'), 0, tidyManuscript},
        {"今日目标", 1, ctrl('B'), 0, dailyGoal},
    };
    lines.insert(lines.end(), writing.begin(), writing.end());
    return lines;
}

WindowLayout mainWindow()
{
    WindowLayout w;
    w.id = WindowId::main;
    w.units = {mainWindowUnit(), editBox(), listBox(), colorPicker(), commonDialog()};
    const std::vector<MenuLine> lines = menuTree();
    for (std::size_t n = 0; n < lines.size(); ++n) {
        LayoutUnit entry;
        entry.id = UnitId::menuEntry(static_cast<int>(n));
        entry.kind = kind::menu;
        MenuEntry settings;
        settings.caption = lines[n].caption;
        settings.level = lines[n].level;
        settings.shortcut = lines[n].shortcut;
        settings.flags = lines[n].flags;
        settings.handler = lines[n].handler;
        entry.settings = std::move(settings);
        w.units.push_back(std::move(entry));
    }
    return w;
}

} // namespace

std::vector<WindowLayout> layoutContent()
{
    return {mainWindow(), startWindow()};
}

const Bytes& layoutDataBlock()
{
    static const Bytes block = [] {
        const std::vector<WindowLayout> windows = layoutContent();
        return encodeLayoutData(windows);
    }();
    return block;
}

} // namespace wrivo
