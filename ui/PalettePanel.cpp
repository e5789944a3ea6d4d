// The palette browser in the window: made, shown and hidden from the View
// menu and the tool bar, filled from the palette folders, and applying the
// palette the user moves to.
#include "ui/Main.h"

#include "document/PaletteCatalog.h"
#include "platform/AppPaths.h"
#include "settings/UVelquorRegistry.h"
#include "ui/PaletteBrowser.h"

#include <QAction>
#include <QListWidget>
#include <QStyle>

void TfrmMain::CreatePaletteBrowser()
{
    dckPalettes = new TPaletteBrowser(
        this, [this](const TPaletteEntry& entry) { ApplyBrowsedPalette(entry); },
        [this] { RefreshPaletteBrowser(); });
    dckPalettes->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    addDockWidget(Qt::RightDockWidgetArea, dckPalettes);
    dckPalettes->hide();
    // The window keeps the picture's size whatever the panel does.
    connect(dckPalettes, &QDockWidget::topLevelChanged, this, [this] { AdjustClientHeight(); });
    connect(dckPalettes, &QDockWidget::dockLocationChanged, this, [this] { AdjustClientHeight(); });
    // The panel's own close box hides it as the menu item does; a panel
    // only covered (the window minimised) is not hidden itself.
    connect(dckPalettes, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible || !dckPalettes->isHidden() || !registry_->PaletteBrowser) return;
        registry_->PaletteBrowser = false;
        actPaletteBrowser->setChecked(false);
        AdjustClientHeight();
    });
}

void TfrmMain::TogglePaletteBrowser() { SetPaletteBrowserVisible(!registry_->PaletteBrowser); }

void TfrmMain::SetPaletteBrowserVisible(bool show)
{
    registry_->PaletteBrowser = show;
    actPaletteBrowser->setChecked(show);
    if (show) RefreshPaletteBrowser();
    dckPalettes->setVisible(show);
    AdjustClientHeight();
    if (show) dckPalettes->lstPalettes->setFocus();
}

void TfrmMain::RefreshPaletteBrowser()
{
    dckPalettes->SetPalettes(
        ListPalettes(registry_->RecentPalettes, registry_->PaletteDirectory, DefaultPaletteFolder(programDir_)),
        ops_->PaletteFile());
}

void TfrmMain::ApplyBrowsedPalette(const TPaletteEntry& entry)
{
    RunCommand([this, &entry] {
        browsing_ = true;
        struct Reset {
            bool& flag;
            ~Reset() { flag = false; }
        } reset{browsing_};
        if (entry.path.empty()) ops_->UseBuiltInPaletteAndDraw();
        else ops_->LoadPaletteAndDraw(entry.path);
    });
}

int TfrmMain::SideDockWidth() const
{
    if (dckPalettes == nullptr || dckPalettes->isHidden() || dckPalettes->isFloating()) return 0;
    const Qt::DockWidgetArea area = dockWidgetArea(dckPalettes);
    if (area != Qt::LeftDockWidgetArea && area != Qt::RightDockWidgetArea) return 0;
    // The panel and the splitter handle Qt keeps between it and the picture.
    return dckPalettes->sizeHint().width() + style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, this);
}
