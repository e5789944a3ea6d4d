// A host for the window's operations without a window: it draws the way the
// command-line renderer does (start, then wait until the picture is done)
// and records what a window would show.
#pragma once

#include "document/MainOperations.h"

#include <string>
#include <vector>

class TWaitingHost : public IMainHost {
public:
    // Set before the first drawing; the operations need their host first.
    TMainOperations* ops = nullptr;
    std::string paletteDirectory;
    std::vector<std::string> messages, errors, paletteNames;
    int starts = 0, stops = 0;

    void StopDraw() override;
    void StartDraw() override;
    std::string PaletteDirectory() const override { return paletteDirectory; }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void ErrorDialog(const std::string& text) override { errors.push_back(text); }
    void PaletteNameChanged(const std::string& name) override { paletteNames.push_back(name); }
};
