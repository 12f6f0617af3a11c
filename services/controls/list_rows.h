// The rows of a list box as the program keeps them: a text and a 32-bit
// value each. The count strip's control holds no texts of its own; it knows
// only how many rows there are and asks for a row's text when it paints it,
// so that a document of 100,000 paragraphs can rewrite its rows at once.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wrivo {

struct ListRow {
    std::string text;
    std::int32_t value = 0;
};

class ListRows {
public:
    std::int32_t count() const { return static_cast<std::int32_t>(rows_.size()); }
    // The row at `index`, or null when there is none.
    const ListRow* row(std::int32_t index) const;

    // Inserts before `position` (the count appends); false when the position
    // is outside 0..count.
    bool insert(std::int32_t position, std::string text, std::int32_t value = 0);
    bool erase(std::int32_t index);
    bool setValue(std::int32_t index, std::int32_t value);
    void clear() { rows_.clear(); }
    // Grows with empty rows or cuts rows off the end.
    void resize(std::int32_t count);

    // Rows 0..n-1 take `texts` (value 0) and are appended where missing; rows
    // from n on stay as they are. This is what inserting text k at position k
    // and deleting row k + 1, for k = 0..n-1 in turn, leaves behind.
    void rewriteLeading(std::vector<std::string> texts);

private:
    std::vector<ListRow> rows_;
};

// Where a single-selection list box's current row ends up after
// rewriteLeading of `rewritten` rows: each rewritten row is deleted once, so a
// current row among them is lost (-1); a later one stays where it is.
constexpr std::int32_t selectionAfterRewrite(std::int32_t selected, std::int32_t rewritten)
{
    return selected < rewritten ? -1 : selected;
}

} // namespace wrivo
