// Velquor: the desktop program. `velquor [FILE]` opens a .vqp document or
// loads a .mcf palette, as dropping the file on the window would.
#include "platform/AppPaths.h"
#include "ui/Language.h"
#include "ui/Main.h"
#include "ui/UiLook.h"

#include <QApplication>
#include <QStringList>

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
    // The language chosen in the options dialog, before any text is made.
    InstallTexts(app, StoredUiLanguage(std::string()), ProgramDir());
    QApplication::setWindowIcon(Icon(QStringLiteral("velquor.png")));
    QApplication::setFont(JapaneseFont());

    TMainWindowOptions options;
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1) options.startFile = arguments[1].toStdString();
    TfrmMain window(options);
    window.show();
    return app.exec();
}
