// Answers modal dialogs the way a person would, for Win32 tests.
//
// The code under test calls the real MessageBoxA, GetOpenFileNameA,
// GetSaveFileNameA, ChooseFontA or ChooseColorA on the test's own thread; a
// watcher thread waits for each new dialog window of this process, reads it,
// and answers it through its controls:
//
//   test::DialogDriver driver;
//   driver.answer([](test::DialogWindow& box) { box.press("Yes"); });
//   const int result = messageBox(Value{std::string("继续吗？")}, 4);
//   ASSERT_TRUE(driver.finish()) << driver.report();
//   EXPECT_EQ(driver.seen().at(0).title, "信息：");
//
// Answers run in the order given, one per dialog. finish() waits until every
// answer has run and its dialog has closed (or, for a dialog that asks a
// question of its own, until that question's dialog has appeared). A dialog that does not appear in
// time, a control that is missing, or a dialog still open after its answer is
// a failure with a readable message; a dialog left open is then cancelled so
// that the test thread is never stuck in a modal loop.
#pragma once
#include <windows.h>

#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace wrivo::test {

// A window's text, and the rows of a list box, as they stand.
std::string windowText(HWND window);
std::vector<std::string> listRows(HWND list);

// What a dialog showed when the driver met it.
struct DialogRecord {
    std::string title;
    std::string className;
    std::vector<std::string> texts;   // static texts, in the dialog's order
    std::vector<std::string> buttons; // button labels, "&" marks removed
    std::string message() const;      // the texts joined with "\n"
};

// One live dialog, as the watcher thread sees it. Every operation that cannot
// find its control records a failure (with what the dialog did have) and
// returns false.
class DialogWindow {
public:
    DialogWindow(HWND window, std::vector<std::string>& failures);

    HWND handle() const { return window_; }
    DialogRecord record() const;

    // Presses a button by name: "OK", "Cancel", "Yes", "No", "Abort",
    // "Retry", "Ignore", "Close", or the button's own label ("打开", "保存",
    // "是"...; "(&O)" and "&" marks are ignored).
    bool press(std::string_view label);
    // The title bar's close box.
    bool pressCloseBox();

    // File dialogs: types a name (or a full path) into the file name field.
    bool typeFileName(std::string_view name);
    // File dialogs: types the keys one by one into the file name field, as a
    // person would (so the field's length limit applies), then, when asked,
    // Enter through the dialog's own key handling. Answers the field's text.
    std::string typeKeysIntoFileName(std::string_view keys, bool thenEnter);
    // A message box this dialog has raised (owned by it), waiting up to
    // `timeoutMs` for it; null when none came.
    HWND waitForOwnBox(unsigned timeoutMs) const;
    // Font dialog: picks a face and a size from the dialog's lists.
    bool chooseFontFace(std::string_view face);
    bool chooseFontSize(int points);
    // Colour dialog: types the red, green and blue values of a 0x00BBGGRR colour.
    bool setColour(COLORREF colour);

    // Any child control by its ID, searching nested dialogs too; null if absent.
    HWND control(int id) const;
    void fail(const std::string& what);

private:
    bool selectInList(int comboId, std::string_view item, const char* what);
    HWND fileNameField();

    HWND window_;
    std::vector<std::string>& failures_;
};

class DialogDriver {
public:
    using Answer = std::function<void(DialogWindow&)>;

    explicit DialogDriver(unsigned timeoutMs = 15000);
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;
    ~DialogDriver();

    // Queues an answer for the next new dialog.
    void answer(Answer answer);
    // Shorthand: press one button.
    void press(std::string label);

    // Waits until every queued answer has run and its dialog closed.
    // True when all went as planned; see report() otherwise.
    bool finish();
    std::string report() const;
    std::vector<DialogRecord> seen() const;

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
};

// Presses the button `label` of a dialog.
DialogDriver::Answer pressing(std::string label);
// Runs `action` while the dialogs it brings up are given `answers` in turn;
// the dialogs seen. The test fails unless each answer met its dialog.
std::vector<DialogRecord> answered(const std::function<void()>& action,
                                   std::initializer_list<DialogDriver::Answer> answers);

// Labels compared without accelerator marks: "是(&Y)" -> "是", "&Open" -> "Open".
std::string withoutAcceleratorMark(std::string_view label);

} // namespace wrivo::test
