// Colour cycling and the palette offset keys. While the colours cycle no
// drawing runs: each step looks the picture's palette entries up in the
// palette turned by one more entry (TPaletteCycle), so a step costs a small
// part of a drawing and shows exactly the bytes a drawing with that offset
// would. Any command ends the cycle first, with the offset it reached as an
// undo step of its own.
#include "ui/Main.h"

#include "bitmap/Bitmap24.h"
#include "document/PaletteCycle.h"
#include "palette/PaletteIndex.h"
#include "ui/GraphView.h"

#include <QAction>
#include <QTimer>

namespace {

// About 33 steps a second; a step is the palette turned by one entry.
constexpr int kCycleStepMs = 30;

} // namespace

void TfrmMain::StepPaletteOffset(int32_t delta)
{
    const int32_t high = ops_->Pattern().Mcf().High;
    StopDraw();
    ops_->SetPaletteOffset(NormalPaletteOffset(int64_t{ops_->PaletteOffset()} + delta, high));
    StartDraw();
}

void TfrmMain::PaletteForward() { StepPaletteOffset(1); }

void TfrmMain::PaletteBack() { StepPaletteOffset(-1); }

void TfrmMain::ToggleColorCycle()
{
    // Unchecking has already ended the cycle (every command does, first).
    if (!actCycleColors->isChecked() || cycle_) return;
    StopDraw();
    cycleOffset_ = ops_->PaletteOffset();
    cycle_ = std::make_unique<TPaletteCycle>(*ops_);
    if (cycleTimer_ == nullptr) {
        cycleTimer_ = new QTimer(this);
        cycleTimer_->setObjectName(QStringLiteral("timCycle"));
        cycleTimer_->setInterval(kCycleStepMs);
        connect(cycleTimer_, &QTimer::timeout, this, [this] { CycleStep(); });
    }
    cycleTimer_->start();
}

void TfrmMain::CycleStep()
{
    // The entry picture is drawn beside the window; until it is there the
    // picture stays as it was.
    if (!cycle_ || !cycle_->Ready()) return;
    const std::string error = cycle_->Error();
    if (!error.empty()) {
        cycleTimer_->stop();
        cycle_.reset();
        actCycleColors->setChecked(false);
        ErrorDialog(error);
        return;
    }
    const int32_t high = ops_->Pattern().Mcf().High;
    cycleOffset_ = NormalPaletteOffset(int64_t{cycleOffset_} + 1, high);
    TBitmap24& picture = ops_->ImageBitmap();
    cycle_->Paint(cycleOffset_, picture);
    ptbGraph->UpdateRows(0, picture.Height());
}

void TfrmMain::EndColorCycle()
{
    if (!cycle_) return;
    cycleTimer_->stop();
    cycle_.reset();
    actCycleColors->setChecked(false);
    // The offset stays where the cycle left it, as one step; the drawing
    // gives the bytes already shown, and the renderer is in step again.
    ops_->SetPaletteOffset(cycleOffset_);
    StartDraw();
    ops_->RecordStep();
    UpdateHistoryActions();
    UpdateTitle();
}
