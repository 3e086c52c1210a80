// Every command of the main window, declared once with its caption, hint, icon and shortcut, and
// shared by the menus and the tool bar. Names are those of the menu items and tool buttons.
#pragma once

#include <QAction>
#include <QObject>

namespace vennart::gui {

struct MainActions {
    // "&File"
    QAction* miSave;
    QAction* miEncodings;
    QAction* miTranslitTable;
    QAction* miTagsToDisplay;
    QAction* Exit1;
    // "&Edit"
    QAction* miUndo;
    QAction* miRedo;
    // "&View"
    QAction* miSelectAll;
    // "&Actions"
    QAction* miTransliterID3v1;
    QAction* miTranslitID3v2;
    QAction* miTransliterateFilenames;
    QAction* miID3v1toID3v2;
    QAction* miID3v2toID3v1;
    QAction* miMakeTagsFromFilenames;
    QAction* miMakeFilenamesfromTags;
    QAction* miID3Version10;
    QAction* miID3Version11;
    QAction* miDetectEncoding;
    // "&Help"
    QAction* miAbout;
    // Tool buttons without a menu item of their own
    QAction* tbCopyTags;
    QAction* tbTranslitTags;
};

// Creates the actions as children of `owner`. Commands whose handlers are not bound yet start
// disabled; the window enables each one as it connects it.
MainActions CreateMainActions(QObject* owner);

} // namespace vennart::gui
