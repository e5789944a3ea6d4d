// The palette browser: a dockable panel listing palettes by name with a
// strip of their colours. It only shows the list it is given and reports the
// palette the user moves to; what the list holds and what choosing does
// belong to the window (document/PaletteCatalog.h).
#pragma once

#include "document/PaletteCatalog.h"

#include <QDockWidget>

#include <functional>
#include <vector>

class QListWidget;
class QListWidgetItem;
class QPushButton;

class TPaletteBrowser : public QDockWidget {
    Q_OBJECT
public:
    // chosen runs for a click on a palette and for each row the up and down
    // keys step to; refresh for the panel's 更新 button.
    TPaletteBrowser(QWidget* parent, std::function<void(const TPaletteEntry&)> chosen,
                    std::function<void()> refresh);

    // Shows list; the row of currentPath (empty: the built-in palette) is
    // marked current without being chosen again.
    void SetPalettes(std::vector<TPaletteEntry> list, const std::string& currentPath);
    // Marks the row of the palette in use without choosing it.
    void MarkCurrent(const std::string& path);
    const std::vector<TPaletteEntry>& Palettes() const { return list_; }

    QListWidget* lstPalettes;
    QPushButton* bbnRefresh;

private:
    void RowChanged(int row);
    int RowOf(const std::string& path) const;

    std::function<void(const TPaletteEntry&)> chosen_;
    std::vector<TPaletteEntry> list_;
    // Row of each list entry; group headings are rows of their own.
    std::vector<int> rows_;
    std::string currentPath_;
    // The row a change of the current row has just chosen; the click that
    // made the change must not choose it a second time.
    int chosenRow_ = -1;
    bool marking_ = false;
};
