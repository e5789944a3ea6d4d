// The main window's state and its checked operations, without any widget.
//
// The window owns one and forwards to it; the command-line renderer builds
// the same class, so a pattern renders there exactly as in the window. What
// only the surroundings can do (stop and start a drawing, resize the window,
// show messages) goes through IMainHost.
#pragma once

#include "bitmap/Bitmap24.h"
#include "document/PatternHistory.h"
#include "document/PatternSnapshot.h"
#include "document/PlaneMoves.h"
#include "engine/UFloatPoint.h"
#include "engine/UPointMove.h"
#include "engine/UVelquor.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TVqd;

class IMainHost {
public:
    virtual ~IMainHost() = default;
    // Stop a running drawing and wait until the renderer is idle.
    virtual void StopDraw() = 0;
    // Start a new drawing with the current parameters.
    virtual void StartDraw() = 0;
    // Folder in which a document's palette is looked up; empty for the
    // "mcf" folder of the program.
    virtual std::string PaletteDirectory() const = 0;
    // A plain message (no beep), e.g. the missing palette of a document.
    virtual void ShowMessage(const std::string& text) = 0;
    // The error dialog (beep and "エラー" box).
    virtual void ErrorDialog(const std::string& text) = 0;
    // The image size was applied: the window fits its client area to it.
    virtual void ImageSizeChanged(int /*width*/, int /*height*/) {}
    // Status panel 0.
    virtual void PaletteNameChanged(const std::string& /*name*/) {}
    // The shade-off check mark was set by an operation (a document).
    virtual void ShadeOffChanged(bool /*checked*/) {}
    // Hands a file to the desktop's viewer; true when it was taken.
    virtual bool OpenInViewer(const std::string& /*path*/) { return false; }
    // Shows a help page in a window of the program's own, for when the
    // desktop's viewer cannot be started; false when there is none.
    virtual bool ShowHelpWindow(const std::string& /*path*/) { return false; }
};

// Formula types as documents and the formula dialog carry them: a built-in
// formula by its number, or a formula the user typed, by its text.
constexpr int32_t kBuiltinFormulaType = 1;
constexpr int32_t kExpressionFormulaType = 2;

class TMainOperations {
public:
    // Makes the image bitmap and the renderer, then selects formula 0, colour
    // change 1.0 and point move 0. The renderer copies onto the image bitmap
    // while it draws (a window shows it), or with TCanvasUse::DrawInto draws
    // straight into it (a caller that only reads the finished picture).
    // programDir is the folder of the running executable; shipped palettes
    // are found beside it or, for an installed program, in ../share/velquor.
    TMainOperations(IMainHost& host, std::string programDir, TCanvasUse canvasUse = TCanvasUse::CopyOnto);
    ~TMainOperations();

    TVelquor& Pattern() { return *pattern_; }
    const TVelquor& Pattern() const { return *pattern_; }
    TBitmap24& ImageBitmap() { return imageBitmap_; }
    const TBitmap24& ImageBitmap() const { return imageBitmap_; }

    double ColorChange() const { return colorChange_; }
    const std::string& FormulaName() const { return formulaName_; }
    int32_t FormulaType() const { return formulaType_; }
    int32_t PointMoveType() const { return pointMoveType_; }
    const TPointMoveParam& PointMoveParam() const { return pointMoveParam_; }
    // The check state of the blur command.
    bool ShadeOff() const { return shadeOff_; }
    void SetShadeOff(bool checked) { shadeOff_ = checked; }

    // Checked operations; each throws with the user's message and leaves what
    // it refused unchanged. The renderer must be idle.
    void SelectFormula(int32_t formulaType, const std::string& formulaName);
    void SetArea(long double x, long double y, long double dx, long double dy);
    void SetImageSize(int32_t width, int32_t height);
    void SetColorChange(double value);
    void SelectPointMove(int32_t pointMoveType, const TPointMoveParam& param);

    // Starts a drawing of the current pattern with the blur switch as
    // checked. The renderer must be idle (after StopDraw); a host's StartDraw
    // calls this once it has stopped the previous drawing.
    void BeginDrawing();

    // Loads a palette file of any format (palette/PaletteFile.h) into the
    // renderer and reports its name; does not draw.
    void LoadPalette(const std::string& fileName);
    // The palette offset, a pattern parameter like the colour change: index
    // i in 1..High draws the colour of 1 + ((i - 1 + o) mod High).
    void SetPaletteOffset(int offset) { pattern_->SetPaletteOffset(offset); }
    int PaletteOffset() const { return pattern_->PaletteOffset(); }
    // Stop, load the palette, start (the palette command and a dropped palette).
    void LoadPaletteAndDraw(const std::string& fileName);
    // Stop, make the built-in palette the palette again, start.
    void UseBuiltInPaletteAndDraw();
    // Replaces the palette with the colours of MCF text (the editor's), or
    // throws the loader's message and changes nothing. fileName is what the
    // palette is called; the text is kept (PaletteText) so the palette can
    // be edited again with its lines.
    void SetPaletteText(const std::string& mcfText, const std::string& fileName);
    // Puts back a palette as it was: its colours, file and text (the
    // editor's cancel).
    void SetPalette(const TMcf& colors, const std::string& fileName, const std::string& mcfText);
    // The text of the last SetPaletteText; empty once a file or the built-in
    // palette replaced it.
    const std::string& PaletteText() const { return paletteText_; }
    // Applies a document and starts drawing it.
    void OpenDocument(const std::string& fileName);
    // Stop, go back to the start-up pattern (at width x height), draw.
    void NewPattern(int32_t width, int32_t height);
    // Writes the current pattern as a document.
    void SaveDocument(const std::string& fileName) const;
    // The document's fields for the current pattern.
    void FillDocument(TVqd& vqd) const;
    // Scales both increments by factors in [0.9, 1.1) and redraws.
    void Random();
    // Handles dropped files: the first one, by its extension.
    void DropFiles(const std::vector<std::string>& fileNames);
    // Opens the help page in the desktop's viewer, or where that cannot
    // start in the host's own help window; a missing folder or page is
    // reported through the error dialog.
    void ShowHelp();

    // The folder documents' palettes are looked up in.
    std::string PaletteFolder() const;

    // The whole pattern as one value (MainSnapshot.cpp). Restore applies one
    // through the checked operations; the palette comes from the snapshot
    // itself, never from its file. The renderer must be idle.
    TPatternSnapshot Snapshot() const;
    void Restore(const TPatternSnapshot& snapshot);
    // The palette file loaded last (the name given to SetPaletteText); empty
    // for the built-in palette.
    const std::string& PaletteFile() const { return paletteFile_; }

    // The history of the pattern. The window records after every command, so
    // whatever a command changed, also on the way to a failure, is one step.
    const TPatternHistory& History() const { return history_; }
    // The current pattern becomes the first state; nothing to undo.
    void ResetHistory();
    // Adds the current pattern as a step if it differs from the one shown.
    bool RecordStep();
    // Stop, restore the step before (after) the shown one, draw it.
    void Undo();
    void Redo();

    // Moves about the plane (MainMoves.cpp). Each goes the formula dialog's
    // way: stop, set the area, draw. A move that would give a non-finite
    // centre or increment is refused with the overflow message before
    // anything is stopped or changed.
    TPlaneArea Area() const;
    TPictureSize PictureSize() const;
    void MoveTo(const TPlaneArea& area);
    // The wheel: notches about the pixel (px, py); positive zooms in.
    void ZoomAt(long double px, long double py, int notches);
    // A drag by whole pixels; the shown picture is moved along with it.
    void PanBy(int dx, int dy);
    // The rectangle (pixels) fills the picture.
    void ZoomToRect(long double left, long double top, long double width, long double height);
    void ArrowKey(TArrow arrow);
    // + and -: notches about the picture's centre.
    void ZoomAboutCentre(int notches);
    // Back to the start-up centre (0, 0) and increment (1, 1).
    void ResetArea();
    // The colour a pan leaves where the picture uncovers nothing.
    void SetBlankColor(uint8_t blue, uint8_t green, uint8_t red) { blank_ = {blue, green, red}; }

private:
    // A document's palette: the named file in the palette folder (any
    // format), else the carried text, else the built-in one for "標準", else
    // the message and the palette stays.
    void ApplyDocumentPalette(const std::string& name, const std::optional<std::string>& carried);
    // Next value of the 32-bit generator, in [0, 1).
    long double NextRandom();

    IMainHost& host_;
    std::string programDir_;
    TBitmap24 imageBitmap_;
    double colorChange_ = 1.0;
    std::unique_ptr<TVelquor> pattern_;
    std::string formulaName_ = "0";
    int32_t formulaType_ = kBuiltinFormulaType;
    int32_t pointMoveType_ = 0;
    TPointMoveParam pointMoveParam_;
    bool shadeOff_ = false;
    uint32_t randSeed_ = 0;
    std::string paletteFile_;
    std::string paletteText_;
    mutable std::shared_ptr<const TMcf> paletteShot_; // the palette of the last snapshot
    TPatternHistory history_;
    struct TBlank {
        uint8_t blue, green, red;
    } blank_{0xF0, 0xF0, 0xF0};
};
