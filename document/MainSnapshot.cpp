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
    s.PaletteFile = paletteFile_;
    return s;
}

void TMainOperations::Restore(const TPatternSnapshot& s)
{
    // The only step that can fail for a snapshot that was once applied: the
    // file may be gone. Loading first keeps everything else as it was then.
    if (s.PaletteFile != paletteFile_) {
        if (s.PaletteFile.empty()) {
            pattern_->Mcf().SetDefault();
            paletteFile_.clear();
            paletteText_.clear();
            host_.PaletteNameChanged(pattern_->GetPaletteName());
        } else {
            LoadPalette(s.PaletteFile);
        }
    }
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
