#include "host/shortcuts.h"

namespace wrivo {

std::string shortcutDisplayName(int index)
{
    const shortcuts::Group* group = shortcuts::groupOf(index);
    if (!group) return "（无）";
    const int offset = index - group->first;
    std::string name(group->prefix);
    switch (group->run) {
    case shortcuts::Run::letters: name += static_cast<char>('A' + offset); break;
    case shortcuts::Run::functionKeys: name += "F" + std::to_string(offset + 1); break;
    case shortcuts::Run::single: break;
    }
    return name;
}

ShortcutKey shortcutKey(int index)
{
    const shortcuts::Group* group = shortcuts::groupOf(index);
    if (!group) return {};
    return {static_cast<std::uint16_t>(group->firstKey + (index - group->first)), group->modifiers};
}

} // namespace wrivo
