#pragma once

#include "catalogue/largeblock.h"

#include <QByteArrayView>

#include <memory>
#include <vector>

// The bytes of many short texts in a few large blocks instead of one heap block each. A text
// stays where it was put, followed by a 0 byte, until the arena ends; nothing is freed before.
// A text longer than a sixteenth of a block gets a block of its own.
class TextArena
{
public:
    TextArena() = default;
    TextArena(const TextArena &) = delete;
    TextArena &operator=(const TextArena &) = delete;

    // A copy of `text`, with a 0 byte after it.
    const char *store(QByteArrayView text);

private:
    std::vector<std::unique_ptr<LargeBlock>> m_blocks;
    char *m_free = nullptr;
    qsizetype m_left = 0;
};
