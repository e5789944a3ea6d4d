#include "cli/RenderCommand.h"
#include "common/Texts.h"

#include "cli/RenderMessages.h"
#include "cli/RenderOptions.h"
#include "cli/RenderOutputs.h"
#include "common/Exceptions.h"
#include "common/Format.h"
#include "common/QuoteText.h"
#include "document/ImageExport.h"
#include "document/MainOperations.h"
#include "engine/UPointMove.h"
#include "imaging/ImageFileType.h"

#include <chrono>
#include <optional>
#include <ostream>
#include <thread>

namespace {

using namespace rendertext;

// The renderer's surroundings: drawings are awaited, messages printed.
class ConsoleHost : public IMainHost {
public:
    ConsoleHost(std::ostream& err, std::string paletteDir) : err_(err), paletteDir_(std::move(paletteDir)) {}
    void Attach(TMainOperations* ops) { ops_ = ops; }

    void StopDraw() override
    {
        ops_->Pattern().Stop();
        ops_->Pattern().WaitUntilSuspended();
    }
    // Drawing waits until every option is applied; Render() starts it.
    void StartDraw() override {}
    std::string PaletteDirectory() const override { return paletteDir_; }
    void ShowMessage(const std::string& text) override { err_ << kPrefix << text << "\n"; }
    void ErrorDialog(const std::string& text) override { ShowMessage(text); }

private:
    std::ostream& err_;
    std::string paletteDir_;
    TMainOperations* ops_ = nullptr;
};

void Render(TMainOperations& ops, std::ostream& err, bool showProgress)
{
    TVelquor& pattern = ops.Pattern();
    // A renderer that is still starting ignores Resume: wait until it is idle.
    pattern.WaitUntilSuspended();
    ops.BeginDrawing();
    if (showProgress) {
        while (pattern.Busy()) {
            const int percent = pattern.Height() > 0 ? pattern.FinishedRows() * 100 / pattern.Height() : 0;
            err << "\r" << kPrefix << Format(TText::tr(kDrawing).c_str(), percent) << std::flush;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        err << "\r\033[K" << std::flush;
    }
    pattern.WaitUntilSuspended();
    if (!pattern.ErrorMessage().empty()) throw Exception(pattern.ErrorMessage());
}

// On a terminal the save shows its percentage on one line, which is cleared
// again however the save ends.
void SaveImage(TMainOperations& ops, const TRenderOptions& o, const std::string& name, std::ostream& err, bool showProgress)
{
    if (IsDeviceOrPipe(name)) {
        WritePictureInto(ops.ImageBitmap(), name, o.filterIndex);
        return;
    }
    // The name is complete already, so the writer adds nothing to it.
    if (!showProgress) {
        SaveImageFile(ops.ImageBitmap(), name, o.filterIndex);
        return;
    }
    const auto show = [&err](int percent) {
        err << "\r" << kPrefix << Format(TText::tr(kSaving).c_str(), percent) << std::flush;
        return true;
    };
    try {
        SaveImageFile(ops.ImageBitmap(), name, o.filterIndex, show);
        err << "\r\033[K" << std::flush;
    } catch (...) {
        err << "\r\033[K" << std::flush;
        throw;
    }
}

// The export draws its own picture band by band: the pattern's renderer
// draws nothing.
void Export(TMainOperations& ops, const TRenderOptions& o, const std::string& name, std::ostream& err,
            bool showProgress)
{
    const int scale = o.scale.value_or(1);
    const int antialias = o.antialias.value_or(1);
    TExportOptions options;
    options.size = o.canvas ? TExportSize{o.canvas->first, o.canvas->second, scale, antialias}
                            : DefaultExportSize(ops.Pattern().Width(), ops.Pattern().Height(), scale, antialias);
    CheckExportSize(options.size);
    options.format = GetFileType(name, o.filterIndex);
    if (o.embedDocument && options.format != iftPng) throw EUsage(TText::tr(kEmbedNeedsPng));
    options.embedDocument = o.embedDocument;
    TImageExport job(ops, options);
    if (!showProgress) {
        job.Run(name);
        return;
    }
    const auto show = [&err](int percent) {
        err << "\r" << kPrefix << Format(TText::tr(kExporting).c_str(), percent) << std::flush;
        return true;
    };
    try {
        job.Run(name, show);
        err << "\r\033[K" << std::flush;
    } catch (...) {
        err << "\r\033[K" << std::flush;
        throw;
    }
}

int Run(const TRenderOptions& o, const std::string& programDir, std::ostream& out, std::ostream& err, bool showProgress)
{
    ConsoleHost host(err, o.paletteDir);
    // Nothing shows the picture while it grows: the renderer draws straight
    // into the bitmap that is written, with no second bitmap and no copies.
    TMainOperations ops(host, programDir, TCanvasUse::DrawInto);
    host.Attach(&ops);
    // The window's start-up: 400 x 400 with the built-in palette.
    ops.SetImageSize(400, 400);
    TRenderFiles files;
    files.inputDocument = o.document;
    if (o.document) {
        ops.OpenDocument(*o.document);
        if (!ops.PaletteFile().empty()) files.palettes.push_back(ops.PaletteFile());
    }

    // Options in the order the formula dialog applies its boxes.
    if (o.formula) ops.SelectFormula(o.formula->first, o.formula->second);
    if (o.center || o.increment) {
        const TFloatPoint c = o.center.value_or(ops.Pattern().Center);
        const TFloatPoint d = o.increment.value_or(ops.Pattern().Incremental);
        ops.SetArea(c.X, c.Y, d.X, d.Y);
    }
    if (o.size) ops.SetImageSize(o.size->first, o.size->second);
    if (o.colorChange) ops.SetColorChange(*o.colorChange);
    if (o.pointMove || o.params) {
        // The formula dialog offers only the catalogue's numbers and refuses
        // anything else as no choice at all; the option is refused the same.
        const int32_t type = o.pointMove.value_or(ops.PointMoveType());
        const bool offered = !o.pointMove || type < TPointMoveBox::PointMoveCount();
        ops.SelectPointMove(offered ? type : -1, o.params.value_or(ops.PointMoveParam()));
    }
    if (o.palette) {
        files.palettes.push_back(*o.palette);
        ops.LoadPalette(*o.palette);
    }
    if (o.paletteOffset) ops.SetPaletteOffset(*o.paletteOffset);
    if (o.shadeOff) ops.SetShadeOff(true);

    const bool picture = o.output || !o.saveDocument;
    if (picture) files.picture = PictureName(o.output.value_or("velquor.bmp"), o.filterIndex);
    files.documentOutput = o.saveDocument;
    CheckOutputs(files);
    // A picture that goes into a pipe or onto the terminal keeps that stream
    // to itself: the results are reported beside the other messages.
    std::ostream& report = picture && IsDeviceOrPipe(*files.picture) ? err : out;

    if (o.saveDocument) {
        ops.SaveDocument(*o.saveDocument);
        report << kPrefix << Format(TText::tr(kWrote).c_str(), QuotePath(*o.saveDocument).c_str()) << "\n";
    }
    if (picture && o.Exporting()) {
        Export(ops, o, *files.picture, err, showProgress);
        report << kPrefix << Format(TText::tr(kWrote).c_str(), QuotePath(*files.picture).c_str()) << "\n";
    } else if (picture) {
        Render(ops, err, showProgress);
        // What was printed goes out before the picture may share its stream.
        out.flush();
        err.flush();
        SaveImage(ops, o, *files.picture, err, showProgress);
        report << kPrefix << Format(TText::tr(kWrote).c_str(), QuotePath(*files.picture).c_str()) << "\n";
    }
    return 0;
}

} // namespace

int RunReporting(std::ostream& err, const std::function<int()>& command)
{
    try {
        return command();
    } catch (const EUsage& e) {
        err << kPrefix << e.Message() << "\n" << TText::tr(kSeeHelp) << "\n";
        return 2;
    } catch (const ERefusedOutput& e) {
        err << kPrefix << e.Message() << "\n";
        return 2;
    } catch (const std::exception& e) {
        err << kPrefix << MessageOf(e) << "\n";
        return 1;
    }
}

int RunRender(const std::vector<std::string>& args, const std::string& programDir, std::ostream& out, std::ostream& err,
              bool showProgress)
{
    return RunReporting(err, [&] {
        const TRenderOptions o = ParseRenderOptions(args);
        if (o.help) {
            out << TText::tr(kUsage);
            return 0;
        }
        if (o.version) {
            out << "velquor-render " VELQUOR_VERSION "\n";
            return 0;
        }
        return Run(o, programDir, out, err, showProgress);
    });
}
