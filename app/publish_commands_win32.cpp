#include "app/publish_commands.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/app_globals.h"
#include "app/chapter_commands.h"
#include "app/command_handlers.h"
#include "app/document.h"
#include "app/main_window.h"
#include "app/notices.h"
#include "app/start_window.h"
#include "app/writing_desk.h"
#include "services/controls/clipboard.h"
#include "services/dialogs/folder_dialog.h"
#include "services/dialogs/number_dialog.h"
#include "services/dialogs/publish_check_window.h"
#include "services/store/files.h"
#include "services/store/word_lists.h"
#include "services/writing/chapter_view.h"
#include "services/writing/publish_check.h"
#include "services/writing/publish_layout.h"

namespace wrivo::publishing {

// What the open check shows.
struct CheckState {
    std::unique_ptr<WordMatcher> lists;
    std::set<std::string> ignored;
    std::set<std::string> unreadableTold; // lists said not to read, once a run each
    std::vector<Finding> findings;
    // F9 checked a selection. Choosing a finding selects it in the text, so
    // later looks take a selection only when F9 did.
    bool onSelection = false;
};

namespace {

constexpr std::string_view checkTitle = "发布前检查";
constexpr std::string_view folderTitle = "选择文件夹";

CheckState& checkState()
{
    std::shared_ptr<CheckState>& state = appGlobals()->publishCheck;
    if (!state) state = std::make_shared<CheckState>();
    return *state;
}

// The bytes of the chapter the caret is in (with its sections), its title
// and whether the text has headings at all.
struct Chapter {
    std::size_t start = 0, end = 0;
    std::string title;
    bool headed = false;
    bool counted = false; // a chapter, which has a target
};

Chapter currentChapter()
{
    const std::vector<ChapterPart>& parts = documentParts();
    Chapter chapter;
    chapter.end = document().text().size();
    if (parts.size() == 1 && parts.front().kind == HeadingKind::none) return chapter;
    const PartSpan span = chapterAround(parts, partAt(parts, static_cast<std::size_t>(document().selection().start)));
    chapter.start = parts[span.first].offset;
    chapter.end = parts[span.last].offset + parts[span.last].length;
    chapter.title = parts[span.first].title;
    chapter.headed = true;
    chapter.counted = parts[span.first].kind == HeadingKind::chapter;
    return chapter;
}

void readLists()
{
    CheckState& state = checkState();
    WordListsRead read = readWordLists();
    state.lists = std::make_unique<WordMatcher>(std::move(read.lists));
    state.ignored = readIgnoredWords();
    for (const std::string& path : read.unreadable)
        if (state.unreadableTold.insert(path).second) tell(notices::wordListUnreadable(path));
}

FindingsContent runCheck()
{
    CheckState& state = checkState();
    const std::string& text = document().text();
    const EditRange selection = document().selection();
    const Chapter chapter = currentChapter();
    CheckRequest request{text, chapter.start, chapter.end, 0, 0, state.lists.get(), &state.ignored, &documentParts()};
    if (selection.length > 0 && state.onSelection) {
        request.start = static_cast<std::size_t>(selection.start);
        request.end = request.start + static_cast<std::size_t>(selection.length);
    } else if (!chapter.headed || chapter.counted) {
        request.target = writing::settings().chapterTarget;
    }
    request.words = countWords(std::string_view(text).substr(request.start, request.end - request.start)).words;
    state.findings = checkChapter(request);
    FindingsContent content;
    for (const Finding& finding : state.findings) content.rows.push_back(findingRow(finding));
    content.summary = findingsSummary(state.findings);
    return content;
}

// Enter or a double-click: the finding selected in the text.
void onChosen(std::int32_t row)
{
    const std::vector<Finding>& findings = checkState().findings;
    if (row < 0 || static_cast<std::size_t>(row) >= findings.size()) return;
    const std::size_t size = document().text().size();
    const std::size_t start = std::min(findings[static_cast<std::size_t>(row)].offset, size);
    const std::size_t length = std::min(findings[static_cast<std::size_t>(row)].length, size - start);
    document().select({static_cast<std::int32_t>(start), static_cast<std::int32_t>(length)});
    setFocus(editBoxRef);
}

// 忽略: the word, doubling or phrase goes into 忽略.txt and out of the list.
void onIgnored(std::int32_t row)
{
    CheckState& state = checkState();
    if (row < 0 || static_cast<std::size_t>(row) >= state.findings.size()) return;
    const Finding& finding = state.findings[static_cast<std::size_t>(row)];
    if (!ignorable(finding)) return;
    const std::string word = finding.word;
    addIgnoredWord(word);
    state.ignored.insert(word);
    showFindings(runCheck());
}

} // namespace

void typingPaused()
{
    if (findingsOpen()) showFindings(runCheck());
}

} // namespace wrivo::publishing

namespace wrivo {

std::optional<std::int32_t> handlers::chapterTarget(const EventArguments&)
{
    const Notice question = notices::chapterTarget();
    const std::optional<std::int32_t> target =
        askNumber(mainWindowRef, {question.title, question.text, notices::okLabel, notices::cancelLabel, 0,
                                  static_cast<std::int32_t>(largestChapterTarget)});
    if (!target) return std::nullopt;
    writing::setChapterTarget(*target);
    refreshChapterRows();
    publishing::typingPaused();
    writing::tellPending();
    return std::nullopt;
}

std::optional<std::int32_t> handlers::publishCheck(const EventArguments&)
{
    publishing::readLists();
    publishing::checkState().onSelection = document().selection().length > 0;
    watchTypingPauses();
    openFindings(mainWindowRef, publishing::checkTitle, publishing::runCheck(),
                 {publishing::onChosen, publishing::onIgnored});
    return std::nullopt;
}

std::optional<std::int32_t> handlers::copyChapter(const EventArguments&)
{
    const publishing::Chapter chapter = publishing::currentChapter();
    const std::string_view part =
        std::string_view(document().text()).substr(chapter.start, chapter.end - chapter.start);
    const std::string_view body = chapter.headed ? bodyOf(part) : part;
    if (putTextOnClipboard(mainWindowRef, publishedText(body, writing::settings().publish)))
        tell(notices::chapterCopied(chapter.title, countWords(body).words));
    return std::nullopt;
}

std::optional<std::int32_t> handlers::exportChapters(const EventArguments&)
{
    const std::shared_ptr<const std::string> text = document().sharedText();
    const std::vector<ExportFile> files = exportFiles(*text, documentParts());
    if (files.empty()) {
        tell(notices::noChaptersToExport());
        return std::nullopt;
    }
    const std::string file = document().file();
    const std::size_t slash = file.find_last_of("\\/");
    const std::optional<std::string> folder =
        askFolder(mainWindowRef, publishing::folderTitle, slash == std::string::npos ? "" : file.substr(0, slash));
    if (!folder) return std::nullopt;
    const std::string base = folder->ends_with('\\') ? *folder : *folder + "\\";
    std::size_t existing = 0;
    for (const ExportFile& exported : files)
        if (fileSize(base + exported.name)) ++existing;
    if (existing > 0 && !ask(notices::exportReplaces(existing))) return std::nullopt;
    for (const ExportFile& exported : files) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(text->data()) + exported.offset;
        // Written under a temporary name beside it and renamed into place.
        if (!writeFile(base + exported.name, {{bytes, exported.length}})) {
            tell(notices::exportFailed(base + exported.name));
            return std::nullopt;
        }
    }
    tell(notices::exported(files.size(), *folder));
    return std::nullopt;
}

} // namespace wrivo
