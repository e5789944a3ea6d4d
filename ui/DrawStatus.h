// What the status bar says about a drawing: how far it is and how long it
// has run, and afterwards how long it took.
#pragma once

#include <string>

// "描画中 42% 1.2秒" while rows are drawn, "ぼかし中 3.0秒" while the
// finished picture is blurred.
std::string DrawingProgressText(int finishedRows, int height, bool blurring, double seconds);

// "描画時間 0.25秒" for a complete picture, "描画中断 1.20秒" for one that
// was stopped or failed.
std::string DrawingDoneText(bool complete, double seconds);

// Whole percent of the rows done, never 100 before the last row.
int DrawingPercent(int finishedRows, int height);
