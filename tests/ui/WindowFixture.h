// A main window on a temporary settings file and scripted dialogs, with
// helpers that serve events until the drawing is over.
#pragma once

#include "tests/ui/ScriptedDialogs.h"
#include "ui/Main.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

class WindowFixture : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(tmp_.isValid()); }

    std::string SettingsFile() const { return tmp_.filePath(QStringLiteral("settings.ini")).toStdString(); }
    QString TempPath(const QString& name) const { return tmp_.filePath(name); }

    TfrmMain& Create()
    {
        TMainWindowOptions options;
        options.settingsFile = SettingsFile();
        options.dialogs = &dialogs_;
        options.programDir = programDir_.empty() ? tmp_.path().toStdString() : programDir_;
        options.desktop = desktop_;
        options.startFile = startFile_;
        window_ = std::make_unique<TfrmMain>(options);
        return *window_;
    }

    // Shows the window and waits for the first drawing to end.
    TfrmMain& CreateShown()
    {
        Create().show();
        WaitUntilIdle();
        return *window_;
    }

    // Serves events until the poll timer has seen the renderer idle. The
    // deadline only keeps a broken renderer from hanging the run.
    void WaitUntilIdle()
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        do {
            QCoreApplication::processEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        } while (window_->Drawing() && std::chrono::steady_clock::now() < deadline);
        ASSERT_FALSE(window_->Drawing()) << "drawing did not end";
    }

    int ToolBarHeight() const { return window_->findChild<QToolBar*>(QStringLiteral("tlbMain"))->height(); }
    int StatusBarHeight() const { return window_->statusBar()->height(); }

    QTemporaryDir tmp_;
    TScriptedDialogs dialogs_;
    std::unique_ptr<TfrmMain> window_;
    // Set before Create: another program folder (default: the temporary
    // folder) and a desktop stand-in (default: none, the real one).
    std::string programDir_;
    IDesktopPlatform* desktop_ = nullptr;
    // Set before Create: the file named on the command line.
    std::string startFile_;
};
