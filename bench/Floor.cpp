// The floor a whole velquor-render run is measured against: a process that
// only does what cannot be avoided. It maps a picture of the same size
// (asking for transparent huge pages), fills it on every processor with a
// palette pattern, a chunk of neighbouring rows at a time, and writes the
// same kind of BMP file straight from the rows.
//
//   bench_floor SIZE OUTPUT.bmp
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

namespace {

void PutLE(uint8_t* p, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) p[i] = static_cast<uint8_t>(value >> (8 * i));
}

bool WriteAll(int fd, const iovec* pieces, int count)
{
    std::vector<iovec> rest(pieces, pieces + count);
    size_t at = 0;
    while (at < rest.size()) {
        const ssize_t n = ::writev(fd, rest.data() + at, static_cast<int>(std::min<size_t>(rest.size() - at, 1024)));
        if (n <= 0) return false;
        size_t done = static_cast<size_t>(n);
        while (at < rest.size() && done >= rest[at].iov_len) done -= rest[at++].iov_len;
        if (at < rest.size()) {
            rest[at].iov_base = static_cast<char*>(rest[at].iov_base) + done;
            rest[at].iov_len -= done;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_floor SIZE OUTPUT.bmp\n");
        return 2;
    }
    const int size = std::atoi(argv[1]);
    if (size < 1 || size > 9999) return 2;
    const size_t stride = (static_cast<size_t>(size) * 3 + 3) & ~size_t{3};
    const size_t bytes = stride * static_cast<size_t>(size);
    auto* picture = static_cast<uint8_t*>(
        ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    if (picture == MAP_FAILED) return 1;
    ::madvise(picture, bytes, MADV_HUGEPAGE);

    uint8_t palette[128 * 3];
    for (int i = 0; i < 128; ++i) {
        palette[i * 3] = static_cast<uint8_t>(i * 2);
        palette[i * 3 + 1] = static_cast<uint8_t>(255 - i);
        palette[i * 3 + 2] = static_cast<uint8_t>(i * 5);
    }
    std::atomic<int> next{0};
    const int chunk = 16;
    const auto fill = [&] {
        for (;;) {
            const int first = next.fetch_add(chunk);
            if (first >= size) return;
            for (int y = first; y < std::min(first + chunk, size); ++y) {
                uint8_t* row = picture + static_cast<size_t>(y) * stride;
                for (int x = 0; x < size; ++x) std::memcpy(row + x * 3, palette + ((x + y) & 127) * 3, 3);
            }
        }
    };
    const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> helpers;
    for (unsigned i = 1; i < threads; ++i) helpers.emplace_back(fill);
    fill();
    for (auto& t : helpers) t.join();

    uint8_t header[54] = {'B', 'M'};
    PutLE(&header[2], static_cast<uint32_t>(54 + bytes), 4);
    PutLE(&header[10], 54, 4);
    PutLE(&header[14], 40, 4);
    PutLE(&header[18], static_cast<uint32_t>(size), 4);
    PutLE(&header[22], static_cast<uint32_t>(size), 4);
    PutLE(&header[26], 1, 2);
    PutLE(&header[28], 24, 2);
    PutLE(&header[34], static_cast<uint32_t>(bytes), 4);
    // Bottom row first, each row one piece of a gathered write.
    std::vector<iovec> pieces;
    pieces.push_back({header, sizeof header});
    for (int y = size - 1; y >= 0; --y) pieces.push_back({picture + static_cast<size_t>(y) * stride, stride});
    const int fd = ::open(argv[2], O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0 || !WriteAll(fd, pieces.data(), static_cast<int>(pieces.size())) || ::close(fd) != 0) return 1;
    return 0;
}
