// Running a piece of work in a child process with a time limit, to see how
// long it took, how much memory it held at its peak and what it reported,
// without letting a hang or a runaway allocation take the test with it.
#pragma once

#include <functional>
#include <string>

// Sanitizers reserve address space and keep freed memory: under them the
// child's memory is neither capped nor a figure worth comparing.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kMemoryFiguresHold = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
constexpr bool kMemoryFiguresHold = false;
#else
constexpr bool kMemoryFiguresHold = true;
#endif
#else
constexpr bool kMemoryFiguresHold = true;
#endif

// How much longer work takes under a sanitizer; time bounds are scaled by it.
constexpr double kTimeScale = kMemoryFiguresHold ? 1.0 : 5.0;

struct MeasuredRun {
    bool finished = false;  // ended by itself within the time limit
    double seconds = 0;     // wall-clock time until it ended or was stopped
    double cpuSeconds = 0;  // processor time the child used, which a busy machine does not stretch
    long peakKiB = 0;       // the child's largest resident size
    std::string report;     // what body returned
};

// Runs body in a child process; the child is killed after limitSeconds and
// its memory is capped at memoryLimitMiB where kMemoryFiguresHold (an
// allocation beyond it fails),
// so a fault shows as a failed expectation instead of a stuck machine.
MeasuredRun RunMeasured(const std::function<std::string()>& body, double limitSeconds, long memoryLimitMiB = 1024);
