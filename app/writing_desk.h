// The writer's desk in the "写作" menu: the one-key tidy-up (一键排版) and the
// daily goal (今日目标) with its log of net 字数 per day; their handlers are
// declared from app/command_table.h.
//
// Today's figure grows at each typing pause by the difference between the
// document's 字数 then and at the last note. Typing, paste, cut, replace,
// replace-all and the tidy-up change the document between two notes and so
// count (the tidy-up by the marks it made full-width, which count where
// half-width ones do not); loading a text (open, append, a restored copy,
// New, Del) is a change that does not count as writing: the figure is
// noted before and after it, and only what came before is added. Undo and
// redo count as the step they take back or make again did.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>

#include "app/document_model.h"
#include "host/host_types.h"
#include "services/writing/manuscript_tidy.h"
#include "services/writing/writing_settings.h"

namespace wrivo::writing {

// At a typing pause (the recovery copy's): notes the 字数 and writes the log.
void typingPaused();

// The desk's part in following the document: a change that loads or drops
// text rather than writing it (and its undo and redo) adds only what was
// written before it.
std::unique_ptr<DocumentWatcher> watchDocument();

// The tidy-up of the document (the paragraphs the selection touches, else
// all of it) as one step of the history, the caret kept in its paragraph:
// the 一键排版 command without its dialog and notice. Answers what changed.
TidyCounts tidyDocument(const TidyOptions& options);

// Today's net 字数 as of the last note, and the daily goal (0 for none).
std::int64_t writtenToday();
std::int64_t dailyGoalNow();
// The writer's settings (writing.txt) as they stand, and a change of the
// chapter target, written at once.
const WritingSettings& settings();
void setChapterTarget(std::int64_t target);
void setBackupFolder(const std::string& folder);

// What waits to be said at the next menu command: the goal reached today,
// the folder that cannot be written and a file of it that does not read
// (each once a run).
void tellPending();

// The start-up notice has said that the store folder cannot be written, the
// goal and the figures included: the desk does not say it again this run.
void storeTroubleToldAtStart();

} // namespace wrivo::writing
