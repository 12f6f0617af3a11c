#include "services/writing/chinese_convert.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "host/gbk_rules.h"
#include "services/writing/chinese_tables.h"

namespace wrivo {
namespace {

std::size_t characterLength(std::string_view text, std::size_t at)
{
    return gbk::characterLength<gbk::CodePageRule>(text, at);
}

unsigned slotOf(std::string_view text, std::size_t at, std::size_t length)
{
    return characterSlot(static_cast<unsigned char>(text[at]),
                         length == 2 ? static_cast<unsigned char>(text[at + 1]) : 0, length == 2);
}

struct Entry {
    std::string_view key;
    std::string_view value;
    unsigned kept;
};

Entry entryAt(const ConversionTable& table, std::uint32_t index)
{
    const unsigned char* p = table.pool + table.entries[index];
    const unsigned char* end = table.pool + table.entries[index + 1];
    auto chars = reinterpret_cast<const char*>(p + 2);
    return {{chars, p[0]}, {chars + p[0], static_cast<std::size_t>(end - p - 2 - p[0])}, p[1]};
}

std::string_view keyAt(const ConversionTable& table, std::uint32_t index)
{
    const unsigned char* p = table.pool + table.entries[index];
    return {reinterpret_cast<const char*>(p + 2), p[0]};
}

// The longest key that `text` starts with, among entries [low, high). The
// last key not after the probe either is that key or shares a prefix with
// it; any shorter answer is a prefix of that shared part, and sorts before.
bool longestMatch(const ConversionTable& table, std::uint32_t low, std::uint32_t high, std::string_view text,
                  Entry& found)
{
    std::string_view probe = text.substr(0, 255);
    while (low < high) {
        std::uint32_t first = low, count = high - low;
        while (count > 0) { // upper bound of the probe
            std::uint32_t step = count / 2;
            if (keyAt(table, first + step) <= probe) {
                first += step + 1;
                count -= step + 1;
            } else {
                count = step;
            }
        }
        if (first == low) return false;
        std::string_view key = keyAt(table, first - 1);
        if (probe.starts_with(key)) {
            found = entryAt(table, first - 1);
            return true;
        }
        auto shared =
            static_cast<std::size_t>(std::mismatch(key.begin(), key.end(), probe.begin()).first - key.begin());
        std::size_t whole = 0;
        while (whole + characterLength(probe, whole) <= shared) whole += characterLength(probe, whole);
        if (whole == 0) return false;
        probe = probe.substr(0, whole);
        high = first - 1;
    }
    return false;
}

// A table with the first entry of each character slot (the next slot's ends
// it), made at first use: the generated tables stay small, and a lookup
// searches only its own character's keys.
struct IndexedTable {
    const ConversionTable& table;
    std::vector<std::uint32_t> firsts;
    explicit IndexedTable(const ConversionTable& t) : table(t), firsts(characterSlots + 1)
    {
        std::uint32_t entry = 0;
        for (unsigned slot = 0; slot <= characterSlots; ++slot) {
            firsts[slot] = entry;
            while (entry < table.count &&
                   slotOf(keyAt(table, entry), 0, characterLength(keyAt(table, entry), 0)) == slot)
                ++entry;
        }
    }
};

const IndexedTable& indexed(const ConversionTable& table)
{
    static const IndexedTable all[] = {
        IndexedTable(simplifiedToTraditional), IndexedTable(traditionalToSimplified), IndexedTable(taiwanForms),
        IndexedTable(taiwanFormsBack),         IndexedTable(hongKongForms),           IndexedTable(hongKongFormsBack),
    };
    for (const IndexedTable& each : all)
        if (&each.table == &table) return each;
    std::abort(); // every table is listed above
}

void convertBy(const ConversionTable& table, std::string_view text, std::string& out, std::size_t& kept)
{
    const IndexedTable& index = indexed(table);
    out.clear();
    out.reserve(text.size() + text.size() / 8);
    std::size_t copied = 0, at = 0;
    while (at < text.size()) {
        const std::size_t length = characterLength(text, at);
        const unsigned slot = slotOf(text, at, length);
        Entry entry;
        if (!(table.starts[slot / 8] >> (slot % 8) & 1) ||
            !longestMatch(table, index.firsts[slot], index.firsts[slot + 1], text.substr(at), entry)) {
            at += length;
            continue;
        }
        out.append(text.substr(copied, at - copied));
        out.append(entry.value);
        kept += entry.kept;
        at += entry.key.size();
        copied = at;
    }
    out.append(text.substr(copied));
}

// Both texts have as many characters: compared side by side.
void noteChanges(std::string_view from, ChineseConversion& result)
{
    const std::string_view to = result.text;
    std::size_t a = 0, b = 0;
    while (a < from.size() && b < to.size()) {
        const std::size_t la = characterLength(from, a), lb = characterLength(to, b);
        if (from.substr(a, la) != to.substr(b, lb)) {
            if (result.changed++ == 0) result.from = a;
            result.sourceEnd = a + la;
            result.textEnd = b + lb;
        }
        a += la;
        b += lb;
    }
}

} // namespace

ChineseConversion convertChinese(std::string_view text, ChineseScript to, TraditionalForms forms)
{
    std::vector<const ConversionTable*> passes;
    const ConversionTable* variants = nullptr;
    if (forms == TraditionalForms::taiwan)
        variants = to == ChineseScript::traditional ? &taiwanForms : &taiwanFormsBack;
    else if (forms == TraditionalForms::hongKong)
        variants = to == ChineseScript::traditional ? &hongKongForms : &hongKongFormsBack;
    if (to == ChineseScript::traditional)
        passes = {&simplifiedToTraditional, variants};
    else
        passes = {variants, &traditionalToSimplified};

    ChineseConversion result;
    std::string current(text), next;
    for (const ConversionTable* table : passes) {
        if (!table) continue;
        convertBy(*table, current, next, result.keptForGbk);
        current.swap(next);
    }
    result.text = std::move(current);
    noteChanges(text, result);
    return result;
}

} // namespace wrivo
