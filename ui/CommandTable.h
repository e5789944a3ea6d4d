// The main window's commands as data: one row a command, from which the
// window builds its actions, its menu bar and its tool bar. To add or move a
// command, edit its row in CommandTable.cpp; the handler it names lives in the
// file of its menu (FileMenu.cpp, EditMenu.cpp, OptionMenu.cpp, ViewMenu.cpp,
// HelpMenu.cpp).
#pragma once

class QAction;
class TfrmMain;

// A menu of the menu bar, or a submenu when parent names another menu. Menus
// appear where their first command stands.
struct TMenuRow {
    const char* name;
    const char* caption;
    const char* parent = nullptr;
    bool separatorBefore = false;
};

// Where a command stands in its menu. The item name is kept on the action
// (property "menuItem"), since in Qt the menu item is the action itself.
struct TMenuPlace {
    const char* menu;
    const char* item;
    bool separatorBefore = false;
};

enum class TToolPlace { None, Button, ButtonAfterSeparator };

struct TCommandRow {
    const char* name;
    const char* caption;
    const char* shortcut; // "" for none; several apart by "; ", the first shown in the menu
    const char* image;    // file of ui/icons, "" for none
    // "short|long": the tool tip and the status bar's text (see SetHint).
    const char* hint;
    const char* category; // nullptr for none
    TMenuPlace menu;
    TToolPlace tool;
    bool checkable;
    bool enabledAtStart;
    // The window's member that keeps the action, and what triggering it runs.
    QAction* TfrmMain::*action;
    void (TfrmMain::*execute)();
};
