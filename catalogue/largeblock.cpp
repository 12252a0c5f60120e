#include "catalogue/largeblock.h"

#include <cstdint>
#include <limits>
#include <new>

#include <sys/mman.h>

LargeBlock::LargeBlock(qsizetype size)
{
    if (size <= 0 || size > std::numeric_limits<qsizetype>::max() / 2)
        throw std::bad_alloc();
    m_size = (size + Unit - 1) / Unit * Unit;
    // One unit more than asked for, then the parts before and after the aligned block go back.
    const auto mapped = std::size_t(m_size + Unit);
    void *start =
        ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (start == MAP_FAILED)
        throw std::bad_alloc();
    const auto address = reinterpret_cast<std::uintptr_t>(start);
    const std::uintptr_t aligned = (address + Unit - 1) / Unit * Unit;
    if (aligned > address)
        ::munmap(start, aligned - address);
    const std::uintptr_t end = aligned + std::size_t(m_size);
    if (address + mapped > end)
        ::munmap(reinterpret_cast<void *>(end), address + mapped - end);
    m_data = reinterpret_cast<std::byte *>(aligned);
    // Only advice: without huge pages the block works the same.
    ::madvise(m_data, std::size_t(m_size), MADV_HUGEPAGE);
}

LargeBlock::~LargeBlock()
{
    ::munmap(m_data, std::size_t(m_size));
}
