// How large the picture is shown in the window: the arithmetic of the view
// scale, kept apart from the widget so it can be tested alone. The scale only
// changes what is shown; the picture, its files and documents stay exact.
#pragma once

#include <string>

// Scales from 1/64 to 16; the steps are powers of two.
constexpr double kMinViewScale = 1.0 / 64;
constexpr double kMaxViewScale = 16.0;

// The scale at which a picture of imageWidth x imageHeight fits whole into an
// area of areaWidth x areaHeight; never above 1 (a small picture is shown
// 1:1 and centred) and never below the smallest scale.
double FittedViewScale(int imageWidth, int imageHeight, int areaWidth, int areaHeight);

// The next power of two above (below) scale, within the limits; from a
// fitted scale between two steps this is the nearer step that way.
double ViewScaleUp(double scale);
double ViewScaleDown(double scale);

// The shown length of length picture pixels; at least 1 for a picture.
int ScaledLength(int length, double scale);

// The picture pixel (0-based, may lie outside) under a position of the shown
// picture, in the shown picture's own pixels.
int PixelUnder(double shownPos, double scale);

// "50%", "100%", "6.25%", "1600%": the scale as the status bar names it.
std::string ViewScaleText(double scale);
