#include "cli/RenderCommand.h"

#include "common/Convert.h"
#include "common/Exceptions.h"
#include "document/MainOperations.h"
#include "imaging/ImageFileType.h"

#include <chrono>
#include <optional>
#include <ostream>
#include <thread>

namespace {

const char* const kUsage =
    "usage: velquor-render [DOCUMENT.vqp] [options]\n"
    "Renders a pattern and writes it as a BMP or PNG file.\n"
    "Without a document the program's start-up pattern is drawn; options given\n"
    "after the document override its values.\n"
    "\n"
    "  --formula N           formula number (0-6)\n"
    "  --formula-expr EXPR   a formula of your own in x and y instead, e.g.\n"
    "                        \"x*x + y*y\" or \"200*sin(x/10) + y^2/50\": numbers,\n"
    "                        pi, e, + - * / ^ (power), parentheses and sin cos\n"
    "                        tan abs sqrt exp ln floor ceil round min max mod\n"
    "                        atan2 hypot; the last formula option counts\n"
    "  --point-move N        coordinate transform number (0-4)\n"
    "  --params A,B,C,D      coordinate transform parameters\n"
    "  --center X,Y          point of the plane at the centre of the image\n"
    "  --increment DX,DY     distance in the plane from one pixel to the next\n"
    "  --size WxH            image size in pixels (1-9999 each way)\n"
    "  --color-change V      multiplier of the formula value\n"
    "  --palette FILE.mcf    palette file\n"
    "  --palette-dir DIR     folder in which a document's palette is looked up\n"
    "  --shade-off           blur the finished image\n"
    "  -o FILE               output file (default velquor.bmp unless only\n"
    "                        --save-document is given)\n"
    "  --format bmp|png      file type when FILE has no .bmp or .png extension\n"
    "                        (default bmp)\n"
    "  --save-document FILE  write the pattern as a document\n"
    "  --version             show the program's version\n"
    "  --help                show this text\n";

// Thrown for a malformed command line; shown with the usage hint.
class EUsage : public Exception {
    using Exception::Exception;
};

struct Options {
    std::string document;
    // Formula type and name, as a document carries them.
    std::optional<std::pair<int32_t, std::string>> formula;
    std::optional<int32_t> pointMove;
    std::optional<TPointMoveParam> params;
    std::optional<TFloatPoint> center;
    std::optional<TFloatPoint> increment;
    std::optional<std::pair<int32_t, int32_t>> size;
    std::optional<double> colorChange;
    std::optional<std::string> palette;
    std::string paletteDir;
    bool shadeOff = false;
    std::optional<std::string> output;
    int filterIndex = 1;
    std::optional<std::string> saveDocument;
    bool help = false;
    bool version = false;
};

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t at = text.find(separator, start);
        parts.push_back(text.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos) return parts;
        start = at + 1;
    }
}

std::vector<long double> Reals(const std::string& option, const std::string& text, size_t count)
{
    const std::vector<std::string> parts = Split(text, ',');
    if (parts.size() != count)
        throw EUsage(option + " needs " + std::to_string(count) + " numbers separated by commas");
    std::vector<long double> values;
    for (const std::string& p : parts) values.push_back(StrToFloat(p));
    return values;
}

Options Parse(const std::vector<std::string>& args)
{
    Options o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw EUsage(a + " needs a value");
            return args[++i];
        };
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a == "--formula") {
            const std::string& v = value();
            StrToInt(v);
            o.formula = std::make_pair(kBuiltinFormulaType, v);
        } else if (a == "--formula-expr") {
            o.formula = std::make_pair(kExpressionFormulaType, value());
        } else if (a == "--point-move") {
            o.pointMove = StrToInt(value());
        } else if (a == "--params") {
            const auto v = Reals(a, value(), 4);
            o.params = TPointMoveParam{v[0], v[1], v[2], v[3]};
        } else if (a == "--center") {
            const auto v = Reals(a, value(), 2);
            o.center = FloatPoint(v[0], v[1]);
        } else if (a == "--increment") {
            const auto v = Reals(a, value(), 2);
            o.increment = FloatPoint(v[0], v[1]);
        } else if (a == "--size") {
            const std::vector<std::string> parts = Split(value(), 'x');
            if (parts.size() != 2) throw EUsage("--size needs WIDTHxHEIGHT, e.g. 400x400");
            o.size = std::make_pair(StrToInt(parts[0]), StrToInt(parts[1]));
        } else if (a == "--color-change") {
            // Checked as a document's value is: beyond a double is an overflow.
            o.colorChange = ToDoubleChecked(StrToFloat(value()));
        } else if (a == "--palette") {
            o.palette = value();
        } else if (a == "--palette-dir") {
            o.paletteDir = value();
        } else if (a == "--shade-off") {
            o.shadeOff = true;
        } else if (a == "-o" || a == "--output") {
            o.output = value();
        } else if (a == "--format") {
            const std::string& v = value();
            if (v == "bmp") o.filterIndex = 1;
            else if (v == "png") o.filterIndex = 2;
            else throw EUsage("--format takes bmp or png, not '" + v + "'");
        } else if (a == "--save-document") {
            o.saveDocument = value();
        } else if (!a.empty() && a[0] == '-') {
            throw EUsage("unknown option " + a);
        } else if (o.document.empty()) {
            o.document = a;
        } else {
            throw EUsage("only one document can be rendered, got '" + o.document + "' and '" + a + "'");
        }
    }
    return o;
}

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
    void ShowMessage(const std::string& text) override { err_ << "velquor-render: " << text << "\n"; }
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
            err << "\rvelquor-render: " << percent << "%" << std::flush;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        err << "\r\033[K" << std::flush;
    }
    pattern.WaitUntilSuspended();
    if (!pattern.ErrorMessage().empty()) throw Exception(pattern.ErrorMessage());
}

// On a terminal the save shows its percentage on one line, which is cleared
// again however the save ends.
std::string SaveImage(TMainOperations& ops, const Options& o, std::ostream& err, bool showProgress)
{
    const std::string name = o.output.value_or("velquor.bmp");
    if (!showProgress) return SaveImageFile(ops.ImageBitmap(), name, o.filterIndex);
    const auto show = [&err](int percent) {
        err << "\rvelquor-render: saving " << percent << "%" << std::flush;
        return true;
    };
    try {
        const std::string written = SaveImageFile(ops.ImageBitmap(), name, o.filterIndex, show);
        err << "\r\033[K" << std::flush;
        return written;
    } catch (...) {
        err << "\r\033[K" << std::flush;
        throw;
    }
}

int Run(const Options& o, const std::string& programDir, std::ostream& out, std::ostream& err, bool showProgress)
{
    ConsoleHost host(err, o.paletteDir);
    // Nothing shows the picture while it grows: the renderer draws straight
    // into the bitmap that is written, with no second bitmap and no copies.
    TMainOperations ops(host, programDir, TCanvasUse::DrawInto);
    host.Attach(&ops);
    // The window's start-up: 400 x 400 with the built-in palette.
    ops.SetImageSize(400, 400);
    if (!o.document.empty()) ops.OpenDocument(o.document);

    // Options in the order the formula dialog applies its boxes.
    if (o.formula) ops.SelectFormula(o.formula->first, o.formula->second);
    if (o.center || o.increment) {
        const TFloatPoint c = o.center.value_or(ops.Pattern().Center);
        const TFloatPoint d = o.increment.value_or(ops.Pattern().Incremental);
        ops.SetArea(c.X, c.Y, d.X, d.Y);
    }
    if (o.size) ops.SetImageSize(o.size->first, o.size->second);
    if (o.colorChange) ops.SetColorChange(*o.colorChange);
    if (o.pointMove || o.params)
        ops.SelectPointMove(o.pointMove.value_or(ops.PointMoveType()), o.params.value_or(ops.PointMoveParam()));
    if (o.palette) ops.LoadPalette(*o.palette);
    if (o.shadeOff) ops.SetShadeOff(true);

    if (o.saveDocument) {
        ops.SaveDocument(*o.saveDocument);
        out << "velquor-render: wrote " << *o.saveDocument << "\n";
    }
    if (o.output || !o.saveDocument) {
        Render(ops, err, showProgress);
        const std::string written = SaveImage(ops, o, err, showProgress);
        out << "velquor-render: wrote " << written << "\n";
    }
    return 0;
}

} // namespace

int RunReporting(std::ostream& err, const std::function<int()>& command)
{
    try {
        return command();
    } catch (const EUsage& e) {
        err << "velquor-render: " << e.Message() << "\n(see velquor-render --help)\n";
        return 2;
    } catch (const std::exception& e) {
        err << "velquor-render: " << MessageOf(e) << "\n";
        return 1;
    }
}

int RunRender(const std::vector<std::string>& args, const std::string& programDir, std::ostream& out, std::ostream& err,
              bool showProgress)
{
    return RunReporting(err, [&] {
        const Options o = Parse(args);
        if (o.help) {
            out << kUsage;
            return 0;
        }
        if (o.version) {
            out << "velquor-render " VELQUOR_VERSION "\n";
            return 0;
        }
        return Run(o, programDir, out, err, showProgress);
    });
}
