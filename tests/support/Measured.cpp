// The measured child process.
#include "tests/support/Measured.h"

#include <chrono>
#include <csignal>
#include <cstring>
#include <thread>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

MeasuredRun RunMeasured(const std::function<std::string()>& body, double limitSeconds, long memoryLimitMiB)
{
    MeasuredRun run;
    int fds[2];
    if (pipe(fds) != 0) return run;
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        if (kMemoryFiguresHold) {
            const rlim_t bytes = static_cast<rlim_t>(memoryLimitMiB) << 20;
            const rlimit cap{bytes, bytes};
            setrlimit(RLIMIT_AS, &cap);
        }
        std::string report;
        try {
            report = body();
        } catch (const std::exception& e) {
            report = std::string("exception: ") + e.what();
        } catch (...) {
            report = "exception";
        }
        const char* p = report.data();
        size_t left = report.size();
        while (left > 0) {
            const ssize_t n = write(fds[1], p, left);
            if (n <= 0) break;
            p += n;
            left -= static_cast<size_t>(n);
        }
        _exit(0);
    }
    close(fds[1]);
    if (child < 0) {
        close(fds[0]);
        return run;
    }
    // The report is read while the child runs, so a long one cannot block it.
    std::string report;
    std::thread reader([&] {
        char buf[4096];
        ssize_t n;
        while ((n = read(fds[0], buf, sizeof buf)) > 0) report.append(buf, static_cast<size_t>(n));
    });
    int status = 0;
    rusage usage{};
    for (;;) {
        const pid_t done = wait4(child, &status, WNOHANG, &usage);
        if (done == child) {
            run.finished = WIFEXITED(status) && WEXITSTATUS(status) == 0;
            break;
        }
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (elapsed > limitSeconds) {
            kill(child, SIGKILL);
            wait4(child, &status, 0, &usage);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    reader.join();
    close(fds[0]);
    run.peakKiB = usage.ru_maxrss;
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    run.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    run.report = report;
    return run;
}
