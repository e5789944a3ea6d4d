// The main window's command table: menus and tool bar in their order, the
// actions' captions, shortcuts and hints, and where hints are shown.
#include "tests/ui/WindowFixture.h"

#include "settings/UVelquorRegistry.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QToolButton>

namespace {

// Item names in order, "-" for a separator, ">name" for a submenu; menu
// items bound to an action carry their own item name on it.
QStringList Items(const QWidget* container, bool menuItems = true)
{
    QStringList names;
    for (QAction* action : container->actions()) {
        if (action->isSeparator()) names << QStringLiteral("-");
        else if (action->menu() != nullptr) names << QStringLiteral(">") + action->menu()->objectName();
        else
            names << (menuItems && action->property("menuItem").isValid() ? action->property("menuItem").toString()
                                                                          : action->objectName());
    }
    return names;
}

QStringList Split(const char* names) { return QString::fromLatin1(names).split(QLatin1Char(' ')); }

} // namespace

using MainLayoutTest = WindowFixture;

TEST_F(MainLayoutTest, MenusAndToolBarInTheirOrder)
{
    TfrmMain& window = Create();
    QStringList menus;
    for (QAction* action : window.menuBar()->actions())
        menus << action->menu()->objectName() + QLatin1Char('=') + action->text();
    EXPECT_EQ(menus, (QStringList{QStringLiteral("mnuFile=ﾌｧｲﾙ(&F)"), QStringLiteral("mnuEdit=編集(&E)"),
                                  QStringLiteral("mnuOption=描画設定(&O)"), QStringLiteral("mnuView=表示(&V)"),
                                  QStringLiteral("mnuHelp=ﾍﾙﾌﾟ(&H)")}));
    const auto menu = [&](const char* name) { return window.findChild<QMenu*>(QString::fromLatin1(name)); };
    EXPECT_EQ(Items(menu("mnuFile")),
              Split("mnuFileNew mnuFileOpen mnuFileSave mnuFileSaveAs - mnuFileImgSave mnuFileImgExport mnuFileClipboard - "
                    ">mnuFileSetWallPaper - >mnuFileRecent - mnuFileClose"));
    EXPECT_EQ(menu("mnuFileSetWallPaper")->title(), QStringLiteral("背景に設定(&B)"));
    EXPECT_EQ(Items(menu("mnuFileSetWallPaper")),
              Split("mnuFileSetWallPaperCenter mnuFileSetWallPaperStretch mnuFileSetWallPaperTile"));
    EXPECT_EQ(Items(menu("mnuEdit")), Split("mnuEditUndo mnuEditRedo"));
    EXPECT_EQ(Items(menu("mnuOption")),
              Split("mnuOptionFormula mnuOptionPalette mnuOptionPaletteEdit - mnuOptionRandom - mnuOptionShadeOff mnuOptionCycle "
                    "mnuOptionPaletteForward mnuOptionPaletteBack - "
                    "mnuOptionOption"));
    EXPECT_EQ(Items(menu("mnuView")), Split("mnuViewToolbar mnuViewStatusbar mnuViewPaletteBrowser - >mnuViewScale "
                                            "mnuViewFollowWindow - mnuViewResetArea"));
    EXPECT_EQ(menu("mnuViewScale")->title(), QStringLiteral("表示倍率(&Z)"));
    EXPECT_EQ(Items(menu("mnuViewScale")), Split("mnuViewScaleFit mnuViewScaleActual - mnuViewScaleIn mnuViewScaleOut"));
    EXPECT_EQ(Items(menu("mnuHelp")), Split("mnuHelpHelp mnuHelpAbout"));
    EXPECT_EQ(Items(window.findChild<QToolBar*>(QStringLiteral("tlbMain")), false),
              Split("actOpen actSave actImgSave - actUndo actRedo - actFunction actPalette - actRandom - actShadeOff actCycleColors - "
                    "actPaletteBrowser"));
}

TEST_F(MainLayoutTest, ActionsCarryCaptionShortcutAndHint)
{
    struct Case {
        const char* name;
        const char* caption;
        const char* shortcut;
        const char* toolTip;
        const char* statusTip;
        bool icon;
    };
    const Case cases[] = {
        {"actOpen", "開く(&O)...", "Ctrl+O", "開く", "VQPﾌｧｲﾙを開きます。", true},
        {"actNew", "新規(&N)", "Ctrl+N", "新規", "起動時のﾊﾟﾀｰﾝから新しく始めます。", false},
        {"actSave", "上書き保存(&S)", "Ctrl+S", "上書き保存", "VQPﾌｧｲﾙに上書き保存します。", true},
        {"actSaveAs", "名前を付けて保存(&A)...", "Ctrl+Shift+S", "名前を付けて保存", "VQPﾌｧｲﾙに名前を付けて保存します。",
         false},
        {"actViewFit", "ウィンドウに合わせる(&W)", "Ctrl+0", "ウィンドウに合わせる",
         "画像全体がウィンドウに収まるように縮小して表示します。", false},
        {"actFollowWindow", "画像サイズをウィンドウに合わせる(&F)", "", "画像サイズをウィンドウに合わせる",
         "ウィンドウの大きさに合わせて画像を描き直します。", false},
        {"actResetArea", "表示範囲を戻す(&H)", "Ctrl+Home", "表示範囲を戻す", "中心と増分を起動時の値に戻します。", false},
        {"actImgSave", "画像を保存(&G)...", "", "画像を保存", "画像を保存します。", true},
        {"actClipbordSave", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存(&C)", "Ctrl+C", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存", "ｲﾒｰｼﾞをｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存します。",
         false},
        {"actWallCenter", "中央に表示(&C)", "", "中央に表示", "中央に表示します。", false},
        {"actWallStretch", "拡大して表示(&S)", "", "拡大して表示", "拡大して表示します。", false},
        {"actWallTile", "並べて表示(&T)", "", "並べて表示", "並べて表示します。", false},
        {"actFunction", "数式設定(&F)...", "Ctrl+F", "数式設定", "数式設定ﾀﾞｲｱﾛｸﾞを表示します。", true},
        {"actPalette", "ﾊﾟﾚｯﾄ(&P)...", "Ctrl+P", "ﾊﾟﾚｯﾄ", "MCFﾌｧｲﾙを読み込みます。", true},
        {"actPaletteEdit", "ﾊﾟﾚｯﾄの編集(&E)...", "Ctrl+E", "ﾊﾟﾚｯﾄの編集", "ﾊﾟﾚｯﾄの色を編集します。", false},
        {"actPaletteBrowser", "ﾊﾟﾚｯﾄ一覧(&L)", "", "ﾊﾟﾚｯﾄ一覧", "ﾊﾟﾚｯﾄの一覧を表示／非表示にします。", true},
        {"actRandom", "ランダム設定(&R)", "Ctrl+R", "ランダム設定", "座標指定をランダムに設定します。", true},
        {"actShadeOff", "ぼかす(&S)", "", "ぼかす", "画像をぼかします", true},
        {"actOption", "ｵﾌﾟｼｮﾝ(&O)...", "", "ｵﾌﾟｼｮﾝ", "Velquorの設定を行います。", false},
        {"mnuFileClose", "閉じる(&C)", "", "このｿﾌﾄを終了します。", "このｿﾌﾄを終了します。", false},
        {"actUndo", "元に戻す(&U)", "Ctrl+Z", "元に戻す", "ﾊﾟﾀｰﾝを一つ前の状態に戻します。", true},
        {"actRedo", "やり直し(&R)", "Ctrl+Y", "やり直し", "元に戻したﾊﾟﾀｰﾝの変更をやり直します。", true},
        {"mnuHelpAbout", "ﾊﾞｰｼﾞｮﾝ情報(&A)...", "", "このソフトのﾊﾞｰｼﾞｮﾝ情報を表示します。",
         "このソフトのﾊﾞｰｼﾞｮﾝ情報を表示します。", false},
    };
    TfrmMain& window = Create();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* action = window.findChild<QAction*>(QString::fromLatin1(c.name));
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), QString::fromUtf8(c.caption));
        EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromLatin1(c.shortcut)));
        EXPECT_EQ(action->toolTip(), QString::fromUtf8(c.toolTip));
        EXPECT_EQ(action->statusTip(), QString::fromUtf8(c.statusTip));
        EXPECT_EQ(!action->icon().isNull(), c.icon);
    }
    EXPECT_EQ(window.actWallTile->property("category").toString(), QStringLiteral("ファイル"));
    EXPECT_FALSE(window.actFunction->property("category").isValid());
    EXPECT_TRUE(window.actShadeOff->isCheckable());
    EXPECT_FALSE(window.actSave->isEnabled()); // until the first drawing has ended
    // Redo answers to both usual keys.
    EXPECT_EQ(window.actRedo->shortcuts(), (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Y")),
                                                                QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}));
    // Nothing to undo or redo before the first change.
    EXPECT_FALSE(window.actUndo->isEnabled());
    EXPECT_FALSE(window.actRedo->isEnabled());
}

TEST_F(MainLayoutTest, HintsGoToPanelOneAndLeavePanelZero)
{
    TfrmMain& window = CreateShown();
    auto* panel0 = window.findChild<QLabel*>(QStringLiteral("stbPanel0"));
    auto* panel1 = window.findChild<QLabel*>(QStringLiteral("stbPanel1"));
    EXPECT_EQ(panel0->width(), 120);

    // Resting on a tool bar button shows the long hint.
    QWidget* button = window.findChild<QToolBar*>(QStringLiteral("tlbMain"))->widgetForAction(window.actRandom);
    ASSERT_NE(button, nullptr);
    QStatusTipEvent tip(window.actRandom->statusTip());
    QCoreApplication::sendEvent(button, &tip);
    EXPECT_EQ(panel1->text(), QStringLiteral("座標指定をランダムに設定します。"));
    EXPECT_EQ(panel0->text(), QStringLiteral("標準"));
    EXPECT_TRUE(window.statusBar()->currentMessage().isEmpty());

    // A highlighted menu item does the same.
    auto* file = window.findChild<QMenu*>(QStringLiteral("mnuFile"));
    window.menuBar()->setActiveAction(file->menuAction());
    file->setActiveAction(window.mnuFileClose);
    EXPECT_EQ(panel1->text(), QStringLiteral("このｿﾌﾄを終了します。"));
    file->hide();
}

TEST_F(MainLayoutTest, ShadeOffAndRandomRedraw)
{
    TfrmMain& window = CreateShown();
    window.actShadeOff->trigger();
    EXPECT_TRUE(window.actShadeOff->isChecked());
    EXPECT_TRUE(window.Operations().ShadeOff());
    EXPECT_TRUE(window.Drawing());
    WaitUntilIdle();
    EXPECT_TRUE(window.Operations().Pattern().ShadeOff);

    window.actRandom->trigger();
    EXPECT_TRUE(window.Drawing());
    EXPECT_NEAR(static_cast<double>(window.Operations().Pattern().Incremental.X), 0.9000000000466, 1e-12);
    EXPECT_NEAR(static_cast<double>(window.Operations().Pattern().Incremental.Y), 0.9062759879, 1e-10);
    WaitUntilIdle();
}

TEST_F(MainLayoutTest, ClosingDuringALargeDrawingStopsTheWorkerAndSaves)
{
    TfrmMain& window = CreateShown();
    // Formula 5 under point move 2 takes about a second at this size, far
    // longer than the wait below.
    window.SelectFormula(1, "5");
    window.SelectPointMove(2, TPointMoveParam{0.25L, 0, 0, 0});
    window.SetImageSize(4000, 4000);
    window.StartDraw();
    // Let it draw a little (and make its progress copies) before closing.
    for (int i = 0; i < 50; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    ASSERT_FALSE(window.Operations().Pattern().Suspended());
    window.mnuViewToolbar->trigger();
    // The new pattern has changed; its question is answered 保存しない.
    dialogs_.saveQuestionAnswers.push_back(TSaveAnswer::Discard);
    EXPECT_TRUE(window.close());
    EXPECT_EQ(dialogs_.saveQuestions.size(), 1);
    EXPECT_TRUE(window.Operations().Pattern().Suspended());
    EXPECT_LT(window.Operations().Pattern().FinishedRows(), 4000);
    window_.reset();

    TVelquorRegistry stored;
    stored.SetStorageFile(SettingsFile());
    stored.Load();
    EXPECT_FALSE(stored.ToolBar);
}
