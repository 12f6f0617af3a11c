// Find, find next and previous, replace and replace all on the document's
// text, and going to a paragraph. The replacements are the document's own
// steps; these commands only decide where.
#include "app/editing_commands.h"

#include "app/app_globals.h"
#include "app/document.h"
#include "app/main_window.h"
#include "app/notices.h"
#include "app/start_window.h"
#include "app/statistics_handlers.h"
#include "app/units.h"
#include "host/host.h"
#include "services/controls/control_operations.h"
#include "services/controls/edit_box_operations.h"
#include "services/dialogs/number_dialog.h"
#include "services/text/text_search.h"

namespace wrivo {
namespace {

FindRequest& lastSearch()
{
    return appGlobals()->lastSearch;
}

SearchOptions optionsOf(const FindRequest& search)
{
    return {search.matchCase, search.wholeWord};
}

EditRange asRange(std::size_t offset, std::size_t length)
{
    return {static_cast<std::int32_t>(offset), static_cast<std::int32_t>(length)};
}

std::string_view selectedIn(std::string_view text, EditRange selection)
{
    const auto start = static_cast<std::size_t>(selection.start);
    return start > text.size() ? std::string_view() : text.substr(start, static_cast<std::size_t>(selection.length));
}

// The dialogs start with the selection as the term when it is one line, and
// with the last search's term otherwise.
FindRequest dialogStart()
{
    FindRequest start = lastSearch();
    const std::string_view selected = selectedIn(document().text(), document().selection());
    if (!selected.empty() && selected.find("\r\n") == std::string_view::npos) start.term = selected;
    return start;
}

// From the selection's end (or, backward, its start), wrapping once.
void findFromSelection(bool forward)
{
    const FindRequest& search = lastSearch();
    const EditRange selection = document().selection();
    const std::size_t from = static_cast<std::size_t>(selection.start) + (forward ? selection.length : 0);
    const std::optional<std::size_t> match =
        findWrapping(document().text(), search.term, from, forward, optionsOf(search));
    if (!match) {
        tell(notices::notFound(search.term));
        return;
    }
    document().select(asRange(*match, searchableTerm(search.term).size()));
}

// The selection, when it is a match, is replaced; then the next match is found.
void replaceSelection()
{
    const FindRequest& search = lastSearch();
    const std::string& text = document().text();
    const EditRange selection = document().selection();
    const std::string_view term = searchableTerm(search.term);
    const std::string_view selected = selectedIn(text, selection);
    const auto start = static_cast<std::size_t>(selection.start);
    if (!term.empty() && selected.size() == term.size() && findForward(text, term, start, optionsOf(search)) == start &&
        selected != search.replacement) {
        document().replaceRange(selection, search.replacement);
        document().select(asRange(start + search.replacement.size(), 0));
    }
    findFromSelection(true);
}

void replaceEverywhere()
{
    const std::size_t count = replaceEveryMatch(lastSearch());
    tell(count ? notices::replaced(count) : notices::notFound(lastSearch().term));
}

void onFindRequest(const FindRequest& request)
{
    lastSearch() = request;
    switch (request.action) {
    case FindRequest::Action::findNext: findFromSelection(request.down); break;
    case FindRequest::Action::replace: replaceSelection(); break;
    case FindRequest::Action::replaceAll: replaceEverywhere(); break;
    }
}

std::optional<std::int32_t> findAgain(bool forward)
{
    if (lastSearch().term.empty())
        openFindDialog(mainWindowRef, dialogStart(), onFindRequest);
    else
        findFromSelection(forward);
    return std::nullopt;
}

} // namespace

std::size_t replaceEveryMatch(const FindRequest& search)
{
    return document().replaceAll(search.term, search.replacement, optionsOf(search));
}

std::optional<std::int32_t> handlers::findText(const EventArguments&)
{
    openFindDialog(mainWindowRef, dialogStart(), onFindRequest);
    return std::nullopt;
}

std::optional<std::int32_t> handlers::findNext(const EventArguments&)
{
    return findAgain(true);
}

std::optional<std::int32_t> handlers::findPrevious(const EventArguments&)
{
    return findAgain(false);
}

std::optional<std::int32_t> handlers::replaceText(const EventArguments&)
{
    openReplaceDialog(mainWindowRef, dialogStart(), onFindRequest);
    return std::nullopt;
}

// The caret to the start of the paragraph asked for, nothing selected, and
// its row in the strip chosen when the strip has that row.
std::optional<std::int32_t> handlers::goToParagraph(const EventArguments&)
{
    const DocumentStatistics& statistics = document().statistics();
    const std::int32_t count = statistics.paragraphCount();
    if (count == 0) return std::nullopt; // no paragraph to go to
    const Notice question = notices::goToParagraph(count);
    const std::optional<std::int32_t> number =
        askNumber(mainWindowRef, {question.title, question.text, notices::okLabel, notices::cancelLabel, 1, count});
    if (!number) return std::nullopt;
    const std::int32_t row = *number - 1;
    const std::optional<ByteSelection> paragraph = statistics.paragraphSelection(row);
    if (!paragraph) return std::nullopt;
    document().select({paragraph->start, 0});
    if (row < itemCount(listBoxRef)) listBox.setCurrentSelection(row);
    setFocus(editBoxRef);
    return std::nullopt;
}

} // namespace wrivo
