#pragma once

#include <QtGlobal>

#include <cstddef>

// Memory for the bulk of a loaded catalogue (the file's bytes, the records, their texts): a
// block of whole 2 MiB units, aligned to them and offered to the kernel for transparent huge
// pages. A first load touches all this memory at once, and with 4 KiB pages the page faults
// were the largest single cost of the load; a huge page is one fault for 2 MiB. Where the
// kernel gives no huge pages the block is ordinary memory, faulted in page by page.
class LargeBlock
{
public:
    static constexpr qsizetype Unit = qsizetype(2) << 20;

    // At least `size` bytes, not initialised; raises std::bad_alloc.
    explicit LargeBlock(qsizetype size);
    ~LargeBlock();
    LargeBlock(const LargeBlock &) = delete;
    LargeBlock &operator=(const LargeBlock &) = delete;

    std::byte *data() const { return m_data; }
    qsizetype size() const { return m_size; }

private:
    std::byte *m_data;
    qsizetype m_size;
};
