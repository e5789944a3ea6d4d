// Velquor: the desktop program. Takes no command-line arguments.
#include "ui/Main.h"
#include "ui/UiLook.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

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
    if (!DisplayAvailable()) {
        std::fprintf(stderr,
                     "velquor: no display available; run it under a desktop session or with: "
                     "xvfb-run build/bin/velquor\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velquor"));
    InitUiResources();
    InstallJapaneseQtTexts(app);
    QApplication::setWindowIcon(Icon(QStringLiteral("velquor.png")));
    QApplication::setFont(JapaneseFont());

    TfrmMain window;
    window.show();
    return app.exec();
}
