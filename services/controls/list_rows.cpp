#include "services/controls/list_rows.h"

#include <algorithm>
#include <utility>

namespace wrivo {

const ListRow* ListRows::row(std::int32_t index) const
{
    if (index < 0 || index >= count()) return nullptr;
    return &rows_[static_cast<std::size_t>(index)];
}

bool ListRows::insert(std::int32_t position, std::string text, std::int32_t value)
{
    if (position < 0 || position > count()) return false;
    rows_.insert(rows_.begin() + position, ListRow{std::move(text), value});
    return true;
}

bool ListRows::erase(std::int32_t index)
{
    if (index < 0 || index >= count()) return false;
    rows_.erase(rows_.begin() + index);
    return true;
}

bool ListRows::setValue(std::int32_t index, std::int32_t value)
{
    if (index < 0 || index >= count()) return false;
    rows_[static_cast<std::size_t>(index)].value = value;
    return true;
}

void ListRows::resize(std::int32_t count)
{
    rows_.resize(static_cast<std::size_t>(std::max(count, 0)));
}

void ListRows::rewriteLeading(std::vector<std::string> texts)
{
    if (texts.size() > rows_.size()) rows_.resize(texts.size());
    for (std::size_t k = 0; k < texts.size(); ++k) rows_[k] = ListRow{std::move(texts[k]), 0};
}

} // namespace wrivo
