// The editor's fixed texts: the main window's caption after the splash, the
// notices of the menu commands and the questions of the document commands and
// the exit dialogue, and the two ways they are shown. Texts are GBK, exactly as the user sees them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "services/text/file_checks.h"
#include "services/writing/manuscript_tidy.h"
#include "services/writing/word_count.h"

namespace wrivo {

// "Wrivo  3.7    --  Orvanne出品 " + the maker's web address + two spaces.
std::string startTitle();

// The main window's captions beside the one after the splash.
namespace captions {
// "Orvanne提醒您: ... N ... M ... 字。" with the paragraph and character counts.
std::string statistics(std::string_view paragraphs, std::string_view characters);
// What the clear command leaves.
inline constexpr const char* cleared = "Wrivo  3.7              ⊙△⊙ 亲    已为您清空了统计数据!!!";
} // namespace captions

struct Notice {
    std::string_view title;
    std::string text;
};

namespace notices {
Notice hide();        // "壹键隐藏  *必看说明* "
Notice help();        // "关于帮助": the 16-line shortcut table
Notice advertising(); // "广告合作" (default title)
Notice feedback();    // "建议反馈" (default title)
Notice author();      // "作者版权"
Notice count();       // "字数总计"
// A save that did not happen: the file, the reason in plain words (in use by
// another program, access denied, disk full) with the system's own text for
// `systemError`, and what became of the file already on disk, if any.
Notice saveFailed(std::string_view path, std::uint32_t systemError, std::string_view systemText, bool originalExisted);

// The save command's own answers: saved, or not saved (the dialog cancelled).
Notice saved();    // "保存成功！！！"
Notice notSaved(); // "注意文档未保存&&"
// Characters GBK cannot write (pasted emoji, say): save all the same?
Notice charactersOutsideGbk(std::int32_t count);
// A chosen file that is not read: larger than `limitMb` MB, or unreadable.
Notice fileTooLarge(std::string_view path, std::uint64_t sizeMb, std::uint64_t limitMb);
Notice fileUnreadable(std::string_view path);
// A background colour equal to a text colour, set back to the configured one.
Notice backgroundConflict();

// Find and replace: a term found nowhere, and how many a replace-all replaced.
Notice notFound(std::string_view term); // "找不到“…”"
Notice replaced(std::size_t count);     // "已替换 N 处"
// The go-to-paragraph dialog: its title, and the prompt with the range of
// paragraph numbers; the buttons' labels.
Notice goToParagraph(std::int32_t paragraphCount);
inline constexpr std::string_view okLabel = "确定";
inline constexpr std::string_view cancelLabel = "取消";

// 字数详情: the exact 字数 of the whole text, with its paragraphs as the
// caption counts them; of the chapter the caret is in, when the text has
// headings; of the selection, when there is one.
struct CountDetails {
    WordCount whole;
    std::int32_t paragraphs = 0;
    std::optional<WordCount> chapter;
    std::string_view chapterTitle;
    std::optional<WordCount> selection;
    std::int64_t chapterTarget = 0; // a line under the chapter's when set
};
Notice countDetails(const CountDetails& details);

// The publishing commands of the "写作" menu.
Notice chapterTarget(); // 章节目标…: its title and prompt
Notice wordListUnreadable(std::string_view path);
Notice chapterCopied(std::string_view title, std::int64_t words); // no title: the whole text
Notice noChaptersToExport();
Notice exportReplaces(std::size_t existing);
Notice exported(std::size_t files, std::string_view folder);
Notice exportFailed(std::string_view path);

// Unsaved text kept on disk (app/recovery_*.cpp).
// The offer of copy `index` (from 1) of `total`; `replacesRestored` when
// another copy was restored before it and Yes would shelve that one.
struct RecoveryOffer {
    std::string_view time, fileName, count;
    int index = 1, total = 1;
    bool replacesRestored = false;
};
Notice recoveryOffer(const RecoveryOffer& offer);
// `count` damaged copies, `moved` of them into `folder`.
Notice recoveryDamaged(int count, int moved, std::string_view folder);
// `writingLost`: the writer's goal and figures are not kept either.
Notice recoveryStoreUnusable(bool writingLost);
Notice recoveryUnwritable();
Notice recoveryTooLarge(std::uint64_t limitMb);
Notice shelfUnwritable();
// Versions of saved files that could not be written, and a saved file
// whose old bytes could not be read to be kept (each said once a run).
Notice versionsUnwritable();
Notice versionNotKept(std::string_view path, std::uint64_t limitMb);

// The writer's menu: what the tidy-up changed, or that it changed nothing;
// the daily goal reached (`goal` 字, `streak` days in a row); the writing
// log's folder that cannot be written; one of its files there that does not
// read and so is not written over.
Notice tidied(const TidyCounts& counts);
Notice alreadyTidy();
Notice goalReached(std::int64_t goal, int streak);
Notice writingStoreUnwritable(std::string_view folder);
Notice writingFileUnreadable(std::string_view path);
// 转为繁体 / 转为简体: the characters changed, and those left because GBK
// has no form for what they would become.
Notice chineseConverted(std::size_t changed, std::size_t keptForGbk);

// A file named on the command line or dropped whose name the code page
// cannot spell; `shownName` has "?" for what it cannot show.
Notice fileNameOutsideCodePage(std::string_view shownName);
// Once at start when the process's code page is not GBK (936).
Notice codePageNotGbk(std::uint32_t codePage);

// The shelf could not take discarded text, which waits in the recovery
// folder for the next start instead.
Notice shelfUnwritableTextKept();
// A save the program ended in the middle of: the document and the backup
// holding what it was before, which the program never removes.
Notice interruptedSave(std::string_view document, std::string_view backup);
} // namespace notices

// What open and append say about a chosen file before loading it. The
// questions are asked Yes/No; No ends the command with the document as it was.
namespace fileNotices {
Notice deviceName(std::string_view path);
// The file's bytes in another encoding: convert them to GBK?
Notice otherEncoding(std::string_view path, TextEncoding encoding, std::size_t unrepresentable);
// `kept` bytes before the first zero byte, `lost` from it to the end.
Notice zeroBytes(std::string_view path, std::size_t kept, std::size_t lost);
// A line too long to load quickly, made so by lone LFs or CRs: convert them?
Notice loneLineBreaks(std::string_view path, std::size_t longestLine);
// A line too long to load quickly: load it anyway?
Notice longLine(std::string_view path, std::size_t longestLine);
// Bytes that are not GBK text: a notice only.
Notice notGbk(std::string_view path);
} // namespace fileNotices

namespace questions {
// Save the changed document first? (new, and the exit)
Notice saveChanges();
// Opening a file over a document that is not empty.
Notice openOver();
// Exiting, and the answer to a declined exit.
Notice exit();
Notice stay();
} // namespace questions

// Shown in a message box: OK alone, or Yes and No (true for Yes).
void tell(const Notice& notice);
bool ask(const Notice& question);
// Asked Yes and No: true only for No (a box that cannot be shown declines nothing).
bool declined(const Notice& question);
// Shown with an exclamation mark and readable whatever the process's code page.
void warnInAnyCodePage(const Notice& notice);

} // namespace wrivo
