// The palette editor command: opens the editor on the palette in use,
// previews its edits on the picture and applies or undoes them at the end.
// The whole session is one command, so it is one undo step.
#include "ui/Main.h"

#include "common/Exceptions.h"
#include "common/FileSystem.h"
#include "common/Format.h"
#include "common/Paths.h"
#include "common/Texts.h"
#include "document/PaletteCatalog.h"
#include "palette/McfLines.h"
#include "palette/UMcf.h"
#include "settings/UVelquorRegistry.h"
#include "ui/Dialogs.h"
#include "ui/PaletteEditor.h"
#include "ui/UiText.h"

#include <QFileInfo>

namespace {

// The name a palette goes by while it is in no file of its own.
const char* const kUntitled = "名称未設定.mcf";

bool IsMcfFile(const std::string& path) { return LowerExtension(path) == ".mcf"; }

} // namespace

void TfrmMain::EditPalette()
{
    // Its own lines when the palette has them, else its MCF file's, else
    // one line per colour.
    const TMcf original = ops_->Pattern().Mcf();
    const std::string originalFile = ops_->PaletteFile();
    const std::string originalText = ops_->PaletteText();
    TPaletteLines lines;
    QString file;
    if (!originalText.empty()) {
        lines = TPaletteLines::Parse(originalText);
    } else if (!originalFile.empty() && IsMcfFile(originalFile)) {
        const std::optional<std::string> text = ReadWholeFile(originalFile);
        if (!text) throw EFOpenError(Format(TText::tr("ファイル '%s' を開けません。").c_str(), originalFile.c_str()));
        lines = TPaletteLines::Parse(*text);
        file = QString::fromStdString(originalFile);
    } else {
        lines = TPaletteLines::FromColors(
            std::vector<int32_t>(original.Colors.begin(), original.Colors.begin() + (original.High + 1)));
    }
    if (!originalText.empty() && IsMcfFile(originalFile) && IsFile(originalFile))
        file = QString::fromStdString(originalFile);

    bool previewed = false;
    const auto previewName = [&](const TPaletteEditor& editor) {
        return editor.Saved() ? editor.FileName().toStdString() : std::string(kUntitled);
    };
    TPaletteEditor* shown = nullptr;
    TPaletteEditor::THooks hooks;
    hooks.preview = [&](const std::string& text) {
        // One drawing at a time: the one running stops before the next starts.
        try {
            StopDraw();
            ops_->SetPaletteText(text, previewName(*shown));
            previewed = true;
            StartDraw();
        } catch (const std::exception&) {
            // A text the loader refuses is not shown; the editor still has it.
        }
    };
    hooks.pickColor = [this, &shown](const QColor& initial, const QString& title) {
        return dialogs_->PickColor(shown, initial, title);
    };
    hooks.chooseSaveFile = [this, &shown](const QString& proposed) -> std::optional<QString> {
        TSaveFileRequest request;
        request.title = tr("ﾊﾟﾚｯﾄを保存");
        request.filter = tr("MCFﾌｧｲﾙ(*.mcf)|*.mcf|Fractintﾊﾟﾚｯﾄ(*.map)|*.map|GIMPﾊﾟﾚｯﾄ(*.gpl)|*.gpl");
        request.defaultExt = QStringLiteral(".mcf");
        request.initialDir = QString::fromStdString(registry_->PaletteDirectory);
        request.fileName = proposed;
        request.overwritePrompt = true;
        const std::optional<TSaveFileResult> result = dialogs_->SaveFile(shown, request);
        if (!result) return std::nullopt;
        return result->fileName;
    };
    hooks.showError = [this, &shown](const QString& message) {
        dialogs_->ShowException(shown, QString::fromStdString(WithClosingPeriod(message.toStdString())));
    };

    const std::string startText = lines.Text();
    TPaletteEditor editor(DialogParent(), std::move(lines), file, std::move(hooks));
    shown = &editor;
    const bool accepted = dialogs_->Exec(editor) == QDialog::Accepted;
    const std::string saved = editor.Saved() ? editor.FileName().toStdString() : std::string();
    if (editor.Saved()) registry_->RecentPalettes = WithRecent(registry_->RecentPalettes, saved);
    if (accepted) {
        const bool changed = editor.Lines().Text() != startText || (!saved.empty() && saved != originalFile);
        if (!changed && !previewed) return;
        StopDraw();
        // A palette just saved is that file's, so documents name it; an
        // unsaved one keeps its lines under the untitled name.
        if (!saved.empty()) ops_->LoadPalette(saved);
        else ops_->SetPaletteText(editor.Lines().Text(), kUntitled);
        StartDraw();
    } else if (previewed) {
        // Back to exactly the palette before, whatever was saved meanwhile.
        StopDraw();
        ops_->SetPalette(original, originalFile, originalText);
        StartDraw();
    }
}
