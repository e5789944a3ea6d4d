// The main window's commands as actions, and the menu bar, tool bar and
// status bar that show them.
#include "ui/Main.h"

#include "ui/UiLook.h"
#include "ui/UiText.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolBar>

namespace {

const QString kFileCategory = QStringLiteral("ファイル");

// Menu items bound to an action are that action in Qt; the item's own name
// is kept on it so the menu can still be read item by item.
void AddItem(QMenu* menu, QAction* action, const char* itemName)
{
    action->setProperty("menuItem", QString::fromLatin1(itemName));
    menu->addAction(action);
}

QMenu* NewMenu(QMenuBar* bar, const char* name, const QString& caption)
{
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

}  // namespace

QAction* TfrmMain::NewAction(const char* name, const QString& caption, const QString& hint)
{
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(name));
    const auto [shortHint, longHint] = SplitHint(hint.toStdString());
    action->setToolTip(QString::fromStdString(shortHint));
    action->setStatusTip(QString::fromStdString(longHint));
    action->setProperty("hint", hint);
    return action;
}

void TfrmMain::CreateActions()
{
    actOpen = NewAction("actOpen", QStringLiteral("開く(&O)..."), QStringLiteral("開く|VQPﾌｧｲﾙを開きます。"));
    actOpen->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    actOpen->setIcon(Icon(QStringLiteral("open.png")));
    actSave = NewAction("actSave", QStringLiteral("保存(&S)..."), QStringLiteral("保存|VQPﾌｧｲﾙを保存します。"));
    actSave->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    actSave->setIcon(Icon(QStringLiteral("save.png")));
    actSave->setEnabled(false);
    actImgSave = NewAction("actImgSave", QStringLiteral("画像を保存(&G)..."), QStringLiteral("画像を保存|画像を保存します。"));
    actImgSave->setIcon(Icon(QStringLiteral("imgsave.png")));
    actClipbordSave = NewAction("actClipbordSave", QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存(&C)"),
                                QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存|ｲﾒｰｼﾞをｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存します。"));
    actClipbordSave->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    actWallCenter = NewAction("actWallCenter", QStringLiteral("中央に表示(&C)"), QStringLiteral("中央に表示|中央に表示します。"));
    actWallStretch = NewAction("actWallStretch", QStringLiteral("拡大して表示(&S)"), QStringLiteral("拡大して表示|拡大して表示します。"));
    actWallTile = NewAction("actWallTile", QStringLiteral("並べて表示(&T)"), QStringLiteral("並べて表示|並べて表示します。"));
    for (QAction* action : {actOpen, actSave, actImgSave, actClipbordSave, actWallCenter, actWallStretch, actWallTile})
        action->setProperty("category", kFileCategory);

    actFunction = NewAction("actFunction", QStringLiteral("数式設定(&F)..."), QStringLiteral("数式設定|数式設定ﾀﾞｲｱﾛｸﾞを表示します。"));
    actFunction->setShortcut(QKeySequence(QStringLiteral("Ctrl+F")));
    actFunction->setIcon(Icon(QStringLiteral("function.png")));
    actPalette = NewAction("actPalette", QStringLiteral("ﾊﾟﾚｯﾄ(&P)..."), QStringLiteral("ﾊﾟﾚｯﾄ|MCFﾌｧｲﾙを読み込みます。"));
    actPalette->setShortcut(QKeySequence(QStringLiteral("Ctrl+P")));
    actPalette->setIcon(Icon(QStringLiteral("palette.png")));
    actRandom = NewAction("actRandom", QStringLiteral("ランダム設定(&R)"), QStringLiteral("ランダム設定|座標指定をランダムに設定します。"));
    actRandom->setShortcut(QKeySequence(QStringLiteral("Ctrl+R")));
    actRandom->setIcon(Icon(QStringLiteral("random.png")));
    actShadeOff = NewAction("actShadeOff", QStringLiteral("ぼかす(&S)"), QStringLiteral("ぼかす|画像をぼかします"));
    actShadeOff->setCheckable(true);
    actShadeOff->setIcon(Icon(QStringLiteral("shadeoff.png")));
    actOption = NewAction("actOption", QStringLiteral("ｵﾌﾟｼｮﾝ(&O)..."), QStringLiteral("ｵﾌﾟｼｮﾝ|Velquorの設定を行います。"));

    mnuFileClose = NewAction("mnuFileClose", QStringLiteral("閉じる(&C)"), QStringLiteral("このｿﾌﾄを終了します。"));
    mnuViewToolbar = NewAction("mnuViewToolbar", QStringLiteral("ﾂｰﾙﾊﾞｰ(&T)"), QStringLiteral("ﾂｰﾙﾊﾞｰの表示／非表示を切り替えます。"));
    mnuViewToolbar->setCheckable(true);
    mnuViewStatusbar = NewAction("mnuViewStatusbar", QStringLiteral("ｽﾃｰﾀｽﾊﾞｰ(&S)"), QStringLiteral("ｽﾃｰﾀｽﾊﾞｰの表示／非表示を切り替えます。"));
    mnuViewStatusbar->setCheckable(true);
    mnuHelpHelp = NewAction("mnuHelpHelp", QStringLiteral("ﾍﾙﾌﾟ(&H)"), QStringLiteral("ヘルプを開きます。"));
    mnuHelpAbout = NewAction("mnuHelpAbout", QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)..."), QStringLiteral("このソフトのﾊﾞｰｼﾞｮﾝ情報を表示します。"));

    connect(actOpen, &QAction::triggered, this, &TfrmMain::actOpenExecute);
    connect(actSave, &QAction::triggered, this, &TfrmMain::actSaveExecute);
    connect(actImgSave, &QAction::triggered, this, &TfrmMain::actImgSaveExecute);
    connect(actClipbordSave, &QAction::triggered, this, &TfrmMain::actClipbordSaveExecute);
    connect(actWallCenter, &QAction::triggered, this, &TfrmMain::actWallCenterExecute);
    connect(actWallStretch, &QAction::triggered, this, &TfrmMain::actWallStretchExecute);
    connect(actWallTile, &QAction::triggered, this, &TfrmMain::actWallTileExecute);
    connect(actFunction, &QAction::triggered, this, &TfrmMain::actFunctionExecute);
    connect(actPalette, &QAction::triggered, this, &TfrmMain::actPaletteExecute);
    connect(actRandom, &QAction::triggered, this, &TfrmMain::actRandomExecute);
    connect(actShadeOff, &QAction::triggered, this, &TfrmMain::actShadeOffExecute);
    connect(actOption, &QAction::triggered, this, &TfrmMain::actOptionExecute);
    connect(mnuFileClose, &QAction::triggered, this, &TfrmMain::mnuFileCloseClick);
    connect(mnuViewToolbar, &QAction::triggered, this, &TfrmMain::mnuViewToolbarClick);
    connect(mnuViewStatusbar, &QAction::triggered, this, &TfrmMain::mnuViewStatusbarClick);
    connect(mnuHelpHelp, &QAction::triggered, this, &TfrmMain::mnuHelpHelpClick);
    connect(mnuHelpAbout, &QAction::triggered, this, &TfrmMain::mnuHelpAboutClick);
}

void TfrmMain::CreateMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu* file = NewMenu(bar, "mnuFile", QStringLiteral("ﾌｧｲﾙ(&F)"));
    AddItem(file, actOpen, "mnuFileOpen");
    AddItem(file, actSave, "mnuFileSave");
    file->addSeparator();
    AddItem(file, actImgSave, "mnuFileImgSave");
    AddItem(file, actClipbordSave, "mnuFileClipboard");
    file->addSeparator();
    QMenu* wallpaper = file->addMenu(QStringLiteral("背景に設定(&B)"));
    wallpaper->setObjectName(QStringLiteral("mnuFileSetWallPaper"));
    AddItem(wallpaper, actWallCenter, "mnuFileSetWallPaperCenter");
    AddItem(wallpaper, actWallStretch, "mnuFileSetWallPaperStretch");
    AddItem(wallpaper, actWallTile, "mnuFileSetWallPaperTile");
    file->addSeparator();
    AddItem(file, mnuFileClose, "mnuFileClose");

    QMenu* option = NewMenu(bar, "mnuOption", QStringLiteral("描画設定(&O)"));
    AddItem(option, actFunction, "mnuOptionFormula");
    AddItem(option, actPalette, "mnuOptionPalette");
    option->addSeparator();
    AddItem(option, actRandom, "mnuOptionRandom");
    option->addSeparator();
    AddItem(option, actShadeOff, "mnuOptionShadeOff");
    option->addSeparator();
    AddItem(option, actOption, "mnuOptionOption");

    QMenu* view = NewMenu(bar, "mnuView", QStringLiteral("表示(&V)"));
    AddItem(view, mnuViewToolbar, "mnuViewToolbar");
    AddItem(view, mnuViewStatusbar, "mnuViewStatusbar");

    QMenu* help = NewMenu(bar, "mnuHelp", QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    AddItem(help, mnuHelpHelp, "mnuHelpHelp");
    AddItem(help, mnuHelpAbout, "mnuHelpAbout");
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
    tlbMain->addAction(actOpen);
    tlbMain->addAction(actSave);
    tlbMain->addAction(actImgSave);
    tlbMain->addSeparator();
    tlbMain->addAction(actFunction);
    tlbMain->addAction(actPalette);
    tlbMain->addSeparator();
    tlbMain->addAction(actRandom);
    tlbMain->addSeparator();
    tlbMain->addAction(actShadeOff);
    addToolBar(Qt::TopToolBarArea, tlbMain);
    // A fixed height keeps the client area arithmetic exact.
    tlbMain->setFixedHeight(tlbMain->sizeHint().height());
}

void TfrmMain::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("stbStatus"));
    bar->setSizeGripEnabled(false);

    stbPanel0 = new QLabel(bar);
    stbPanel0->setObjectName(QStringLiteral("stbPanel0"));
    stbPanel0->setFixedWidth(120);
    stbPanel0->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    stbPanel1 = new QLabel(bar);
    stbPanel1->setObjectName(QStringLiteral("stbPanel1"));
    stbPanel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    stbPanel1->setMinimumWidth(50);
    bar->addWidget(stbPanel0);
    bar->addWidget(stbPanel1, 1);

    // Progress of a running drawing, beside the panels; hidden while idle.
    prgDraw = new QProgressBar(bar);
    prgDraw->setObjectName(QStringLiteral("prgDraw"));
    prgDraw->setRange(0, 100);
    prgDraw->setMaximumWidth(100);
    prgDraw->setMaximumHeight(stbPanel1->sizeHint().height());
    prgDraw->hide();
    bar->addPermanentWidget(prgDraw);

    bar->setFixedHeight(bar->sizeHint().height());
}
