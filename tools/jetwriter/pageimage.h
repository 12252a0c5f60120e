#pragma once

#include "tools/jetwriter/jetformat.h"

#include <vector>

namespace Jet {

// The whole database file in memory, page by page. Pages are handed out in file order and
// start zero-filled; writers address them by number because growing the image moves it.
class PageImage
{
public:
    explicit PageImage(const Format::Traits &traits)
        : m_traits(traits)
    {
    }

    const Format::Traits &traits() const { return m_traits; }

    // Appends `count` blank pages and returns the number of the first.
    quint32 allocate(quint32 count = 1)
    {
        const quint32 first = pageCount();
        m_bytes.resize(m_bytes.size() + std::size_t(count) * pageSize());
        return first;
    }

    // Appends the pages of `other` and returns the number the first of them has here.
    quint32 append(const PageImage &other)
    {
        const quint32 first = pageCount();
        m_bytes.insert(m_bytes.end(), other.m_bytes.begin(), other.m_bytes.end());
        return first;
    }

    quint32 pageCount() const { return quint32(m_bytes.size() / pageSize()); }
    char *page(quint32 number) { return m_bytes.data() + std::size_t(number) * pageSize(); }
    const char *data() const { return m_bytes.data(); }
    std::size_t size() const { return m_bytes.size(); }

private:
    std::size_t pageSize() const { return std::size_t(m_traits.pageSize); }

    const Format::Traits &m_traits;
    std::vector<char> m_bytes;
};

} // namespace Jet
