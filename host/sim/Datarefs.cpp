#include "Datarefs.h"

#include <charconv>
#include <iterator>

namespace sim {

const std::vector<DatarefInfo> &PublishedDatarefs()
{
    static const std::vector<DatarefInfo> table(std::begin(host::kPublishedDatarefs),
                                                std::end(host::kPublishedDatarefs));
    return table;
}

const DatarefInfo *FindDataref(std::string_view name)
{
    for (const DatarefInfo &d : PublishedDatarefs())
        if (name == d.shortName || name == d.name) return &d;
    return nullptr;
}

std::string DatarefKey::text() const
{
    if (!info) return "?";
    if (info->type != DatarefType::FloatArray) return info->name;
    return std::string(info->name) + "[" + std::to_string(index) + "]";
}

std::string ParseDatarefKey(std::string_view text, DatarefKey &out)
{
    std::string_view name = text;
    int index = -1;
    size_t open = text.find('[');
    if (open != std::string_view::npos) {
        if (text.back() != ']') return "expected ']' at the end of \"" + std::string(text) + "\"";
        name = text.substr(0, open);
        std::string_view digits = text.substr(open + 1, text.size() - open - 2);
        auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
        if (ec != std::errc() || end != digits.data() + digits.size() || digits.empty() || index < 0)
            return "bad array index in \"" + std::string(text) + "\"";
    }
    const DatarefInfo *info = FindDataref(name);
    if (!info) return "unknown dataref \"" + std::string(name) + "\"";
    if (info->type == DatarefType::FloatArray) {
        if (index < 0)
            return "\"" + std::string(name) + "\" is an array: write " + std::string(name) + "[i]";
        if (index >= info->size)
            return "index " + std::to_string(index) + " out of range for \"" + std::string(name) +
                   "\" (" + std::to_string(info->size) + " elements)";
    } else if (index >= 0) {
        return "\"" + std::string(name) + "\" is not an array";
    }
    out.info = info;
    out.index = index < 0 ? 0 : index;
    return {};
}

}  // namespace sim
