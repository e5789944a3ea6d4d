// Velquor: the desktop program. `velquor [FILE]` opens a .vqp document or
// loads a .mcf palette, as dropping the file on the window would;
// `velquor --help` and `velquor --version` only print, with no window and
// no display needed.
#include "platform/AppPaths.h"
#include "ui/Language.h"
#include "ui/Main.h"
#include "ui/UiLook.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

const char* const kUsage =
    "usage: velquor [FILE]\n"
    "  FILE         a pattern document (.vqp) to open or a palette (.mcf) to load\n"
    "  --help       show this help and exit\n"
    "  --version    show the program's version and exit\n";

// What the command line asks for before any window exists: 0 or 2 to exit
// with, or -1 to go on and open the window.
int EarlyArguments(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--version") {
            std::printf("velquor %s\n", VELQUOR_VERSION);
            return 0;
        }
        // "-" alone and anything after "--" are file names.
        if (arg == "--") return -1;
        if (arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "velquor: unknown option: %s\n%s", argv[i], kUsage);
            return 2;
        }
    }
    return -1;
}

// Qt aborts when no platform can start; say what to do instead.
bool DisplayAvailable()
{
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char* argv[])
{
    if (const int status = EarlyArguments(argc, argv); status >= 0) return status;
    if (!DisplayAvailable()) {
        std::fprintf(stderr,
                     "velquor: no display available; run it under a desktop session or with: "
                     "xvfb-run build/bin/velquor\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velquor"));
    InitUiResources();
    // The language chosen in the options dialog, before any text is made.
    InstallTexts(app, StoredUiLanguage(std::string()), ProgramDir());
    QApplication::setWindowIcon(Icon(QStringLiteral("velquor.png")));
    QApplication::setFont(JapaneseFont());

    TMainWindowOptions options;
    const QStringList arguments = QCoreApplication::arguments();
    // The first file named; "--" only says that what follows is one.
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QStringLiteral("--") && options.startFile.empty()) continue;
        options.startFile = arguments[i].toStdString();
        break;
    }
    TfrmMain window(options);
    window.show();
    return app.exec();
}
