// The progress hook of the image writers.
#pragma once

#include <cstdint>
#include <functional>

// Called on the thread that saves with every whole percentage from 0 to 100,
// once each and in order: 0 before the first byte, each further one as soon
// as that share of the rows is encoded, 100 after the last byte. Returning
// false cancels the save: the writer stops at once (no further call) and a
// file being replaced stays as it was.
using TSaveProgress = std::function<bool(int percent)>;

// done of total as a whole percentage below 100: work in progress never
// claims the 100 that marks a finished file.
inline int PercentBelowEnd(uint64_t done, uint64_t total)
{
    if (total == 0 || done >= total) return 99;
    const auto percent = static_cast<int>(done * 100 / total);
    return percent < 99 ? percent : 99;
}
