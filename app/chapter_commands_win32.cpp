#include "app/chapter_commands.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/app_globals.h"
#include "app/command_handlers.h"
#include "app/document.h"
#include "app/main_window.h"
#include "app/notices.h"
#include "app/publish_commands.h"
#include "app/start_window.h"
#include "app/writing_desk.h"
#include "host/host.h"
#include "services/controls/edit_box_operations.h"
#include "services/dialogs/chapter_list_window.h"
#include "services/writing/chapter_headings.h"
#include "services/writing/chapter_view.h"

namespace wrivo {

struct ChapterState {
    // The document's change number when the parts were found. Never its
    // text's address: the document builds a new snapshot in the memory of an
    // older one, so an address comes back while a number never does.
    std::optional<std::uint64_t> foundAt;
    std::vector<ChapterPart> parts;
    bool changed = false; // since the list was last filled
    std::uint64_t lastChange = 0;
    std::uint64_t selectionMark = 0; // the edit box's selection when the list last chose its row
};

namespace {

// The list recounts once typing has paused this long; the timer looks this
// often (milliseconds).
constexpr std::uint64_t typingPause = 500;
constexpr std::uint32_t tickMilliseconds = 250;

constexpr std::string_view listTitle = "章节目录";

ChapterState& state()
{
    std::shared_ptr<ChapterState>& chapters = appGlobals()->chapters;
    if (!chapters) chapters = std::make_shared<ChapterState>();
    return *chapters;
}

std::shared_ptr<const std::string> currentText()
{
    return document().sharedText();
}

bool partsStale()
{
    return state().foundAt != document().changeCount();
}

// The parts of `text`, which is the document's current one.
const std::vector<ChapterPart>& partsOf(const std::shared_ptr<const std::string>& text)
{
    ChapterState& chapters = state();
    if (partsStale()) {
        chapters.parts = splitChapters(*text);
        chapters.foundAt = document().changeCount();
    }
    return chapters.parts;
}

std::size_t caret()
{
    return static_cast<std::size_t>(document().selection().start);
}

ChapterListContent contentOf(const std::shared_ptr<const std::string>& text)
{
    const std::vector<ChapterPart>& parts = partsOf(text);
    return {chapterListLines(parts, writing::settings().chapterTarget), chapterListSummary(parts),
            static_cast<std::int32_t>(partAt(parts, caret()))};
}

void noteSelection()
{
    state().selectionMark = selectionMark(editBoxRef);
}

// The list takes the document as it is now.
void refreshList()
{
    state().changed = false;
    showChapterLines(contentOf(currentText()));
    noteSelection();
}

void chooseCaretLine()
{
    const std::shared_ptr<const std::string> text = currentText();
    chooseChapterLine(static_cast<std::int32_t>(partAt(partsOf(text), caret())));
    noteSelection();
}

// Nothing runs on a keystroke: a change waits here for the pause. With no
// change pending, a caret moved by a click or a key chooses its row.
void tick()
{
    if (!appGlobals()) return; // before the editor is up, after it is gone
    ChapterState& chapters = state();
    if (chapters.changed) {
        if (steadyMilliseconds() - chapters.lastChange < typingPause) return;
        chapters.changed = false;
        if (chapterListOpen()) refreshList();
        publishing::typingPaused();
        return;
    }
    if (chapterListOpen() && selectionMark(editBoxRef) != chapters.selectionMark) chooseCaretLine();
}

// The parts of the document as it is now; an open list that showed older
// ones is brought up to date with them.
const std::vector<ChapterPart>& currentParts(const std::shared_ptr<const std::string>& text)
{
    const bool stale = partsStale();
    const std::vector<ChapterPart>& parts = partsOf(text);
    if (stale && chapterListOpen()) refreshList();
    return parts;
}

// The caret at `offset`, its line at the top of the edit box.
void jumpTo(const std::shared_ptr<const std::string>& text, std::size_t offset)
{
    document().select({static_cast<std::int32_t>(offset), 0});
    scrollCaretLineToTop(editBoxRef);
    if (chapterListOpen()) chooseChapterLine(static_cast<std::int32_t>(partAt(partsOf(text), offset)));
    noteSelection();
}

// The part titled `title` nearest to row `row`; parts.size() when none is.
std::size_t nearestTitled(const std::vector<ChapterPart>& parts, std::string_view title, std::size_t row)
{
    auto distance = [row](std::size_t i) { return i > row ? i - row : row - i; };
    std::size_t found = parts.size();
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (parts[i].title == title && (found == parts.size() || distance(i) < distance(found))) found = i;
    }
    return found;
}

// A row chosen in the list. When the document changed after the list was
// filled, the row is found again by its title among the parts as they are now.
void onLineChosen(std::int32_t line)
{
    const std::shared_ptr<const std::string> text = currentText();
    const auto row = static_cast<std::size_t>(line);
    const bool stale = partsStale();
    const std::string title = row < state().parts.size() ? state().parts[row].title : std::string();
    const std::vector<ChapterPart>& parts = currentParts(text);
    const std::size_t part = stale ? nearestTitled(parts, title, row) : row;
    if (part >= parts.size()) return;
    jumpTo(text, headingStart(*text, parts[part]));
    setFocus(editBoxRef);
}

std::optional<std::int32_t> goToHeading(bool forward)
{
    const std::shared_ptr<const std::string> text = currentText();
    const std::vector<ChapterPart>& parts = currentParts(text);
    const std::size_t from = caret();
    const std::optional<std::size_t> heading =
        forward ? nextHeading(*text, parts, from) : previousHeading(*text, parts, from);
    if (heading) jumpTo(text, *heading);
    return std::nullopt;
}

class ChangeFollower final : public DocumentWatcher {
public:
    void changed(const Change&) override
    {
        state().changed = true;
        state().lastChange = steadyMilliseconds();
    }
};

} // namespace

std::unique_ptr<DocumentWatcher> watchChapters()
{
    return std::make_unique<ChangeFollower>();
}

const std::vector<ChapterPart>& documentParts()
{
    return currentParts(currentText());
}

void refreshChapterRows()
{
    if (chapterListOpen()) refreshList();
}

void watchTypingPauses()
{
    if (processState().chapterTimerStarted) return;
    processState().chapterTimerStarted = true;
    startIntervalTimer(tickMilliseconds, tick);
}

std::optional<std::int32_t> handlers::chapterList(const EventArguments&)
{
    if (chapterListOpen()) {
        closeChapterList();
        return std::nullopt;
    }
    watchTypingPauses();
    state().changed = false;
    openChapterList(mainWindowRef, listTitle, contentOf(currentText()), onLineChosen);
    noteSelection();
    return std::nullopt;
}

std::optional<std::int32_t> handlers::previousChapter(const EventArguments&)
{
    return goToHeading(false);
}

std::optional<std::int32_t> handlers::nextChapter(const EventArguments&)
{
    return goToHeading(true);
}

std::optional<std::int32_t> handlers::countDetails(const EventArguments&)
{
    const std::shared_ptr<const std::string> text = currentText();
    const std::vector<ChapterPart>& parts = currentParts(text);
    notices::CountDetails details;
    for (const ChapterPart& part : parts) details.whole += part.count;
    details.paragraphs = document().statistics().paragraphCount();
    const EditRange selection = document().selection();
    const bool headings = parts.size() > 1 || parts.front().kind != HeadingKind::none;
    if (headings) {
        const PartSpan chapter = chapterAround(parts, partAt(parts, static_cast<std::size_t>(selection.start)));
        details.chapter = countOf(parts, chapter);
        details.chapterTitle = parts[chapter.first].title;
        if (parts[chapter.first].kind == HeadingKind::chapter)
            details.chapterTarget = writing::settings().chapterTarget;
    }
    if (selection.length > 0)
        details.selection = countWords(std::string_view(*text).substr(static_cast<std::size_t>(selection.start),
                                                                      static_cast<std::size_t>(selection.length)));
    tell(notices::countDetails(details));
    return std::nullopt;
}

} // namespace wrivo
