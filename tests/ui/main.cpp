// Test entry point: one QApplication on the offscreen platform for all GUI tests.
#include <gtest/gtest.h>

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// The offscreen platform warns about window hints it cannot pass on; that
// noise would bury real messages.
void FilterMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(QStringLiteral("propagateSizeHints")) ||
        message.contains(QStringLiteral("does not support raise()")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

int main(int argc, char** argv)
{
    // Never a real display, also when the binary is run by hand.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(FilterMessages);
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velquor"));
    return RUN_ALL_TESTS();
}
