// The commands that take the picture out of the window: image file,
// clipboard and wallpaper.
#include "tests/ui/UiFiles.h"
#include "tests/ui/WindowFixture.h"

#include "tests/support/ScopedEnv.h"

#include <QAction>
#include <QClipboard>
#include <QColorSpace>
#include <QGuiApplication>
#include <QImage>

#include <string>
#include <utility>
#include <vector>

namespace {

QImage ImageOf(const TBitmap24& bitmap)
{
    return QImage(bitmap.Bits(), bitmap.Width(), bitmap.Height(), static_cast<qsizetype>(bitmap.Stride()),
                  QImage::Format_BGR888)
        .convertToFormat(QImage::Format_RGB32);
}

// Records what the wallpaper asks of the desktop and what the wallpaper
// file held when the first value was written.
class RecordingDesktop : public IDesktopPlatform {
public:
    std::string watchedFile;
    std::vector<std::pair<std::string, std::string>> values;
    std::vector<std::string> wallpapers;
    QByteArray fileAtFirstValue;

    void WriteDesktopValue(const std::string& name, const std::string& value) override
    {
        if (values.empty()) fileAtFirstValue = ReadFile(QString::fromStdString(watchedFile));
        values.emplace_back(name, value);
    }
    bool accept = true;
    bool SetDesktopWallpaper(const std::string& path) override
    {
        wallpapers.push_back(path);
        return accept;
    }
};

} // namespace

using ImageSaveTest = WindowFixture;

TEST_F(ImageSaveTest, TypedExtensionWinsOverTheFilter)
{
    struct Case {
        const char* folder;
        const char* name;
        int filterIndex;
        const char* written;
        QByteArray signature;
    };
    const QByteArray bmp("BM");
    const QByteArray png("\x89PNG\r\n\x1a\n");
    const Case cases[] = {
        {"a", "picture", 1, "picture.bmp", bmp},     {"b", "picture", 2, "picture.png", png},
        {"c", "picture.PNG", 1, "picture.PNG", png}, {"d", "picture.jpg", 2, "picture.jpg", png},
        {"my.images", "picture", 1, "picture", bmp},
    };
    TfrmMain& window = CreateShown();
    window.SetImageSize(50, 30);
    window.StartDraw();
    WaitUntilIdle();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.written);
        const QString folder = TempPath(QString::fromLatin1(c.folder));
        QDir().mkpath(folder);
        dialogs_.saveAnswers.push_back(
            TSaveFileResult{folder + QLatin1Char('/') + QString::fromLatin1(c.name), c.filterIndex});
        window.actImgSave->trigger();
        EXPECT_TRUE(dialogs_.exceptions.isEmpty()) << dialogs_.exceptions.join('\n').toStdString();
        EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QString::fromLatin1(c.written)});
        const QByteArray bytes = ReadFile(folder + QLatin1Char('/') + QString::fromLatin1(c.written));
        EXPECT_TRUE(bytes.startsWith(c.signature));
        if (c.signature == bmp) EXPECT_EQ(bytes.size(), 54 + 152 * 30);
        else {
            QImage got = QImage::fromData(bytes).convertToFormat(QImage::Format_RGB32);
            const QImage want = ImageOf(window.Operations().ImageBitmap());
            // The file's gamma tag becomes a colour space; only pixels count here.
            got.setColorSpace(QColorSpace());
            EXPECT_EQ(got, want);
        }
    }

    // The dialog: its filter, no default extension or prompt, the first
    // filter at the start and the last answer offered again.
    ASSERT_EQ(dialogs_.saveRequests.size(), std::size(cases));
    const TSaveFileRequest& first = dialogs_.saveRequests.front();
    EXPECT_EQ(first.filter, QStringLiteral("ﾋﾞｯﾄﾏｯﾌﾟ(*.bmp)|*.bmp|PNGﾌｧｲﾙ(*.png)|*.png"));
    EXPECT_TRUE(first.defaultExt.isEmpty());
    EXPECT_TRUE(first.initialDir.isEmpty());
    EXPECT_FALSE(first.overwritePrompt);
    EXPECT_EQ(first.filterIndex, 1);
    EXPECT_TRUE(first.fileName.isEmpty());
    EXPECT_EQ(dialogs_.saveRequests[2].fileName, TempPath(QStringLiteral("b/picture")));
    EXPECT_EQ(dialogs_.saveRequests[2].filterIndex, 2);
}

TEST_F(ImageSaveTest, CancelWritesNothingAndABadIndexIsReported)
{
    TfrmMain& window = CreateShown();
    const QStringList before = QDir(tmp_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    window.actImgSave->trigger();
    EXPECT_EQ(QDir(tmp_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    EXPECT_TRUE(dialogs_.exceptions.isEmpty());

    dialogs_.saveAnswers.push_back(TSaveFileResult{TempPath(QStringLiteral("picture")), 3});
    window.actImgSave->trigger();
    ASSERT_EQ(dialogs_.exceptions.size(), 1);
    EXPECT_EQ(dialogs_.exceptions.front(), QStringLiteral("Invalid index number(3) at GetFileType."));
    EXPECT_EQ(QDir(tmp_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
}

TEST_F(ImageSaveTest, ProgressIsShownAndACancelledSaveKeepsTheOldFile)
{
    TfrmMain& window = CreateShown();
    const QString file = TempPath(QStringLiteral("picture.png"));
    ASSERT_TRUE(WriteFile(file, "the old picture"));

    dialogs_.cancelAtPercent = 40;
    dialogs_.saveAnswers.push_back(TSaveFileResult{file, 2});
    window.actImgSave->trigger();
    EXPECT_EQ(ReadFile(file), QByteArray("the old picture"));
    EXPECT_TRUE(dialogs_.exceptions.isEmpty()) << dialogs_.exceptions.join('\n').toStdString();
    EXPECT_EQ(dialogs_.progressTitles, QStringList{QStringLiteral("画像を保存しています...")});
    ASSERT_FALSE(dialogs_.progressSeen.empty());
    EXPECT_EQ(dialogs_.progressSeen.back(), 40);
    EXPECT_EQ(QDir(tmp_.path()).entryList(QStringList{QStringLiteral("*picture*")}, QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("picture.png")})
        << "a temporary file was left";

    // Not cancelled: every percentage up to 100, and the new file.
    dialogs_.cancelAtPercent = 101;
    dialogs_.progressSeen.clear();
    dialogs_.saveAnswers.push_back(TSaveFileResult{file, 2});
    window.actImgSave->trigger();
    EXPECT_TRUE(ReadFile(file).startsWith("\x89PNG"));
    EXPECT_EQ(dialogs_.progressSeen.back(), 100);
    // Commands run again once the save is over.
    EXPECT_TRUE(window.actImgSave->isEnabled());
    window.actRandom->trigger();
    EXPECT_TRUE(window.Drawing());
    WaitUntilIdle();
}

using ClipboardTest = WindowFixture;

TEST_F(ClipboardTest, HoldsTheDrawnPicture)
{
    TfrmMain& window = CreateShown();
    window.SetImageSize(70, 45);
    window.StartDraw();
    WaitUntilIdle();
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    window.actClipbordSave->trigger();
    const QImage expected = ImageOf(window.Operations().ImageBitmap());
    // A copy: drawing into the bitmap again does not change it.
    window.SetImageSize(20, 20);
    window.StartDraw();
    WaitUntilIdle();
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), expected);
    EXPECT_EQ(expected.size(), QSize(70, 45));
    EXPECT_TRUE(window.actClipbordSave->isEnabled());
    EXPECT_TRUE(dialogs_.exceptions.isEmpty());
}

using WallpaperCommandTest = WindowFixture;

TEST_F(WallpaperCommandTest, EachStyleWritesItsValuesAfterTheFile)
{
    struct Case {
        const char* action;
        const char* tile;
        const char* style;
    };
    const Case cases[] = {
        {"actWallCenter", "0", "0"},
        {"actWallStretch", "0", "2"},
        {"actWallTile", "1", "0"},
    };
    RecordingDesktop desktop;
    desktop_ = &desktop;
    const QString file = TempPath(QStringLiteral("_velquor.bmp"));
    desktop.watchedFile = file.toStdString();
    TfrmMain& window = CreateShown();
    window.SetImageSize(30, 20);
    window.StartDraw();
    WaitUntilIdle();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.action);
        ASSERT_TRUE(WriteFile(file, "stale"));
        desktop.values.clear();
        desktop.wallpapers.clear();
        window.findChild<QAction*>(QString::fromLatin1(c.action))->trigger();
        using Value = std::pair<std::string, std::string>;
        EXPECT_EQ(desktop.values, (std::vector<Value>{{"TileWallpaper", c.tile}, {"Wallpaperstyle", c.style}}));
        EXPECT_EQ(desktop.wallpapers, std::vector<std::string>{file.toStdString()});
        EXPECT_TRUE(desktop.fileAtFirstValue.startsWith("BM"));
        EXPECT_EQ(desktop.fileAtFirstValue.size(), 54 + 92 * 20);
    }
    EXPECT_TRUE(dialogs_.exceptions.isEmpty());
    EXPECT_TRUE(dialogs_.errors.isEmpty());
    EXPECT_TRUE(dialogs_.messages.isEmpty());
}

TEST_F(WallpaperCommandTest, ADesktopWithoutAWaySaysWhereThePictureWent)
{
    RecordingDesktop desktop;
    desktop.accept = false;
    desktop_ = &desktop;
    TfrmMain& window = CreateShown();
    window.actWallStretch->trigger();
    const QString file = TempPath(QStringLiteral("_velquor.bmp"));
    EXPECT_TRUE(ReadFile(file).startsWith("BM"));
    ASSERT_EQ(dialogs_.errors.size(), 1);
    EXPECT_EQ(dialogs_.errors.front(), QStringLiteral("画像を ") + file +
                                           QStringLiteral(" に書き出しましたが、壁紙に設定できませんでした。\r\n"
                                                          "このﾃﾞｽｸﾄｯﾌﾟには壁紙を設定する方法がありません。"));
    EXPECT_TRUE(dialogs_.exceptions.isEmpty());
}

TEST_F(WallpaperCommandTest, AProgramFolderThatTakesNoFileSendsThePictureToTheUsersDataFolderAndSaysSo)
{
    RecordingDesktop desktop;
    desktop_ = &desktop;
    // A folder that cannot take the file, as an installed program's.
    programDir_ = TempPath(QStringLiteral("no-such-program-folder")).toStdString();
    const QString data = TempPath(QStringLiteral("data"));
    ScopedEnv dataHome("XDG_DATA_HOME", data.toUtf8().constData());
    TfrmMain& window = CreateShown();
    window.actWallCenter->trigger();
    const QString file = data + QStringLiteral("/velquor/_velquor.bmp");
    EXPECT_TRUE(ReadFile(file).startsWith("BM"));
    EXPECT_EQ(desktop.wallpapers, std::vector<std::string>{file.toStdString()});
    EXPECT_EQ(window.statusBar()->currentMessage(), QStringLiteral("壁紙に設定しました: ") + file);
    EXPECT_TRUE(dialogs_.errors.isEmpty());
}

using FeedbackTest = WindowFixture;

TEST_F(FeedbackTest, StatusBarConfirmsSavedImageCopyAndCancelledSave)
{
    TfrmMain& window = CreateShown();
    const auto notice = [&] { return window.statusBar()->currentMessage(); };
    const QString file = TempPath(QStringLiteral("picture.png"));
    dialogs_.saveAnswers.push_back(TSaveFileResult{file, 2});
    window.actImgSave->trigger();
    EXPECT_EQ(notice(), QStringLiteral("画像を保存しました: picture.png"));

    window.actClipbordSave->trigger();
    EXPECT_EQ(notice(), QStringLiteral("画像をｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰしました。"));

    dialogs_.cancelAtPercent = 30;
    dialogs_.saveAnswers.push_back(TSaveFileResult{TempPath(QStringLiteral("other.bmp")), 1});
    window.actImgSave->trigger();
    EXPECT_EQ(notice(), QStringLiteral("画像の保存を取り消しました。"));
    EXPECT_FALSE(QFile::exists(TempPath(QStringLiteral("other.bmp"))));

    // A cancelled file dialog does nothing, and says nothing new.
    window.statusBar()->clearMessage();
    window.actImgSave->trigger();
    EXPECT_EQ(notice(), QString());
}
