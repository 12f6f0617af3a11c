#include "app/layout_content.h"
#include "app/appearance.h"
#include "app/settings_file.h"
#include "host/host_types.h"
#include "host/layout_writer.h"
#include "host/shortcuts.h"

#include <iterator>
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
#define WRIVO_NOT_A_MENU_LINE(...)
#define WRIVO_COMMAND_LINE(name, caption, level, shortcut, flags, runs) \
    {caption, level, shortcutIndex(shortcut), flags, HandlerIndex::name},
#define WRIVO_ENTRY_LINE(caption, level, shortcut, flags) {caption, level, shortcutIndex(shortcut), flags, noHandler},
constexpr MenuLine menuTree[] = {WRIVO_HANDLERS(WRIVO_NOT_A_MENU_LINE, WRIVO_COMMAND_LINE, WRIVO_ENTRY_LINE)};
#undef WRIVO_NOT_A_MENU_LINE
#undef WRIVO_COMMAND_LINE
#undef WRIVO_ENTRY_LINE
static_assert(std::size(menuTree) == menuEntryCount);

WindowLayout mainWindow()
{
    WindowLayout w;
    w.id = WindowId::main;
    w.units = {mainWindowUnit(), editBox(), listBox(), colorPicker(), commonDialog()};
    for (std::size_t n = 0; n < std::size(menuTree); ++n) {
        const MenuLine& line = menuTree[n];
        LayoutUnit entry;
        entry.id = UnitId::menuEntry(static_cast<int>(n));
        entry.kind = kind::menu;
        MenuEntry settings;
        settings.caption = line.caption;
        settings.level = line.level;
        settings.shortcut = line.shortcut;
        settings.flags = line.flags;
        settings.handler = line.handler;
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
