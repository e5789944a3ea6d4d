// The window on a real display (run it through bench/window-bench.sh, which
// starts Xvfb with the openbox window manager): the processor time and peak
// memory of the whole window process for a 9999 x 9999 drawing with point
// move 2, against velquor-render's for the same picture, the time from
// the window being mapped to its first picture, and the time from the
// formula dialog's OK with a new size of 9999 x 9999 to the first rows of the
// new drawing on screen.
#include "bench/PrintingDialogs.h"
#include "platform/AppPaths.h"
#include "ui/Language.h"
#include "ui/Main.h"
#include "ui/UFormulaSelect.h"
#include "ui/UiLook.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Usage {
    double cpuSeconds = 0;
    double peakMb = 0;
};

Usage FromRusage(const rusage& r)
{
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return {seconds(r.ru_utime) + seconds(r.ru_stime), static_cast<double>(r.ru_maxrss) / 1024.0};
}

// Marks the moments the window is mapped and the picture first painted.
class Watch : public QObject {
public:
    QElapsedTimer clock;
    qint64 mappedMs = -1;
    qint64 firstPictureMs = -1;
    TfrmMain* window = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && mappedMs < 0 && window->windowHandle()->isExposed())
            mappedMs = clock.elapsed();
        if (event->type() == QEvent::Paint && firstPictureMs < 0 && mappedMs >= 0 &&
            window->Operations().Pattern().CopyCount() > 0)
            firstPictureMs = clock.elapsed();
        return QObject::eventFilter(watched, event);
    }
};

// The window process: draws what file names (the start-up pattern when
// empty), prints its figures when the drawing has ended and quits.
int RunWindow(int argc, char** argv, const std::string& file)
{
    QApplication app(argc, argv);
    InitUiResources();
    InstallTexts(app, TUiLanguage::Japanese, ProgramDir());
    QApplication::setFont(JapaneseFont());
    Watch watch;
    watch.clock.start();
    TMainWindowOptions options;
    options.startFile = file;
    PrintingDialogs dialogs("bench_window");
    options.dialogs = &dialogs;
    TfrmMain window(options);
    watch.window = &window;
    window.show();
    window.windowHandle()->installEventFilter(&watch);
    window.findChild<QWidget*>(QStringLiteral("ptbGraph"))->installEventFilter(&watch);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (window.Drawing() || window.Operations().Pattern().CopyCount() == 0 || watch.firstPictureMs < 0) return;
        rusage self{};
        getrusage(RUSAGE_SELF, &self);
        const Usage usage = FromRusage(self);
        std::printf("%.3f %.1f %lld\n", usage.cpuSeconds, usage.peakMb,
                    static_cast<long long>(watch.firstPictureMs - watch.mappedMs));
        std::fflush(stdout);
        app.quit();
    });
    poll.start(5);
    return app.exec();
}

// Marks the first paint of the picture that shows rows of a copy made after
// the moment it is armed.
class FirstNewRows : public QObject {
public:
    QElapsedTimer clock;
    qint64 paintedMs = -1;
    int copiesBefore = -1;
    TfrmMain* window = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && copiesBefore >= 0 && paintedMs < 0 &&
            window->Operations().Pattern().CopyCount() > copiesBefore)
            paintedMs = clock.elapsed();
        return QObject::eventFilter(watched, event);
    }
};

// The window process: once the start-up picture is complete, the formula
// dialog is given a size of SIZE x SIZE and its OK pressed; prints the
// milliseconds from the press to the first new rows painted and to the end
// of that drawing, then quits.
int RunResize(int argc, char** argv, int size)
{
    QApplication app(argc, argv);
    InitUiResources();
    InstallTexts(app, TUiLanguage::Japanese, ProgramDir());
    QApplication::setFont(JapaneseFont());
    TMainWindowOptions options;
    PrintingDialogs dialogs("bench_window");
    options.dialogs = &dialogs;
    TfrmMain window(options);
    window.show();
    FirstNewRows watch;
    watch.window = &window;
    window.findChild<QWidget*>(QStringLiteral("ptbGraph"))->installEventFilter(&watch);
    bool pressed = false;
    qint64 endMs = -1;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        TVelquor& pattern = window.Operations().Pattern();
        if (!pressed) {
            if (window.Drawing() || pattern.CopyCount() == 0) return;
            TfrmFormulaSelect& dialog = window.FormulaDialog();
            dialog.ShowBeside(window);
            dialog.edtSizeX->setText(QString::number(size));
            dialog.edtSizeY->setText(QString::number(size));
            pressed = true;
            watch.copiesBefore = pattern.CopyCount();
            watch.clock.start();
            dialog.bbnOK->click();
            return;
        }
        if (window.Drawing() || watch.paintedMs < 0) return;
        if (endMs < 0) endMs = watch.clock.elapsed();
        std::printf("%lld %lld\n", static_cast<long long>(watch.paintedMs), static_cast<long long>(endMs));
        std::fflush(stdout);
        app.quit();
    });
    poll.start(2);
    return app.exec();
}

// Runs a program, returns its processor time and peak memory; its standard
// output is kept in output.
Usage RunChild(const std::vector<std::string>& args, std::string* output = nullptr)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0) std::exit(1);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeFds[1], 1);
        close(pipeFds[0]);
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(pipeFds[1]);
    std::string text;
    char buffer[256];
    for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<size_t>(n));
    close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "bench_window: %s failed\n", args[0].c_str());
        std::exit(1);
    }
    if (output) *output = text;
    return FromRusage(usage);
}

std::string Sibling(const char* self, const char* name)
{
    std::string dir = self;
    dir = dir.substr(0, dir.find_last_of('/') + 1);
    return dir + name;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::string(argv[1]) == "--window") return RunWindow(argc, argv, argc >= 3 ? argv[2] : "");
    if (argc >= 3 && std::string(argv[1]) == "--resize") return RunResize(argc, argv, std::atoi(argv[2]));
    if (std::getenv("DISPLAY") == nullptr) {
        std::fprintf(stderr, "bench_window: needs a display; run bench/window-bench.sh\n");
        return 1;
    }
    const std::string self = argv[0];
    const std::string render = Sibling(argv[0], "velquor-render");
    const std::string document = "/tmp/bench_window_9999.vqp";
    const std::string image = "/dev/shm/bench_window_9999.bmp";
    RunChild(
        {render, "--point-move", "2", "--params", "0.25,0,0,0", "--size", "9999x9999", "--save-document", document});

    std::string startUp;
    RunChild({self, "--window"}, &startUp);
    double cpu = 0, peak = 0;
    long long firstMs = 0;
    std::sscanf(startUp.c_str(), "%lf %lf %lld", &cpu, &peak, &firstMs);
    std::printf("start-up picture (400 x 400) on screen %lld ms after the window is mapped (target < 100)\n", firstMs);

    std::string big;
    RunChild({self, "--window", document}, &big);
    std::sscanf(big.c_str(), "%lf %lf %lld", &cpu, &peak, &firstMs);
    const Usage renderer = RunChild({render, document, "-o", image});
    unlink(image.c_str());
    const double stride = (9999 * 3 + 3) / 4 * 4;
    const double twoBitmapsMb = 2 * stride * 9999 / (1024.0 * 1024.0);
    std::printf("9999 x 9999, point move 2:\n");
    std::printf("  window process  %7.2f s processor, peak %7.1f MB, first rows on screen after %lld ms\n", cpu, peak,
                firstMs);
    std::printf("  velquor-render  %7.2f s processor, peak %7.1f MB (drawing and writing the BMP)\n",
                renderer.cpuSeconds, renderer.peakMb);
    std::printf("  processor time window / velquor-render: %.2f (target <= 1.15)\n", cpu / renderer.cpuSeconds);
    std::printf("  window peak / two bitmaps (%.1f MB): %.3f (target <= 1.10)\n", twoBitmapsMb, peak / twoBitmapsMb);
    unlink(document.c_str());

    // Formula dialog OK with a new size, from the start-up picture (formula
    // 0, point move 0), best of three window processes.
    long long bestFirst = -1, bestEnd = -1;
    for (int round = 0; round < 3; ++round) {
        std::string resized;
        RunChild({self, "--resize", "9999"}, &resized);
        long long first = 0, end = 0;
        if (std::sscanf(resized.c_str(), "%lld %lld", &first, &end) != 2) continue;
        if (bestFirst < 0 || first < bestFirst) bestFirst = first;
        if (bestEnd < 0 || end < bestEnd) bestEnd = end;
    }
    std::printf("formula dialog OK with 9999 x 9999 (start-up pattern), best of 3:\n");
    std::printf("  first new rows on screen after %lld ms (target <= 300), drawing ended after %lld ms\n", bestFirst,
                bestEnd);
    return 0;
}
