// 发布前检查: what a web platform would object to in a chapter, found offline.
//
//   字数        the chapter against its target (first, when a target is set)
//   词表        each word of the writer's lists found in the chapter
//   重复字      的的 地地 得得 着着 把把 被被, unless the second starts a word
//               with the next character (的的确, 地地道道)
//   重复短语    a run of 4 to 8 Chinese characters, within marks, found 3 or
//               more times: the longest, not the runs inside it
//   半角标点    a half-width mark beside Chinese text
//   章节编号    over the whole text, a chapter number that skips, repeats or
//               goes back; numbering may start again at 1 after a volume
//
// Offsets are bytes of the whole text; paragraphs are counted from 1 over the
// whole text, as 转到段落 counts them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "services/writing/chapter_headings.h"

namespace wrivo {

enum class FindingKind {
    length,
    listWord,
    doubled,
    phrase,
    halfWidth,
    numbering
};

struct Finding {
    FindingKind kind = FindingKind::length;
    std::size_t offset = 0, length = 0; // what Enter selects
    std::int64_t paragraph = 0;
    std::string excerpt; // as the row shows it
    std::string word;    // what 忽略 keeps: the word, the doubling or the phrase
    bool counted = true; // in "共 N 处"
    friend bool operator==(const Finding&, const Finding&) = default;
};

// "类别　第N段　摘录" ("字数　本章 36 字，目标 10 字" for the 字数 row).
std::string findingRow(const Finding& finding);
// "共 N 处".
std::string findingsSummary(const std::vector<Finding>& findings);
// Whether 忽略 applies to the finding.
bool ignorable(const Finding& finding);

// The words of one list file's text (GBK): one a line, "#" starts a comment,
// surrounding spaces go.
std::vector<std::string> parseWordList(std::string_view text);

// The writer's lists, ready to look for: built once, used at every pause.
class WordMatcher {
public:
    struct List {
        std::string file; // "平台.txt"
        std::vector<std::string> words;
    };
    struct Match {
        std::size_t offset;
        std::string_view word, file;
    };
    explicit WordMatcher(std::vector<List> lists);
    WordMatcher(const WordMatcher&) = delete; // its entries view its own words
    WordMatcher& operator=(const WordMatcher&) = delete;
    // Each place in [start, end) where a list's word begins at a character.
    std::vector<Match> find(std::string_view text, std::size_t start, std::size_t end) const;

private:
    struct Entry {
        std::string_view word;
        std::size_t list;
    };
    std::vector<List> lists_;
    std::vector<Entry> entries_;       // ordered by their first two bytes
    std::vector<std::uint32_t> first_; // by first two bytes: where their entries start (65537 places)
};

struct CheckRequest {
    std::string_view text; // the whole document
    std::size_t start = 0, end = 0;
    std::int64_t words = 0;  // the chapter's 字数
    std::int64_t target = 0; // 0 for none
    const WordMatcher* lists = nullptr;
    const std::set<std::string>* ignored = nullptr;
    const std::vector<ChapterPart>* parts = nullptr; // of the whole text, for the numbering
};

std::vector<Finding> checkChapter(const CheckRequest& request);

// The value of a number as headings write it: digits (half- or full-width)
// or Chinese numerals (第一百零三章 is 103); nothing when it is none.
std::optional<std::int64_t> numeralValue(std::string_view number);
// The chapter number of a heading title ("第12章 风起" is 12), if it has one.
std::optional<std::int64_t> chapterNumber(std::string_view title);

// Chapters whose number skips, repeats or goes back.
std::vector<Finding> numberingFindings(std::string_view text, const std::vector<ChapterPart>& parts);

} // namespace wrivo
