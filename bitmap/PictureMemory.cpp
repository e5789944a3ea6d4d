#include "bitmap/PictureMemory.h"

#include <cstdlib>
#include <new>
#include <utility>

#if defined(__unix__) || defined(__APPLE__)
#include <sys/mman.h>
#include <unistd.h>
#define VQ_ANONYMOUS_MAPPING 1
#endif

namespace {

// Below this calloc is as good: the C library serves small blocks from its
// own pools and large ones from fresh zero mappings of its own anyway.
constexpr size_t kMapFrom = 256 * 1024;
// The size of a transparent huge page on x86-64 and the usual arm64 kernel;
// a mapping aligned to it can be backed by huge pages from its first byte.
constexpr size_t kHugePage = 2 * 1024 * 1024;

} // namespace

TPictureMemory::TPictureMemory(size_t size)
{
    if (size == 0) return;
#ifdef VQ_ANONYMOUS_MAPPING
    if (size >= kMapFrom) {
        // Mapped with a huge page to spare, then cut to a huge-page boundary
        // at both ends, so no small pages sit at the start of the picture.
        const size_t page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
        const size_t length = (size + page - 1) / page * page;
        const size_t align = size >= kHugePage ? kHugePage : page;
        if (length > SIZE_MAX - align) throw std::bad_alloc();
        void* raw = ::mmap(nullptr, length + align, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (raw == MAP_FAILED) throw std::bad_alloc();
        auto* start = static_cast<uint8_t*>(raw);
        const auto address = reinterpret_cast<uintptr_t>(start);
        const size_t head = (align - address % align) % align;
        if (head > 0) ::munmap(start, head);
        const size_t tail = align - head;
        if (tail > 0) ::munmap(start + head + length, tail);
        start += head;
#ifdef MADV_HUGEPAGE
        // A hint: where the kernel grants huge pages only on request (the
        // "madvise" setting), this is the request; elsewhere it is ignored.
        if (align == kHugePage) ::madvise(start, length, MADV_HUGEPAGE);
#endif
        data_ = start;
        size_ = size;
        mapped_ = true;
        return;
    }
#endif
    data_ = static_cast<uint8_t*>(std::calloc(size, 1));
    if (!data_) throw std::bad_alloc();
    size_ = size;
}

TPictureMemory::TPictureMemory(TPictureMemory&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)),
      mapped_(std::exchange(other.mapped_, false))
{}

TPictureMemory& TPictureMemory::operator=(TPictureMemory&& other) noexcept
{
    if (this != &other) {
        Release();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        mapped_ = std::exchange(other.mapped_, false);
    }
    return *this;
}

void TPictureMemory::Release() noexcept
{
#ifdef VQ_ANONYMOUS_MAPPING
    // munmap takes every page the range touches.
    if (mapped_) ::munmap(data_, size_);
    else std::free(data_);
#else
    std::free(data_);
#endif
    data_ = nullptr;
    size_ = 0;
    mapped_ = false;
}
