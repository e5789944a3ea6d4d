// How big the main window is for a picture: exactly the picture and its bars
// where that fits on the screen, else the screen's available area with the
// picture scrolling inside it.
#pragma once

struct TFitInput {
    int imageWidth = 0;
    int imageHeight = 0;
    int menuHeight = 0;     // the menu bar on one line
    int barsHeight = 0;     // visible tool bar and status bar
    int minWidth = 0;       // what menu bar and tool bar need
    int availableWidth = 0; // the screen's available area less the frame
    int availableHeight = 0;
    int scrollBarWidth = 0; // of a vertical bar; a horizontal one is as high
};

struct TFitResult {
    int width = 0; // the window without its frame
    int height = 0;
    bool horizontalBar = false;
    bool verticalBar = false;
};

TFitResult FitWindow(const TFitInput& in);
