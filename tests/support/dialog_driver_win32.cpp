#include "tests/support/dialog_driver_win32.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <set>
#include <thread>

namespace wrivo::test {

std::string windowText(HWND window)
{
    char buffer[1024] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

std::vector<std::string> listRows(HWND list)
{
    std::vector<std::string> rows(static_cast<std::size_t>(SendMessageA(list, LB_GETCOUNT, 0, 0)));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i].resize(static_cast<std::size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)));
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(rows[i].data()));
    }
    return rows;
}

namespace {

constexpr unsigned pollMs = 10;

std::string classOf(HWND window)
{
    char buffer[256] = {};
    GetClassNameA(window, buffer, sizeof buffer);
    return buffer;
}

bool sameClass(HWND window, const char* name)
{
    return lstrcmpiA(classOf(window).c_str(), name) == 0;
}

BOOL CALLBACK collectChild(HWND child, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

std::vector<HWND> childrenOf(HWND parent)
{
    std::vector<HWND> children;
    EnumChildWindows(parent, collectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

bool isPushButton(HWND window)
{
    if (!sameClass(window, "Button")) return false;
    const LONG type = GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

struct DialogSearch {
    const std::set<HWND>* answered;
    HWND found;
};

BOOL CALLBACK checkTopLevel(HWND window, LPARAM data)
{
    auto& search = *reinterpret_cast<DialogSearch*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window) || !IsWindowEnabled(window) ||
        !sameClass(window, "#32770") || search.answered->count(window))
        return TRUE;
    search.found = window;
    return FALSE;
}

// A visible, enabled dialog window of this process that has not been answered.
HWND findNewDialog(const std::set<HWND>& answered)
{
    DialogSearch search{&answered, nullptr};
    EnumWindows(checkTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

template <class Condition>
bool waitFor(unsigned timeoutMs, Condition condition)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(pollMs); // polling interval of the watcher, not a wait-and-hope
    }
}

struct NamedButton {
    const char* name;
    int id;
};
constexpr NamedButton namedButtons[] = {
    {"OK", IDOK},         {"Cancel", IDCANCEL}, {"Abort", IDABORT}, {"Retry", IDRETRY},
    {"Ignore", IDIGNORE}, {"Yes", IDYES},       {"No", IDNO},       {"Close", IDCLOSE},
};

std::string joined(const std::vector<std::string>& items)
{
    std::string text;
    for (const auto& item : items) text += (text.empty() ? "\"" : ", \"") + item + "\"";
    return text.empty() ? "none" : text;
}

} // namespace

std::string withoutAcceleratorMark(std::string_view label)
{
    std::string text(label);
    // "是(&Y)" and "打开(&O)": the bracketed mark goes as a whole.
    if (text.size() >= 4 && text.back() == ')' && text[text.size() - 4] == '(' && text[text.size() - 3] == '&')
        text.erase(text.size() - 4);
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            plain += text[++i] == '&' ? "&" : std::string(1, text[i]);
            continue;
        }
        plain += text[i];
    }
    return plain;
}

std::string DialogRecord::message() const
{
    std::string text;
    for (const auto& line : texts) text += (text.empty() ? "" : "\n") + line;
    return text;
}

DialogWindow::DialogWindow(HWND window, std::vector<std::string>& failures) : window_(window), failures_(failures) { }

DialogRecord DialogWindow::record() const
{
    DialogRecord record;
    record.title = windowText(window_);
    record.className = classOf(window_);
    for (HWND child : childrenOf(window_)) {
        if (!IsWindowVisible(child)) continue;
        if (sameClass(child, "Static")) {
            const std::string text = windowText(child);
            if (!text.empty()) record.texts.push_back(text);
        } else if (isPushButton(child)) {
            record.buttons.push_back(withoutAcceleratorMark(windowText(child)));
        }
    }
    return record;
}

void DialogWindow::fail(const std::string& what)
{
    const DialogRecord seen = record();
    failures_.push_back(what + " (dialog \"" + seen.title + "\", buttons " + joined(seen.buttons) + ", texts " +
                        joined(seen.texts) + ")");
}

HWND DialogWindow::control(int id) const
{
    HWND hidden = nullptr;
    for (HWND child : childrenOf(window_)) {
        if (GetDlgCtrlID(child) != id) continue;
        if (IsWindowVisible(child)) return child;
        if (!hidden) hidden = child;
    }
    return hidden;
}

bool DialogWindow::press(std::string_view label)
{
    HWND button = nullptr;
    for (HWND child : childrenOf(window_))
        if (isPushButton(child) && IsWindowVisible(child) && withoutAcceleratorMark(windowText(child)) == label) {
            button = child;
            break;
        }
    // By the button's standard ID; other controls may share it (the file
    // dialog's file list and toolbar are both 1), so only push buttons count.
    for (const auto& named : namedButtons)
        if (!button && label == named.name)
            for (HWND child : childrenOf(window_))
                if (GetDlgCtrlID(child) == named.id && isPushButton(child) && IsWindowVisible(child)) {
                    button = child;
                    break;
                }
    if (!button) {
        fail("no button \"" + std::string(label) + "\"");
        return false;
    }
    // What a click on the button delivers to its dialog.
    PostMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
    return true;
}

bool DialogWindow::pressCloseBox()
{
    return PostMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0) != 0;
}

HWND DialogWindow::fileNameField()
{
    // The file name field: an edit box inside a combo box (cmb13, 0x47C, in
    // Explorer-style dialogs, Wine's among them) or an edit box (edt1, 0x480)
    // in old-style ones. The innermost edit box is the one the dialog reads.
    HWND field = nullptr;
    for (const char* kind : {"Edit", "ComboBox", "ComboBoxEx32"})
        for (HWND child : childrenOf(window_))
            if (!field && GetDlgCtrlID(child) == 0x47C && sameClass(child, kind) && IsWindowVisible(child))
                field = child;
    if (!field) field = control(0x480);
    if (!field) fail("no file name field (cmb13 or edt1)");
    return field;
}

bool DialogWindow::typeFileName(std::string_view name)
{
    HWND field = fileNameField();
    if (!field) return false;
    const std::string text(name);
    SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    return true;
}

std::string DialogWindow::typeKeysIntoFileName(std::string_view keys, bool thenEnter)
{
    HWND field = fileNameField();
    if (!field) return {};
    // The edit box itself, inside a combo box.
    if (!sameClass(field, "Edit"))
        if (HWND edit = FindWindowExA(field, nullptr, "Edit", nullptr)) field = edit;
    for (char key : keys) SendMessageA(field, WM_CHAR, static_cast<unsigned char>(key), 1);
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(field)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(field, text.data(), static_cast<int>(text.size()))));
    if (thenEnter) {
        // Posted, so that the dialog's own loop sees the key as it sees a typed one.
        PostMessageA(field, WM_KEYDOWN, VK_RETURN, 1);
        PostMessageA(field, WM_KEYUP, VK_RETURN, 0xC0000001);
    }
    return text;
}

namespace {

struct OwnedBoxSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK checkOwnedBox(HWND window, LPARAM data)
{
    auto& search = *reinterpret_cast<OwnedBoxSearch*>(data);
    if (GetWindow(window, GW_OWNER) != search.owner || !IsWindowVisible(window) || !sameClass(window, "#32770"))
        return TRUE;
    search.found = window;
    return FALSE;
}

} // namespace

HWND DialogWindow::waitForOwnBox(unsigned timeoutMs) const
{
    OwnedBoxSearch search{window_, nullptr};
    waitFor(timeoutMs, [&] {
        EnumWindows(checkOwnedBox, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    });
    return search.found;
}

bool DialogWindow::selectInList(int comboId, std::string_view item, const char* what)
{
    HWND combo = control(comboId);
    if (!combo) {
        fail(std::string("no ") + what + " list");
        return false;
    }
    const std::string text(item);
    const LRESULT index =
        SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    if (index == CB_ERR) {
        fail(std::string("the ") + what + " list has no \"" + text + "\"");
        return false;
    }
    SendMessageA(combo, CB_SETCURSEL, index, 0);
    // What choosing the item with the mouse tells the dialog.
    SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    return true;
}

bool DialogWindow::chooseFontFace(std::string_view face)
{
    return selectInList(0x470 /* cmb1 */, face, "font face");
}

bool DialogWindow::chooseFontSize(int points)
{
    return selectInList(0x472 /* cmb3 */, std::to_string(points), "font size");
}

bool DialogWindow::setColour(COLORREF colour)
{
    // The red, green and blue fields of the colour dialog.
    const int ids[3] = {706, 707, 708};
    const unsigned parts[3] = {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
    for (int i = 0; i < 3; ++i) {
        HWND field = control(ids[i]);
        if (!field) {
            fail("no colour value field " + std::to_string(ids[i]));
            return false;
        }
        const std::string text = std::to_string(parts[i]);
        SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        // What typing into the field tells the dialog.
        SendMessageA(GetParent(field), WM_COMMAND, MAKEWPARAM(ids[i], EN_UPDATE), reinterpret_cast<LPARAM>(field));
        SendMessageA(GetParent(field), WM_COMMAND, MAKEWPARAM(ids[i], EN_CHANGE), reinterpret_cast<LPARAM>(field));
    }
    return true;
}

struct DialogDriver::Shared {
    unsigned timeoutMs;
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<Answer> pending;
    std::size_t queued = 0;
    std::size_t done = 0;
    bool stopping = false;
    std::vector<std::string> failures;
    std::vector<DialogRecord> seen;
    std::thread watcher;

    void watch();
    void answerOne(Answer& answer, std::size_t number);
};

void DialogDriver::Shared::watch()
{
    std::size_t number = 0;
    for (;;) {
        Answer answer;
        {
            std::unique_lock lock(mutex);
            changed.wait(lock, [&] { return stopping || !pending.empty(); });
            if (pending.empty()) return;
            answer = std::move(pending.front());
            pending.pop_front();
        }
        answerOne(answer, ++number);
        std::lock_guard lock(mutex);
        ++done;
        changed.notify_all();
    }
}

void DialogDriver::Shared::answerOne(Answer& answer, std::size_t number)
{
    static std::set<HWND> answered; // dialogs met by any driver, while they live
    for (auto it = answered.begin(); it != answered.end();) it = IsWindow(*it) ? std::next(it) : answered.erase(it);

    HWND dialog = nullptr;
    if (!waitFor(timeoutMs, [&] { return (dialog = findNewDialog(answered)) != nullptr; })) {
        std::lock_guard lock(mutex);
        failures.push_back("no dialog appeared within " + std::to_string(timeoutMs) + " ms for answer " +
                           std::to_string(number));
        return;
    }
    answered.insert(dialog);

    std::vector<std::string> problems;
    DialogWindow window(dialog, problems);
    const DialogRecord record = window.record();
    {
        std::lock_guard lock(mutex);
        seen.push_back(record);
    }
    answer(window);

    // The answer is done when its dialog closes, or when it opens a dialog of
    // its own (a "replace the file?" question), which the next answer takes.
    const auto closed = [&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); };
    const auto settled = [&] { return closed() || findNewDialog(answered) != nullptr; };
    if (!waitFor(timeoutMs, settled)) {
        problems.push_back("dialog \"" + record.title + "\" still open " + std::to_string(timeoutMs) +
                           " ms after answer " + std::to_string(number) + "; cancelled");
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        if (!waitFor(2000, closed)) PostMessageA(dialog, WM_CLOSE, 0, 0);
    }
    std::lock_guard lock(mutex);
    failures.insert(failures.end(), problems.begin(), problems.end());
}

DialogDriver::DialogDriver(unsigned timeoutMs) : shared_(std::make_shared<Shared>())
{
    shared_->timeoutMs = timeoutMs;
    shared_->watcher = std::thread([shared = shared_] { shared->watch(); });
}

DialogDriver::~DialogDriver()
{
    {
        std::lock_guard lock(shared_->mutex);
        shared_->stopping = true;
        shared_->changed.notify_all();
    }
    shared_->watcher.join();
}

void DialogDriver::answer(Answer answer)
{
    std::lock_guard lock(shared_->mutex);
    shared_->pending.push_back(std::move(answer));
    ++shared_->queued;
    shared_->changed.notify_all();
}

void DialogDriver::press(std::string label)
{
    answer([label](DialogWindow& dialog) { dialog.press(label); });
}

bool DialogDriver::finish()
{
    std::unique_lock lock(shared_->mutex);
    shared_->changed.wait(lock, [&] { return shared_->done == shared_->queued; });
    return shared_->failures.empty();
}

std::string DialogDriver::report() const
{
    std::lock_guard lock(shared_->mutex);
    std::string text;
    for (const auto& failure : shared_->failures) text += failure + "\n";
    return text;
}

std::vector<DialogRecord> DialogDriver::seen() const
{
    std::lock_guard lock(shared_->mutex);
    return shared_->seen;
}

DialogDriver::Answer pressing(std::string label)
{
    return [label](DialogWindow& box) { box.press(label); };
}

std::vector<DialogRecord> answered(const std::function<void()>& action,
                                   std::initializer_list<DialogDriver::Answer> answers)
{
    DialogDriver driver;
    for (const DialogDriver::Answer& answer : answers) driver.answer(answer);
    action();
    EXPECT_TRUE(driver.finish()) << driver.report();
    return driver.seen();
}

} // namespace wrivo::test
