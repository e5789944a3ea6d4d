// The pattern as one value, and the history of its changes.
#include "document/MainOperations.h"

#include "common/Exceptions.h"

TPatternSnapshot TMainOperations::Snapshot() const
{
    TPatternSnapshot s;
    s.FormulaType = formulaType_;
    s.FormulaName = formulaName_;
    s.PointMoveType = pointMoveType_;
    s.PointMoveParam = pointMoveParam_;
    s.Center = pattern_->Center;
    s.Incremental = pattern_->Incremental;
    s.Width = pattern_->Width();
    s.Height = pattern_->Height();
    s.ColorChange = colorChange_;
    s.ShadeOff = shadeOff_;
    // One copy per palette: a step that did not touch it shares the last.
    const TMcf& mcf = pattern_->Mcf();
    if (!paletteShot_ || !SamePalette(*paletteShot_, mcf)) paletteShot_ = std::make_shared<const TMcf>(mcf);
    s.Palette = paletteShot_;
    s.PaletteOffset = pattern_->PaletteOffset();
    return s;
}

void TMainOperations::Restore(const TPatternSnapshot& s)
{
    // The palette comes back from the snapshot itself, whatever became of
    // its file since.
    if (s.Palette && !SamePalette(*s.Palette, pattern_->Mcf())) {
        pattern_->Mcf() = *s.Palette;
        paletteShot_ = s.Palette;
        paletteFile_ = s.Palette->Builtin ? std::string() : s.Palette->FileName;
        paletteText_ = s.Palette->Text;
        host_.PaletteNameChanged(pattern_->GetPaletteName());
    }
    pattern_->SetPaletteOffset(s.PaletteOffset);
    SelectFormula(s.FormulaType, s.FormulaName);
    SetColorChange(s.ColorChange);
    SetArea(s.Center.X, s.Center.Y, s.Incremental.X, s.Incremental.Y);
    if (s.ShadeOff != shadeOff_) {
        shadeOff_ = s.ShadeOff;
        host_.ShadeOffChanged(shadeOff_);
    }
    if (s.Width != pattern_->Width() || s.Height != pattern_->Height()) SetImageSize(s.Width, s.Height);
    try {
        SelectPointMove(s.PointMoveType, s.PointMoveParam);
    } catch (const ERangeError&) {
        // Only a number the catalogue refuses gets here, and such a number
        // was stored the same way when the snapshot was taken: the stored
        // type and parameters are as they were, the renderer kept its move.
        if (s.PointMoveType < TPointMoveBox::PointMoveCount()) throw;
    }
}

void TMainOperations::NewPattern(int32_t width, int32_t height)
{
    TPatternSnapshot start = StartupPattern();
    start.Width = width;
    start.Height = height;
    host_.StopDraw();
    Restore(start);
    host_.StartDraw();
}

void TMainOperations::ResetHistory() { history_.Reset(Snapshot()); }

bool TMainOperations::RecordStep() { return history_.Record(Snapshot()); }

void TMainOperations::Undo()
{
    if (!history_.CanUndo()) return;
    host_.StopDraw();
    Restore(history_.UndoTarget());
    history_.StepBack();
    host_.StartDraw();
}

void TMainOperations::Redo()
{
    if (!history_.CanRedo()) return;
    host_.StopDraw();
    Restore(history_.RedoTarget());
    history_.StepForward();
    host_.StartDraw();
}
