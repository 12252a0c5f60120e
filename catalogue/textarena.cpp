#include "catalogue/textarena.h"

#include <cstring>

const char *TextArena::store(QByteArrayView text)
{
    const qsizetype needed = text.size() + 1;
    char *place;
    if (needed > LargeBlock::Unit / 16) {
        m_blocks.push_back(std::make_unique<LargeBlock>(needed));
        place = reinterpret_cast<char *>(m_blocks.back()->data());
    } else {
        if (needed > m_left) {
            m_blocks.push_back(std::make_unique<LargeBlock>(LargeBlock::Unit));
            m_free = reinterpret_cast<char *>(m_blocks.back()->data());
            m_left = m_blocks.back()->size();
        }
        place = m_free;
        m_free += needed;
        m_left -= needed;
    }
    if (!text.isEmpty())
        std::memcpy(place, text.data(), std::size_t(text.size()));
    place[text.size()] = '\0';
    return place;
}
