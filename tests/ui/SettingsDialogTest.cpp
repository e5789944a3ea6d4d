// The options dialog: folder checks on OK, the browse buttons and Cancel,
// with the folder picker and the error dialog scripted so nothing blocks.
#include "ui/USettings.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

class SettingsDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp_.isValid());
        mcfDir_ = tmp_.filePath("パレット");
        vqpDir_ = tmp_.filePath("vqp");
        ASSERT_TRUE(QDir().mkpath(mcfDir_));
        ASSERT_TRUE(QDir().mkpath(vqpDir_));
        file_ = tmp_.filePath("plain.txt");
        QFile f(file_);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");

        dlg_ = std::make_unique<TfrmSettings>(
            nullptr,
            [this](const QString& title) {
                titles_.push_back(title);
                if (answers_.empty()) {
                    ADD_FAILURE() << "folder picker opened unexpectedly";
                    return std::optional<QString>();
                }
                std::optional<QString> answer = answers_.front();
                answers_.pop_front();
                return answer;
            },
            [this](const QString& text) { errors_.push_back(text); });
        dlg_->McfDirectory = mcfDir_;
        dlg_->VqpDirectory = vqpDir_;
        dlg_->show();
    }

    void PressKey(int key)
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(dlg_.get(), &press);
    }

    QTemporaryDir tmp_;
    QString mcfDir_, vqpDir_, file_;
    std::unique_ptr<TfrmSettings> dlg_;
    std::vector<QString> titles_;
    std::deque<std::optional<QString>> answers_;
    std::vector<QString> errors_;
};

TEST_F(SettingsDialogTest, ShowingFillsTheBoxesFromTheFields)
{
    EXPECT_EQ(dlg_->edtMcfDirectory->text(), mcfDir_);
    EXPECT_EQ(dlg_->edtVqpDirectory->text(), vqpDir_);
    EXPECT_EQ(dlg_->windowTitle(), QStringLiteral("Velquorの設定"));
}

TEST_F(SettingsDialogTest, EmptiedBoxesAreAcceptedAndClearBothFolders)
{
    dlg_->edtMcfDirectory->clear();
    dlg_->edtVqpDirectory->clear();
    dlg_->bbnOk->click();
    EXPECT_EQ(dlg_->result(), QDialog::Accepted);
    EXPECT_FALSE(dlg_->isVisible());
    EXPECT_TRUE(dlg_->McfDirectory.isEmpty());
    EXPECT_TRUE(dlg_->VqpDirectory.isEmpty());
    EXPECT_TRUE(errors_.empty());
}

TEST_F(SettingsDialogTest, ExistingFoldersAreTakenExactlyAsTyped)
{
    // A trailing separator is neither added nor removed.
    dlg_->edtMcfDirectory->setText(vqpDir_ + "/");
    dlg_->edtVqpDirectory->setText(mcfDir_);
    PressKey(Qt::Key_Return); // OK is the default button
    EXPECT_EQ(dlg_->result(), QDialog::Accepted);
    EXPECT_EQ(dlg_->McfDirectory, vqpDir_ + "/");
    EXPECT_EQ(dlg_->VqpDirectory, mcfDir_);
    EXPECT_TRUE(errors_.empty());
}

class SettingsRefusalTest : public SettingsDialogTest, public testing::WithParamInterface<int> {};

// Texts OK must refuse, each tried in the MCF box and in the VQP box.
const std::vector<std::pair<std::string, std::function<QString(const QString&, const QString&)>>>& RefusedTexts()
{
    static const std::vector<std::pair<std::string, std::function<QString(const QString&, const QString&)>>> cases = {
        {"missing folder", [](const QString& dir, const QString&) { return dir + "/無い"; }},
        {"only blanks", [](const QString&, const QString&) { return QStringLiteral("   "); }},
        {"a file, not a folder", [](const QString&, const QString& file) { return file; }},
        {"existing folder plus a blank", [](const QString& dir, const QString&) { return dir + " "; }},
    };
    return cases;
}

TEST_P(SettingsRefusalTest, RefusedWithTheTextAndTheDialogStaysOpen)
{
    const auto& [what, make] = RefusedTexts()[static_cast<size_t>(GetParam() / 2)];
    const bool inMcfBox = GetParam() % 2 == 0;
    SCOPED_TRACE(what + (inMcfBox ? " in the MCF box" : " in the VQP box"));

    const QString bad = make(mcfDir_, file_);
    QLineEdit* box = inMcfBox ? dlg_->edtMcfDirectory : dlg_->edtVqpDirectory;
    box->setText(bad);
    dlg_->bbnOk->click();

    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_EQ(errors_[0], bad + QStringLiteral("は存在しません。"));
    EXPECT_TRUE(dlg_->isVisible());
    EXPECT_NE(dlg_->result(), QDialog::Accepted);
    EXPECT_EQ(box->text(), bad);
    EXPECT_EQ(dlg_->McfDirectory, mcfDir_);
    EXPECT_EQ(dlg_->VqpDirectory, vqpDir_);
}

INSTANTIATE_TEST_SUITE_P(BothBoxes, SettingsRefusalTest,
                         testing::Range(0, static_cast<int>(RefusedTexts().size() * 2)));

TEST_F(SettingsDialogTest, WithBothBoxesWrongOnlyThePaletteFolderIsReported)
{
    dlg_->edtMcfDirectory->setText(tmp_.filePath("no-mcf"));
    dlg_->edtVqpDirectory->setText(tmp_.filePath("no-vqp"));
    dlg_->bbnOk->click();
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_EQ(errors_[0], tmp_.filePath("no-mcf") + QStringLiteral("は存在しません。"));
    EXPECT_TRUE(dlg_->isVisible());

    // Once the first box is put right, the second one is reported.
    dlg_->edtMcfDirectory->setText(mcfDir_);
    dlg_->bbnOk->click();
    ASSERT_EQ(errors_.size(), 2u);
    EXPECT_EQ(errors_[1], tmp_.filePath("no-vqp") + QStringLiteral("は存在しません。"));
    EXPECT_TRUE(dlg_->isVisible());
}

TEST_F(SettingsDialogTest, BrowseButtonsAskWithTheLabelCaptionAndReplaceTheText)
{
    const QString chosen = tmp_.filePath("選んだ");
    answers_ = {chosen, std::nullopt, vqpDir_, std::nullopt};

    dlg_->bbnRef->click();
    EXPECT_EQ(dlg_->edtMcfDirectory->text(), chosen);
    dlg_->bbnRef->click(); // cancelled: the text stays
    EXPECT_EQ(dlg_->edtMcfDirectory->text(), chosen);

    dlg_->edtVqpDirectory->setText("typed");
    dlg_->bbnBrows->click();
    EXPECT_EQ(dlg_->edtVqpDirectory->text(), vqpDir_);
    dlg_->bbnBrows->click();
    EXPECT_EQ(dlg_->edtVqpDirectory->text(), vqpDir_);

    ASSERT_EQ(titles_.size(), 4u);
    EXPECT_EQ(titles_[0], QStringLiteral("MCFﾌｧｲﾙの読み込み元"));
    EXPECT_EQ(titles_[1], QStringLiteral("MCFﾌｧｲﾙの読み込み元"));
    EXPECT_EQ(titles_[2], QStringLiteral("VQPファイルの保存先"));
    EXPECT_EQ(titles_[3], QStringLiteral("VQPファイルの保存先"));
    // Choosing a folder does not take it over before OK.
    EXPECT_EQ(dlg_->McfDirectory, mcfDir_);
    EXPECT_TRUE(errors_.empty());
}

TEST_F(SettingsDialogTest, CancelAndEscapeKeepTheFoldersAsHandedIn)
{
    dlg_->edtMcfDirectory->setText(vqpDir_);
    dlg_->edtVqpDirectory->clear();
    dlg_->bbnCancel->click();
    EXPECT_EQ(dlg_->result(), QDialog::Rejected);
    EXPECT_FALSE(dlg_->isVisible());
    EXPECT_EQ(dlg_->McfDirectory, mcfDir_);
    EXPECT_EQ(dlg_->VqpDirectory, vqpDir_);

    dlg_->show(); // the boxes show the unchanged folders again
    EXPECT_EQ(dlg_->edtMcfDirectory->text(), mcfDir_);
    dlg_->edtVqpDirectory->setText("/nowhere");
    PressKey(Qt::Key_Escape);
    EXPECT_EQ(dlg_->result(), QDialog::Rejected);
    EXPECT_FALSE(dlg_->isVisible());
    EXPECT_EQ(dlg_->VqpDirectory, vqpDir_);
    EXPECT_TRUE(errors_.empty());
}

TEST_F(SettingsDialogTest, TabVisitsMcfBoxBrowseOkCancelVqpBoxBrowse)
{
    const std::vector<QWidget*> order = {dlg_->edtMcfDirectory, dlg_->bbnRef,          dlg_->bbnOk,
                                         dlg_->bbnCancel,       dlg_->edtVqpDirectory, dlg_->bbnBrows};
    QWidget* w = order[0];
    for (size_t i = 1; i < order.size(); ++i) {
        do w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus));
        EXPECT_EQ(w, order[i]) << "stop " << i;
    }
    EXPECT_TRUE(dlg_->bbnOk->isDefault());
}

} // namespace
