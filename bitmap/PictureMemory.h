// Memory for a picture's pixels, zero from the start without a pass over it.
//
// A picture of 9999 x 9999 is 300 MB: filling that with zeros on one thread
// costs more than drawing it on all of them. Where the system has anonymous
// mappings the memory comes from one (the kernel hands out zero pages as they
// are first written), with transparent huge pages asked for, so whichever
// thread first writes a row faults in its pages and the fault costs one
// 2 MiB page instead of 512 small ones. Elsewhere it comes from calloc.
#pragma once

#include <cstddef>
#include <cstdint>

class TPictureMemory {
public:
    TPictureMemory() = default;
    // size bytes, all zero; throws std::bad_alloc when the system refuses.
    explicit TPictureMemory(size_t size);
    ~TPictureMemory() { Release(); }
    TPictureMemory(TPictureMemory&& other) noexcept;
    TPictureMemory& operator=(TPictureMemory&& other) noexcept;
    TPictureMemory(const TPictureMemory&) = delete;
    TPictureMemory& operator=(const TPictureMemory&) = delete;

    uint8_t* Data() { return data_; }
    const uint8_t* Data() const { return data_; }
    size_t Size() const { return size_; }
    // Whether the memory is an anonymous mapping (false for the calloc
    // fallback and for small blocks; for tests and benchmarks).
    bool Mapped() const { return mapped_; }

private:
    void Release() noexcept;

    uint8_t* data_ = nullptr;
    size_t size_ = 0;
    bool mapped_ = false; // else from calloc
};
