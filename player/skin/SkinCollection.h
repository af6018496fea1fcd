#pragma once
// An ordered collection of named skin items (regions or rectangles), kept in
// the order in which the skin file first named them. Names are stored in
// lower case and looked up without regard to case, as the skin file's names
// are case-insensitive.
#include "player/skin/ClsZelkoRect.h"
#include "player/skin/ClsZelkoRgn.h"

#include "common/AsciiText.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace skin {

template <typename Item>
class SkinCollection {
public:
    static std::string Key(std::string_view name)
    {
        return common::ascii::Lower(name);
    }

    // The item of that name, or nullptr.
    const Item* Find(std::string_view name) const
    {
        auto it = m_index.find(Key(name));
        return it == m_index.end() ? nullptr : &m_items[it->second];
    }
    Item* Find(std::string_view name)
    {
        auto it = m_index.find(Key(name));
        return it == m_index.end() ? nullptr : &m_items[it->second];
    }
    bool Contains(std::string_view name) const { return m_index.contains(Key(name)); }

    // Adds an item under its Name(); returns false (and adds nothing) when the
    // name is taken.
    bool Add(Item item)
    {
        std::string key = Key(item.Name());
        if (m_index.contains(key)) return false;
        item.SetName(key);
        m_index.emplace(std::move(key), m_items.size());
        m_items.push_back(std::move(item));
        return true;
    }

    void Clear()
    {
        m_items.clear();
        m_index.clear();
    }

    std::size_t Count() const { return m_items.size(); }
    bool IsEmpty() const { return m_items.empty(); }
    // Position 0 is the first item named in the skin file.
    const Item& At(std::size_t position) const { return m_items.at(position); }
    Item& At(std::size_t position) { return m_items.at(position); }

    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }
    auto begin() { return m_items.begin(); }
    auto end() { return m_items.end(); }

private:
    std::vector<Item> m_items;
    std::unordered_map<std::string, std::size_t> m_index;
};

// coRgns: the skin's regions. coRects: the skin's rectangles.
using SkinRegions = SkinCollection<ClsZelkoRgn>;
using SkinRects = SkinCollection<ClsZelkoRect>;

} // namespace skin
