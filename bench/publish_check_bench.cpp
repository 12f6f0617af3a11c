// 发布前检查 on a chapter of 10,000 字 with the writer's lists holding
// 10,000 words (every finding kind looked for: list words, doubled
// characters, repeated phrases, half-width marks), and the chapter-number
// check over a book of 3,000 chapters numbered in Chinese numerals.
// Best of several runs.
//
// Chinese text is written as its GBK bytes: benchmarks are compiled without
// the GBK execution character set.
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "bench/sample_document.h"
#include "services/writing/chapter_headings.h"
#include "services/writing/publish_check.h"
#include "services/writing/word_count.h"

namespace {

using namespace wrivo;

// The sample document cut to `words` 字 at a paragraph's end.
std::string chapterOf(std::int64_t words)
{
    const std::string doc = bench::makeDocument(static_cast<std::size_t>(words) * 3);
    std::size_t end = 0;
    while (end < doc.size() && countWords(std::string_view(doc).substr(0, end)).words < words)
        end = std::min(doc.find("\r\n", end + 2), doc.size());
    return doc.substr(0, end);
}

// Words of two to four Chinese characters, and one in a hundred taken from
// the chapter itself so that some are found.
std::vector<std::string> listWords(const std::string& chapter, std::size_t count)
{
    bench::Random random{12345};
    std::vector<std::string> words;
    while (words.size() < count) {
        std::string word;
        if (words.size() % 100 == 0) {
            std::size_t at = random.below(static_cast<std::uint32_t>(chapter.size() - 8)) & ~std::size_t(1);
            while (at < chapter.size() && static_cast<unsigned char>(chapter[at]) < 0xB0) ++at;
            word = chapter.substr(at, 4);
        } else {
            for (std::uint32_t n = 2 + random.below(3); n > 0; --n) {
                word += static_cast<char>(0xB0 + random.below(0xF7 - 0xB0 + 1));
                word += static_cast<char>(0xA1 + random.below(0xFE - 0xA1 + 1));
            }
        }
        words.push_back(word);
    }
    return words;
}

std::string chineseNumber(int n)
{
    static const char* digits[] = {"\xC1\xE3", "\xD2\xBB", "\xB6\xFE", "\xC8\xFD", "\xCB\xC4",
                                   "\xCE\xE5", "\xC1\xF9", "\xC6\xDF", "\xB0\xCB", "\xBE\xC5"}; // 零一二...九
    const char* units[] = {"\xC7\xA7", "\xB0\xD9", "\xCA\xAE"};                                 // 千百十
    std::string out;
    const int parts[] = {n / 1000, n / 100 % 10, n / 10 % 10};
    bool zero = false;
    for (int k = 0; k < 3; ++k) {
        if (parts[k]) {
            if (zero) out += digits[0];
            out += std::string(digits[parts[k]]) + units[k];
            zero = false;
        } else if (!out.empty()) {
            zero = true;
        }
    }
    if (n % 10) out += (zero ? std::string(digits[0]) : std::string()) + digits[n % 10];
    return out;
}

} // namespace

int main()
{
    const std::string chapter = chapterOf(10'000);
    const WordMatcher lists(std::vector<WordMatcher::List>{{"list.txt", listWords(chapter, 10'000)}});
    const std::set<std::string> ignored;
    const CheckRequest request{chapter, 0, chapter.size(), countWords(chapter).words, 3000, &lists, &ignored, nullptr};
    std::size_t findings = 0;
    const double check = bench::bestSeconds([&] { findings = checkChapter(request).size(); });
    std::printf("check, %lld zi, 10000 list words: %.2f ms (%zu findings)\n", static_cast<long long>(request.words),
                check * 1e3, findings);
    const double build = bench::bestSeconds([&] {
        const WordMatcher again(std::vector<WordMatcher::List>{{"list.txt", listWords(chapter, 10'000)}});
    });
    std::printf("lists made ready, 10000 words: %.2f ms\n", build * 1e3);

    std::string book;
    for (int n = 1; n <= 3000; ++n) {
        if (n == 1500) n = 1501; // one skip to find
        book += "\xB5\xDA" + chineseNumber(n) + "\xD5\xC2 \xB7\xE7\xC6\xF0\r\n" + chapter.substr(0, 600) + "\r\n";
    }
    const std::vector<ChapterPart> parts = splitChapters(book);
    const double numbering = bench::bestSeconds([&] { findings = numberingFindings(book, parts).size(); });
    std::printf("chapter numbers, %zu chapters: %.2f ms (%zu findings)\n", chapterCount(parts), numbering * 1e3,
                findings);
    return 0;
}
