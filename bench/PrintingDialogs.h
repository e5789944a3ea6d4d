// Dialogs for the window benchmarks: a message would wait for a click that
// never comes, so it is printed instead; file dialogs answer "cancelled".
#pragma once

#include "ui/Dialogs.h"

#include <QString>

#include <cstdio>
#include <optional>

class PrintingDialogs final : public IDialogs {
public:
    // prefix starts every printed line, e.g. "bench_window".
    explicit PrintingDialogs(const char* prefix) : prefix_(prefix) {}
    std::optional<QString> OpenFile(QWidget*, const TOpenFileRequest&) override { return std::nullopt; }
    std::optional<TSaveFileResult> SaveFile(QWidget*, const TSaveFileRequest&) override { return std::nullopt; }
    std::optional<QString> BrowseFolder(QWidget*, const QString&, const QString&) override { return std::nullopt; }
    std::optional<QColor> PickColor(QWidget*, const QColor&, const QString&) override { return std::nullopt; }
    void Message(QWidget*, const QString& text) override { Print(text); }
    void Error(QWidget*, const QString& text) override { Print(text); }
    void ShowException(QWidget*, const QString& text) override { Print(text); }
    // Nothing is ever lost unasked: a benchmark keeps its window.
    TSaveAnswer AskToSave(QWidget*, const QString& text) override
    {
        // A benchmark keeps nothing: the window may always close.
        Print(text);
        return TSaveAnswer::Discard;
    }
    int Exec(QDialog&) override { return 0; }
    bool OpenUrl(const QUrl&) override { return false; }
    void RunWithProgress(QWidget*, const QString&, const TProgressWork& work) override
    {
        work([](int) { return true; });
    }

private:
    void Print(const QString& text) const { std::fprintf(stderr, "%s: %s\n", prefix_, qPrintable(text)); }
    const char* prefix_;
};
