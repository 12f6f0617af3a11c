// The open, save and font dialogs of the common dialog control, answered as a
// person would by the dialog driver.
#include "services/controls/common_dialog_win32.h"

#include "tests/support/dialog_driver_win32.h"
#include "tests/support/scratch_folder_win32.h"

#include <gtest/gtest.h>

namespace wrivo {
namespace {

using test::answered;
using test::DialogDriver;
using test::DialogRecord;
using test::DialogWindow;
using test::pressing;

// Types `name` into a file dialog's name field, then presses `button`.
DialogDriver::Answer typing(std::string name, std::string button)
{
    return [name, button](DialogWindow& box) {
        box.typeFileName(name);
        box.press(button);
    };
}

// Shows `dialog` with its dialogs given `answers`; whether it was answered
// with OK (`accepted`) is checked, the dialogs seen are given back.
std::vector<DialogRecord> shown(CommonDialog& dialog, bool accepted,
                                std::initializer_list<DialogDriver::Answer> answers)
{
    return answered([&] { EXPECT_EQ(openDialog(dialog, nullptr), accepted); }, answers);
}

// The file type list of a file dialog (cmb1) and its chosen entry.
struct FileTypes {
    std::vector<std::string> items;
    int selected = -1;
};

FileTypes fileTypesOf(DialogWindow& dialog)
{
    FileTypes types;
    HWND list = dialog.control(0x470);
    if (!list) return types;
    const int count = static_cast<int>(SendMessageA(list, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char item[256] = {};
        SendMessageA(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
        types.items.push_back(item);
    }
    types.selected = static_cast<int>(SendMessageA(list, CB_GETCURSEL, 0, 0));
    return types;
}

class FileDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        char current[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, current);
        previousFolder = current;
        test::putFileBytes(folder.file("稿件.txt"), "old");
        dialog.filter = "*.txt";
        dialog.defaultExtension = "*.txt";
        dialog.initialFolder = folder.path();
    }
    void TearDown() override { SetCurrentDirectoryA(previousFolder.c_str()); }

    test::ScratchFolder folder;
    std::string previousFolder;
    CommonDialog dialog;
};

TEST_F(FileDialogs, OpenTakesTheChosenFullPath)
{
    dialog.title = "打开文档";
    FileTypes types;
    const std::vector<DialogRecord> seen = shown(dialog, true, {[&](DialogWindow& box) {
                                                     types = fileTypesOf(box);
                                                     typing("稿件.txt", "OK")(box);
                                                 }});
    EXPECT_EQ(dialog.fileName, folder.file("稿件.txt"));
    EXPECT_EQ(seen.at(0).title, "打开文档");
    EXPECT_EQ(types.items, std::vector<std::string>{"*.txt"}) << "one description";
}

TEST_F(FileDialogs, CancelKeepsEveryProperty)
{
    dialog.fileName = "之前.txt";
    const CommonDialog before = dialog;
    shown(dialog, false, {typing("另一个.txt", "Cancel")});
    EXPECT_EQ(dialog.fileName, "之前.txt");
    EXPECT_EQ(dialog.filter, before.filter);
    EXPECT_EQ(dialog.initialFolder, before.initialFolder);
}

TEST_F(FileDialogs, FilterIndexChoosesThePairShownFirst)
{
    dialog.filter = "文本文件|*.txt|全部文件|*.*";
    dialog.filterIndex = 1;
    FileTypes types;
    shown(dialog, false, {[&](DialogWindow& box) {
              types = fileTypesOf(box);
              box.press("Cancel");
          }});
    EXPECT_EQ(types.items, (std::vector<std::string>{"文本文件", "全部文件"}));
    EXPECT_EQ(types.selected, 1);
}

TEST_F(FileDialogs, SaveAsksBeforeOverwriting)
{
    dialog.kind = CommonDialog::saveFile;
    dialog.filter = "文本文件|*.txt";
    dialog.defaultExtension = "txt";
    // Yes to "replace it?"
    EXPECT_EQ(shown(dialog, true, {typing("稿件.txt", "OK"), pressing("Yes")}).size(), 2u);
    EXPECT_EQ(dialog.fileName, folder.file("稿件.txt"));
}

TEST_F(FileDialogs, SaveAddsTheDefaultExtension)
{
    dialog.kind = CommonDialog::saveFile;
    dialog.fileMustExist = false;
    dialog.filter = "文本文件|*.txt";
    dialog.defaultExtension = "txt";
    shown(dialog, true, {typing("新稿", "OK")});
    EXPECT_EQ(dialog.fileName, folder.file("新稿.txt"));
}

TEST_F(FileDialogs, KeepCurrentFolderLeavesTheProcessFolderAlone)
{
    test::ScratchFolder elsewhere;
    ASSERT_TRUE(SetCurrentDirectoryA(elsewhere.path().c_str()));
    dialog.keepCurrentFolder = true;
    shown(dialog, true, {typing("稿件.txt", "OK")});
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    EXPECT_EQ(std::string(current), elsewhere.path());
}

TEST(FontDialog, StartsFromThePropertiesAndTakesTheAnswer)
{
    CommonDialog dialog;
    dialog.kind = CommonDialog::font;
    dialog.fontSize = 12;
    dialog.fontColour = 0x0000FF;
    std::string face;
    shown(dialog, true, {[&](DialogWindow& box) {
              char text[64] = {};
              GetWindowTextA(box.control(0x470), text, sizeof text);
              HWND faces = box.control(0x470);
              if (SendMessageA(faces, CB_GETCOUNT, 0, 0) > 0) {
                  SendMessageA(faces, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
                  face = text;
                  box.chooseFontFace(face);
              }
              box.chooseFontSize(18);
              box.press("OK");
          }});
    ASSERT_FALSE(face.empty()) << "the font list was empty";
    EXPECT_EQ(dialog.fontName, face);
    EXPECT_EQ(dialog.fontSize, 18);
    EXPECT_EQ(dialog.fontColour, 0x0000FFu);
    EXPECT_FALSE(dialog.fontBold);
}

TEST(FontDialog, CancelChangesNothing)
{
    CommonDialog dialog;
    dialog.kind = CommonDialog::font;
    dialog.fontName = "宋体";
    dialog.fontSize = 14;
    shown(dialog, false, {[](DialogWindow& box) {
              box.chooseFontSize(20);
              box.press("Cancel");
          }});
    EXPECT_EQ(dialog.fontName, "宋体");
    EXPECT_EQ(dialog.fontSize, 14);
}

TEST(HelpDialog, NeedsAnOwnerAndAnExistingFile)
{
    CommonDialog dialog;
    dialog.kind = CommonDialog::help;
    EXPECT_FALSE(openDialog(dialog, nullptr)) << "no owner window";
    HWND owner =
        CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    dialog.helpFile = "C:\\no-such-folder\\none.hlp";
    EXPECT_FALSE(openDialog(dialog, owner)) << "the help file does not exist";
    dialog.helpFile.clear(); // the program's own .hlp, which does not exist either
    EXPECT_FALSE(openDialog(dialog, owner));
    dialog.helpCommand = 9;
    EXPECT_FALSE(openDialog(dialog, owner));
    DestroyWindow(owner);
}

} // namespace
} // namespace wrivo
