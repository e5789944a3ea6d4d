#include "document/MainOperations.h"

#include "common/Convert.h"
#include "common/Exceptions.h"
#include "common/FileSystem.h"
#include "common/Format.h"
#include "common/Paths.h"
#include "common/QuoteText.h"
#include "common/Texts.h"
#include "document/PngDocument.h"
#include "document/UVqd.h"
#include "engine/ExpressionFormula.h"
#include "engine/UFormula.h"
#include "palette/PaletteFile.h"
#include "palette/UMcf.h"
#include "platform/AppPaths.h"
#include "platform/ShellOpen.h"

#include <functional>
#include <utility>

TMainOperations::TMainOperations(IMainHost& host, std::string programDir, TCanvasUse canvasUse)
    : host_(host), programDir_(std::move(programDir))
{
    pattern_ = std::make_unique<TVelquor>(false, &imageBitmap_, canvasUse);
    SelectFormula(kBuiltinFormulaType, "0");
    SetColorChange(1.0);
    SelectPointMove(0, TPointMoveParam{});
}

TMainOperations::~TMainOperations() = default;

void TMainOperations::SelectFormula(int32_t formulaType, const std::string& formulaName)
{
    std::unique_ptr<TFormula> formula;
    if (formulaType == kBuiltinFormulaType) {
        const int32_t n = StrToInt(formulaName);
        if (n < 0 || n >= TFormulaBox::FormulaCount()) throw ERangeError(TText::tr("未サポートのFormulaNameです。"));
        formula = TFormulaBox::GetFormula(n);
    } else if (formulaType == kExpressionFormulaType) {
        formula = std::make_unique<TFormula_Expression>(formulaName);
    } else {
        throw ERangeError(Format(TText::tr("未サポートのFormulaTypeです。[%d]").c_str(), formulaType));
    }
    formulaType_ = formulaType;
    formulaName_ = formulaName;
    pattern_->SetFormula(std::move(formula));
}

void TMainOperations::SetArea(long double x, long double y, long double dx, long double dy)
{
    pattern_->Center = FloatPoint(x, y);
    pattern_->Incremental = FloatPoint(dx, dy);
}

void TMainOperations::SetImageSize(int32_t width, int32_t height)
{
    if (width < 1 || width > 9999) throw ERangeError(Format(TText::tr("幅の指定が不正です。[%d]").c_str(), width));
    if (height < 1 || height > 9999) throw ERangeError(Format(TText::tr("高さの指定が不正です。[%d]").c_str(), height));
    host_.ImageSizeChanged(width, height);
    imageBitmap_.SetSize(width, height);
    pattern_->SetSize(width, height);
}

void TMainOperations::SetColorChange(double value)
{
    colorChange_ = value;
    pattern_->SetColorChange(value);
}

void TMainOperations::SelectPointMove(int32_t pointMoveType, const TPointMoveParam& param)
{
    if (pointMoveType < 0) throw ERangeError(TText::tr("未サポートのPointMoveTypeです。"));
    // The stored type and parameters change even when the catalogue then
    // refuses the number: a later save writes what the user asked for.
    pointMoveType_ = pointMoveType;
    pointMoveParam_ = param;
    std::unique_ptr<TPointMove> move = TPointMoveBox::GetPointMove(pointMoveType);
    move->SetParam(param);
    pattern_->SetPointMove(std::move(move));
}

void TMainOperations::BeginDrawing()
{
    pattern_->ShadeOff = shadeOff_;
    pattern_->Resume();
}

void TMainOperations::LoadPalette(const std::string& fileName)
{
    pattern_->LoadPalette(fileName);
    paletteFile_ = fileName;
    paletteText_.clear();
    host_.PaletteNameChanged(BaseNameWithoutExtension(fileName));
}

void TMainOperations::LoadPaletteAndDraw(const std::string& fileName)
{
    host_.StopDraw();
    LoadPalette(fileName);
    host_.StartDraw();
}

std::string TMainOperations::PaletteFolder() const
{
    const std::string setting = host_.PaletteDirectory();
    if (!setting.empty()) return setting;
    return DefaultPaletteFolder(programDir_);
}

namespace {

// A palette the user did not pick (a document named it) says which file its
// message is about, on a line of its own. Open errors name it already.
void LoadNamedPalette(const std::string& path, const std::function<void()>& load)
{
    const std::string heading = QuotePath(path) + "\r\n";
    try {
        load();
    } catch (const EFOpenError&) {
        throw;
    } catch (const ETooManyColors& e) {
        throw ETooManyColors(heading + e.Message());
    } catch (const EConvertError& e) {
        throw EConvertError(heading + e.Message());
    }
}

} // namespace

void TMainOperations::OpenDocument(const std::string& fileName)
{
    TVqd vqd;
    // An exported picture opens as the pattern it carries.
    if (IsPngFileName(fileName)) vqd.LoadFromBytes(EmbeddedDocument(fileName), fileName);
    else vqd.LoadFromFile(fileName);
    host_.StopDraw();
    SelectFormula(vqd.FormulaType, vqd.FormulaName);
    SetColorChange(vqd.ColorChange);
    pattern_->Center = vqd.Center;
    pattern_->Incremental = vqd.Incremental;
    shadeOff_ = vqd.ShadeOff;
    host_.ShadeOffChanged(shadeOff_);
    SetImageSize(vqd.Size.X, vqd.Size.Y);
    ApplyDocumentPalette(vqd.PaletteName, vqd.PaletteText);
    SetPaletteOffset(vqd.PaletteOffset);
    SelectPointMove(vqd.PointMoveType, vqd.PointMoveParam);
    host_.StartDraw();
}

void TMainOperations::ApplyDocumentPalette(const std::string& name, const std::optional<std::string>& carried)
{
    const std::string folder = PaletteFolder();
    const std::string path = folder + "/" + name + ".mcf";
    // The named file first, in any palette format.
    if (const auto found = FindPaletteFile(folder, name)) {
        if (!carried) {
            LoadNamedPalette(*found, [&] { LoadPalette(*found); });
            return;
        }
        try {
            LoadPalette(*found);
            return;
        } catch (const Exception&) {
            // An unreadable file gives way to the palette the document carries.
        }
    }
    if (carried) {
        try {
            SetPaletteText(*carried, path);
            return;
        } catch (const Exception&) {
            // Carried text spoilt by hand: as if there were none.
        }
    }
    if (name == "標準") {
        // The program's own documents name the built-in palette so.
        pattern_->Mcf().SetDefault();
        paletteFile_.clear();
        host_.PaletteNameChanged(pattern_->GetPaletteName());
        return;
    }
    host_.ShowMessage(Format(TText::tr("[%s]を開けません。").c_str(), QuotePath(path).c_str()));
}

void TMainOperations::SaveDocument(const std::string& fileName) const
{
    TVqd vqd;
    FillDocument(vqd);
    vqd.SaveToFile(fileName);
}

void TMainOperations::FillDocument(TVqd& vqd) const
{
    vqd.Center = pattern_->Center;
    vqd.ColorChange = colorChange_;
    vqd.Incremental = pattern_->Incremental;
    vqd.PaletteName = pattern_->GetPaletteName();
    vqd.Size.X = pattern_->Width();
    vqd.Size.Y = pattern_->Height();
    vqd.FormulaType = formulaType_;
    vqd.FormulaName = formulaName_;
    vqd.ShadeOff = shadeOff_;
    vqd.PointMoveType = pointMoveType_;
    vqd.PointMoveParam = pointMoveParam_;
    const TMcf& mcf = pattern_->Mcf();
    // A palette too large to carry still has its name.
    if (!mcf.Builtin && mcf.Text.size() <= TMcf::kMaxKeptText) vqd.PaletteText = mcf.Text;
    vqd.PaletteOffset = PaletteOffset();
}

long double TMainOperations::NextRandom()
{
    randSeed_ = randSeed_ * 134775813u + 1u;
    return static_cast<long double>(randSeed_) / 4294967296.0L;
}

void TMainOperations::Random()
{
    host_.StopDraw();
    const long double f1 = NextRandom() * 0.2L + 0.9L;
    const long double x = pattern_->Incremental.X * f1;
    const long double f2 = NextRandom() * 0.2L + 0.9L;
    const long double y = pattern_->Incremental.Y * f2;
    pattern_->Incremental = FloatPoint(x, y);
    host_.StartDraw();
}

void TMainOperations::DropFiles(const std::vector<std::string>& fileNames)
{
    if (fileNames.empty()) return;
    const std::string& name = fileNames.front();
    const std::string ext = LowerExtension(name);
    if (PaletteFormatOf(name)) LoadPaletteAndDraw(name);
    else if (ext == ".vqp" || ext == ".png") OpenDocument(name);
    else host_.ErrorDialog(QuotePath(name) + "\r\n" + TText::tr("は扱えません。"));
}

void TMainOperations::ShowHelp()
{
    static const char* const kHint =
        TText::Noop("\r\n\r\nﾍﾙﾌﾟを見るためには実行ﾌｧｲﾙのあるﾌｫﾙﾀﾞの中に\r\nVelquor.html がなければいけません\r\n");
    const std::string folder = HelpFolder(programDir_) + "/";
    if (!IsDirectory(folder)) {
        host_.ErrorDialog(folder + TText::tr(" が見つかりません") + TText::tr(kHint));
        return;
    }
    const int result = ShellOpen(HelpPageName(programDir_), folder,
                                 [this](const std::string& path) { return host_.OpenInViewer(path); });
    if (result == kShellOpenFileNotFound) host_.ErrorDialog(TText::tr("Velquor.html が見つかりません") + TText::tr(kHint));
    else if (result == kShellOpenNoAssociation && !host_.ShowHelpWindow(folder + HelpPageName(programDir_)))
        host_.ErrorDialog(TText::tr("ﾍﾙﾌﾟを表示するﾌﾟﾛｸﾞﾗﾑを起動できません。\r\nﾌﾞﾗｳｻﾞで次のﾌｧｲﾙを開いてください:\r\n") + folder +
                          HelpPageName(programDir_));
}
