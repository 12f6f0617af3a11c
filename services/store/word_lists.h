// The writer's word lists for 发布前检查: each .txt file in Words\ of the
// store folder (GBK, or UTF-8 after a byte-order mark; one word a line, "#"
// starts a comment). 忽略.txt is no list: it holds the words and phrases the
// writer told the check to pass over. The program ships no list; with no
// folder or no list there is nothing to look for.
#pragma once
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "services/writing/publish_check.h"

namespace wrivo {

inline constexpr std::string_view ignoredWordsFile = "忽略.txt";

struct WordListsRead {
    std::vector<WordMatcher::List> lists; // by file name
    std::vector<std::string> unreadable;  // full paths of lists that did not read
};
WordListsRead readWordLists();

// The text of a list file in GBK: its bytes as they are, or converted from
// UTF-8 after a byte-order mark; nothing when the UTF-8 is not valid.
std::optional<std::string> wordListText(std::string_view bytes);

// The words of 忽略.txt (none when it is missing).
std::set<std::string> readIgnoredWords();
// Adds a line to 忽略.txt, making Words\ when missing.
bool addIgnoredWord(std::string_view word);

} // namespace wrivo
