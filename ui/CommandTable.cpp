// Every command of the main window in one table, and the three loops that
// turn it into actions, the menu bar and the tool bar.
#include "ui/CommandTable.h"

#include "ui/Main.h"
#include "ui/StatusPanels.h"
#include "ui/UiLook.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <algorithm>
#include <iterator>
#include <map>
#include <string>

namespace {

const TMenuRow kMenus[] = {
    {"mnuFile", QT_TRANSLATE_NOOP("TfrmMain", "ﾌｧｲﾙ(&F)")},
    {"mnuFileSetWallPaper", QT_TRANSLATE_NOOP("TfrmMain", "背景に設定(&B)"), "mnuFile", true},
    {"mnuEdit", QT_TRANSLATE_NOOP("TfrmMain", "編集(&E)")},
    {"mnuOption", QT_TRANSLATE_NOOP("TfrmMain", "描画設定(&O)")},
    {"mnuView", QT_TRANSLATE_NOOP("TfrmMain", "表示(&V)")},
    {"mnuViewScale", QT_TRANSLATE_NOOP("TfrmMain", "表示倍率(&Z)"), "mnuView", true},
    {"mnuHelp", QT_TRANSLATE_NOOP("TfrmMain", "ﾍﾙﾌﾟ(&H)")},
};

const char* const kFile = "ファイル";

using T = TfrmMain;
using enum TToolPlace;

} // namespace

// Rows in menu order; the tool bar keeps that order too.
std::span<const TCommandRow> TfrmMain::CommandRows()
{
    static const TCommandRow rows[] = {
        // name, caption, shortcut, image, hint, category,
        // {menu, item, separator before}, tool bar, checkable, enabled at start, member, handler
        {"actNew",
         QT_TR_NOOP("新規(&N)"),
         "Ctrl+N",
         "",
         QT_TR_NOOP("新規|起動時のﾊﾟﾀｰﾝから新しく始めます。"),
         kFile,
         {"mnuFile", "mnuFileNew"},
         None,
         false,
         true,
         &T::actNew,
         &T::NewDocument},
        {"actOpen",
         QT_TR_NOOP("開く(&O)..."),
         "Ctrl+O",
         "open.png",
         QT_TR_NOOP("開く|VQPﾌｧｲﾙを開きます。"),
         kFile,
         {"mnuFile", "mnuFileOpen"},
         Button,
         false,
         true,
         &T::actOpen,
         &T::OpenDocument},
        {"actSave",
         QT_TR_NOOP("上書き保存(&S)"),
         "Ctrl+S",
         "save.png",
         QT_TR_NOOP("上書き保存|VQPﾌｧｲﾙに上書き保存します。"),
         kFile,
         {"mnuFile", "mnuFileSave"},
         Button,
         false,
         false,
         &T::actSave,
         &T::SaveDocument},
        {"actSaveAs",
         QT_TR_NOOP("名前を付けて保存(&A)..."),
         "Ctrl+Shift+S",
         "",
         QT_TR_NOOP("名前を付けて保存|VQPﾌｧｲﾙに名前を付けて保存します。"),
         kFile,
         {"mnuFile", "mnuFileSaveAs"},
         None,
         false,
         false,
         &T::actSaveAs,
         &T::SaveDocumentAs},
        {"actImgSave",
         QT_TR_NOOP("画像を保存(&G)..."),
         "",
         "imgsave.png",
         QT_TR_NOOP("画像を保存|画像を保存します。"),
         kFile,
         {"mnuFile", "mnuFileImgSave", true},
         Button,
         false,
         true,
         &T::actImgSave,
         &T::SaveImage},
        {"actImgExport",
         QT_TR_NOOP("画像を書き出す(&E)..."),
         "",
         "",
         QT_TR_NOOP("画像を書き出す|大きさ、倍率、アンチエイリアスを選んで画像を書き出します。"),
         kFile,
         {"mnuFile", "mnuFileImgExport"},
         None,
         false,
         true,
         &T::actImgExport,
         &T::ExportImage},
        {"actClipbordSave",
         QT_TR_NOOP("ｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存(&C)"),
         "Ctrl+C",
         "",
         QT_TR_NOOP("ｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存|ｲﾒｰｼﾞをｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存します。"),
         kFile,
         {"mnuFile", "mnuFileClipboard"},
         None,
         false,
         true,
         &T::actClipbordSave,
         &T::CopyToClipboard},
        {"actWallCenter",
         QT_TR_NOOP("中央に表示(&C)"),
         "",
         "",
         QT_TR_NOOP("中央に表示|中央に表示します。"),
         kFile,
         {"mnuFileSetWallPaper", "mnuFileSetWallPaperCenter"},
         None,
         false,
         true,
         &T::actWallCenter,
         &T::WallPaperCenter},
        {"actWallStretch",
         QT_TR_NOOP("拡大して表示(&S)"),
         "",
         "",
         QT_TR_NOOP("拡大して表示|拡大して表示します。"),
         kFile,
         {"mnuFileSetWallPaper", "mnuFileSetWallPaperStretch"},
         None,
         false,
         true,
         &T::actWallStretch,
         &T::WallPaperStretch},
        {"actWallTile",
         QT_TR_NOOP("並べて表示(&T)"),
         "",
         "",
         QT_TR_NOOP("並べて表示|並べて表示します。"),
         kFile,
         {"mnuFileSetWallPaper", "mnuFileSetWallPaperTile"},
         None,
         false,
         true,
         &T::actWallTile,
         &T::WallPaperTile},
        {"mnuFileClose",
         QT_TR_NOOP("閉じる(&C)"),
         "",
         "",
         QT_TR_NOOP("このｿﾌﾄを終了します。"),
         nullptr,
         {"mnuFile", "mnuFileClose", true},
         None,
         false,
         true,
         &T::mnuFileClose,
         &T::CloseProgram},

        {"actUndo",
         QT_TR_NOOP("元に戻す(&U)"),
         "Ctrl+Z",
         "undo.png",
         QT_TR_NOOP("元に戻す|ﾊﾟﾀｰﾝを一つ前の状態に戻します。"),
         nullptr,
         {"mnuEdit", "mnuEditUndo"},
         ButtonAfterSeparator,
         false,
         false,
         &T::actUndo,
         &T::Undo},
        {"actRedo",
         QT_TR_NOOP("やり直し(&R)"),
         "Ctrl+Y; Ctrl+Shift+Z",
         "redo.png",
         QT_TR_NOOP("やり直し|元に戻したﾊﾟﾀｰﾝの変更をやり直します。"),
         nullptr,
         {"mnuEdit", "mnuEditRedo"},
         Button,
         false,
         false,
         &T::actRedo,
         &T::Redo},

        {"actFunction",
         QT_TR_NOOP("数式設定(&F)..."),
         "Ctrl+F",
         "function.png",
         QT_TR_NOOP("数式設定|数式設定ﾀﾞｲｱﾛｸﾞを表示します。"),
         nullptr,
         {"mnuOption", "mnuOptionFormula"},
         ButtonAfterSeparator,
         false,
         true,
         &T::actFunction,
         &T::ShowFormulaDialog},
        {"actPalette",
         QT_TR_NOOP("ﾊﾟﾚｯﾄ(&P)..."),
         "Ctrl+P",
         "palette.png",
         QT_TR_NOOP("ﾊﾟﾚｯﾄ|MCFﾌｧｲﾙを読み込みます。"),
         nullptr,
         {"mnuOption", "mnuOptionPalette"},
         Button,
         false,
         true,
         &T::actPalette,
         &T::ChoosePalette},
        {"actPaletteEdit",
         QT_TR_NOOP("ﾊﾟﾚｯﾄの編集(&E)..."),
         "Ctrl+E",
         "",
         QT_TR_NOOP("ﾊﾟﾚｯﾄの編集|ﾊﾟﾚｯﾄの色を編集します。"),
         nullptr,
         {"mnuOption", "mnuOptionPaletteEdit"},
         None,
         false,
         true,
         &T::actPaletteEdit,
         &T::EditPalette},
        {"actRandom",
         QT_TR_NOOP("ランダム設定(&R)"),
         "Ctrl+R",
         "random.png",
         QT_TR_NOOP("ランダム設定|座標指定をランダムに設定します。"),
         nullptr,
         {"mnuOption", "mnuOptionRandom", true},
         ButtonAfterSeparator,
         false,
         true,
         &T::actRandom,
         &T::RandomArea},
        {"actShadeOff",
         QT_TR_NOOP("ぼかす(&S)"),
         "",
         "shadeoff.png",
         QT_TR_NOOP("ぼかす|画像をぼかします"),
         nullptr,
         {"mnuOption", "mnuOptionShadeOff", true},
         ButtonAfterSeparator,
         true,
         true,
         &T::actShadeOff,
         &T::ToggleShadeOff},
        {"actCycleColors",
         QT_TR_NOOP("色を回す(&Y)"),
         "",
         "cycle.png",
         QT_TR_NOOP("色を回す|ﾊﾟﾚｯﾄの色を回して画像を動かします。"),
         nullptr,
         {"mnuOption", "mnuOptionCycle"},
         Button,
         true,
         true,
         &T::actCycleColors,
         &T::ToggleColorCycle},
        {"actPaletteForward",
         QT_TR_NOOP("色を進める(&N)"),
         "]",
         "",
         QT_TR_NOOP("色を進める|ﾊﾟﾚｯﾄの色を1つ進めます。"),
         nullptr,
         {"mnuOption", "mnuOptionPaletteForward"},
         None,
         false,
         true,
         &T::actPaletteForward,
         &T::PaletteForward},
        {"actPaletteBack",
         QT_TR_NOOP("色を戻す(&K)"),
         "[",
         "",
         QT_TR_NOOP("色を戻す|ﾊﾟﾚｯﾄの色を1つ戻します。"),
         nullptr,
         {"mnuOption", "mnuOptionPaletteBack"},
         None,
         false,
         true,
         &T::actPaletteBack,
         &T::PaletteBack},
        {"actOption",
         QT_TR_NOOP("ｵﾌﾟｼｮﾝ(&O)..."),
         "",
         "",
         QT_TR_NOOP("ｵﾌﾟｼｮﾝ|Velquorの設定を行います。"),
         nullptr,
         {"mnuOption", "mnuOptionOption", true},
         None,
         false,
         true,
         &T::actOption,
         &T::EditOptions},

        {"mnuViewToolbar",
         QT_TR_NOOP("ﾂｰﾙﾊﾞｰ(&T)"),
         "",
         "",
         QT_TR_NOOP("ﾂｰﾙﾊﾞｰの表示／非表示を切り替えます。"),
         nullptr,
         {"mnuView", "mnuViewToolbar"},
         None,
         true,
         true,
         &T::mnuViewToolbar,
         &T::ToggleToolBar},
        {"mnuViewStatusbar",
         QT_TR_NOOP("ｽﾃｰﾀｽﾊﾞｰ(&S)"),
         "",
         "",
         QT_TR_NOOP("ｽﾃｰﾀｽﾊﾞｰの表示／非表示を切り替えます。"),
         nullptr,
         {"mnuView", "mnuViewStatusbar"},
         None,
         true,
         true,
         &T::mnuViewStatusbar,
         &T::ToggleStatusBar},
        {"actPaletteBrowser",
         QT_TR_NOOP("ﾊﾟﾚｯﾄ一覧(&L)"),
         "",
         "browser.png",
         QT_TR_NOOP("ﾊﾟﾚｯﾄ一覧|ﾊﾟﾚｯﾄの一覧を表示／非表示にします。"),
         nullptr,
         {"mnuView", "mnuViewPaletteBrowser"},
         ButtonAfterSeparator,
         true,
         true,
         &T::actPaletteBrowser,
         &T::TogglePaletteBrowser},
        {"actViewFit",
         QT_TR_NOOP("ウィンドウに合わせる(&W)"),
         "Ctrl+0",
         "",
         QT_TR_NOOP("ウィンドウに合わせる|画像全体がウィンドウに収まるように縮小して表示します。"),
         nullptr,
         {"mnuViewScale", "mnuViewScaleFit"},
         None,
         false,
         true,
         &T::actViewFit,
         &T::ViewFit},
        {"actViewActual",
         QT_TR_NOOP("等倍(&1)"),
         "Ctrl+1",
         "",
         QT_TR_NOOP("等倍|画像を1:1で表示します。"),
         nullptr,
         {"mnuViewScale", "mnuViewScaleActual"},
         None,
         false,
         true,
         &T::actViewActual,
         &T::ViewActualSize},
        {"actViewZoomIn",
         QT_TR_NOOP("拡大(&I)"),
         "Ctrl++; Ctrl+=",
         "",
         QT_TR_NOOP("拡大|表示倍率を2倍にします。"),
         nullptr,
         {"mnuViewScale", "mnuViewScaleIn", true},
         None,
         false,
         true,
         &T::actViewZoomIn,
         &T::ViewZoomIn},
        {"actViewZoomOut",
         QT_TR_NOOP("縮小(&O)"),
         "Ctrl+-",
         "",
         QT_TR_NOOP("縮小|表示倍率を1/2にします。"),
         nullptr,
         {"mnuViewScale", "mnuViewScaleOut"},
         None,
         false,
         true,
         &T::actViewZoomOut,
         &T::ViewZoomOut},
        {"actFollowWindow",
         QT_TR_NOOP("画像サイズをウィンドウに合わせる(&F)"),
         "",
         "",
         QT_TR_NOOP("画像サイズをウィンドウに合わせる|ウィンドウの大きさに合わせて画像を描き直します。"),
         nullptr,
         {"mnuView", "mnuViewFollowWindow"},
         None,
         true,
         true,
         &T::actFollowWindow,
         &T::ToggleFollowWindow},
        {"actResetArea",
         QT_TR_NOOP("表示範囲を戻す(&H)"),
         "Ctrl+Home",
         "",
         QT_TR_NOOP("表示範囲を戻す|中心と増分を起動時の値に戻します。"),
         nullptr,
         {"mnuView", "mnuViewResetArea", true},
         None,
         false,
         true,
         &T::actResetArea,
         &T::ResetArea},

        {"mnuHelpHelp",
         QT_TR_NOOP("ﾍﾙﾌﾟ(&H)"),
         "",
         "",
         QT_TR_NOOP("ヘルプを開きます。"),
         nullptr,
         {"mnuHelp", "mnuHelpHelp"},
         None,
         false,
         true,
         &T::mnuHelpHelp,
         &T::OpenHelp},
        {"mnuHelpAbout",
         QT_TR_NOOP("ﾊﾞｰｼﾞｮﾝ情報(&A)..."),
         "",
         "",
         QT_TR_NOOP("このソフトのﾊﾞｰｼﾞｮﾝ情報を表示します。"),
         nullptr,
         {"mnuHelp", "mnuHelpAbout"},
         None,
         false,
         true,
         &T::mnuHelpAbout,
         &T::ShowAbout},
    };
    return rows;
}

void TfrmMain::CreateActions()
{
    for (const TCommandRow& row : CommandRows()) {
        auto* action = new QAction(tr(row.caption), this);
        action->setObjectName(QString::fromLatin1(row.name));
        SetHint(*action, tr(row.hint));
        if (*row.shortcut != '\0')
            action->setShortcuts(QKeySequence::listFromString(QString::fromLatin1(row.shortcut)));
        if (*row.image != '\0') action->setIcon(Icon(QString::fromLatin1(row.image)));
        if (row.category != nullptr) action->setProperty("category", QString::fromUtf8(row.category));
        action->setCheckable(row.checkable);
        action->setEnabled(row.enabledAtStart);
        // A checkable action has toggled its check mark before this runs.
        connect(action, &QAction::triggered, this,
                [this, execute = row.execute] { RunCommand([&] { (this->*execute)(); }); });
        this->*row.action = action;
    }
}

void TfrmMain::CreateMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    std::map<std::string, QMenu*> made;
    // A menu is made when its first item comes, so it stands at that place;
    // a submenu's parent has had items before it.
    const auto menuNamed = [&](const std::string& name) {
        QMenu*& menu = made[name];
        if (menu != nullptr) return menu;
        const TMenuRow& row = *std::find_if(std::begin(kMenus), std::end(kMenus),
                                            [&](const TMenuRow& candidate) { return name == candidate.name; });
        if (row.parent == nullptr) {
            menu = bar->addMenu(tr(row.caption));
        } else {
            QMenu* parent = made.at(row.parent);
            if (row.separatorBefore) parent->addSeparator();
            menu = parent->addMenu(tr(row.caption));
        }
        menu->setObjectName(QString::fromLatin1(row.name));
        return menu;
    };
    for (const TCommandRow& row : CommandRows()) {
        QMenu* menu = menuNamed(row.menu.menu);
        if (row.menu.separatorBefore) menu->addSeparator();
        QAction* action = this->*row.action;
        action->setProperty("menuItem", QString::fromLatin1(row.menu.item));
        menu->addAction(action);
    }
}

void TfrmMain::CreateRecentMenu()
{
    // Filled from the list, so it has no rows of the table: it stands just
    // before 閉じる, apart by lines.
    QMenu* file = findChild<QMenu*>(QStringLiteral("mnuFile"));
    recentMenu_ = new QMenu(tr("最近使ったﾌｧｲﾙ(&R)"), file);
    recentMenu_->setObjectName(QStringLiteral("mnuFileRecent"));
    file->insertMenu(mnuFileClose, recentMenu_);
    file->insertSeparator(mnuFileClose);
}

void TfrmMain::CreateToolBar()
{
    tlbMain = new QToolBar(this);
    tlbMain->setObjectName(QStringLiteral("tlbMain"));
    tlbMain->setMovable(false);
    tlbMain->setFloatable(false);
    tlbMain->setIconSize(QSize(16, 16));
    tlbMain->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // The bars are switched from the View menu only.
    tlbMain->setContextMenuPolicy(Qt::PreventContextMenu);
    tlbMain->setContentsMargins(5, 0, 0, 0);
    for (const TCommandRow& row : CommandRows()) {
        if (row.tool == TToolPlace::ButtonAfterSeparator) tlbMain->addSeparator();
        if (row.tool != TToolPlace::None) tlbMain->addAction(this->*row.action);
    }
    addToolBar(Qt::TopToolBarArea, tlbMain);
    // A fixed height keeps the client area arithmetic exact.
    tlbMain->setFixedHeight(tlbMain->sizeHint().height());
}
