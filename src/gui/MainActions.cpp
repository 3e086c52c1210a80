#include "gui/MainActions.h"

#include <QIcon>
#include <QKeySequence>

namespace vennart::gui {
namespace {

QAction* MakeAction(QObject* owner, const QString& caption, const QString& hint = {},
    const QString& icon = {}, const QKeySequence& shortcut = {})
{
    auto* action = new QAction(caption, owner);
    action->setToolTip(hint.isEmpty() ? QString(caption).remove(QLatin1Char('&')) : hint);
    if (!icon.isEmpty())
        action->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(icon)));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    action->setEnabled(false);
    return action;
}

} // namespace

MainActions CreateMainActions(QObject* owner)
{
    MainActions a {};
    a.miSave = MakeAction(owner, QStringLiteral("Save changes"), QStringLiteral("Save changes"),
        QStringLiteral("save"), QKeySequence::Save);
    a.miEncodings = MakeAction(owner, QStringLiteral("Encoding settings"));
    a.miTranslitTable = MakeAction(owner, QStringLiteral("Translit Table"));
    a.miTagsToDisplay = MakeAction(owner, QStringLiteral("ID3v2 tags to edit"));
    a.Exit1 = MakeAction(owner, QStringLiteral("E&xit"), {}, {}, QKeySequence::Quit);

    a.miUndo = MakeAction(owner, QStringLiteral("Undo"), {}, {}, QKeySequence::Undo);
    a.miUndo->setIcon(
        QIcon::fromTheme(QStringLiteral("edit-undo"), QIcon(QStringLiteral(":/icons/undo.svg"))));
    a.miRedo = MakeAction(owner, QStringLiteral("Redo"));
    a.miRedo->setShortcuts(
        { QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y) });
    a.miRedo->setIcon(
        QIcon::fromTheme(QStringLiteral("edit-redo"), QIcon(QStringLiteral(":/icons/redo.svg"))));

    a.miSelectAll = MakeAction(owner, QStringLiteral("Select All"), QStringLiteral("Select All"),
        QStringLiteral("select-all"), QKeySequence::SelectAll);

    a.miTransliterID3v1 = MakeAction(owner, QStringLiteral("ID3v1"));
    a.miTranslitID3v2 = MakeAction(owner, QStringLiteral("ID3v2"));
    a.miTransliterateFilenames = MakeAction(owner, QStringLiteral("Transliterate Filenames"),
        QStringLiteral("Transliterate filenames"), QStringLiteral("translit-filenames"));
    a.miID3v1toID3v2 = MakeAction(owner, QStringLiteral("ID3v1 to ID3v2"));
    a.miID3v2toID3v1 = MakeAction(owner, QStringLiteral("ID3v2 to ID3v1"));
    a.miMakeTagsFromFilenames = MakeAction(owner, QStringLiteral("Make Tags from Filenames"),
        QStringLiteral("Make tags from filenames"), QStringLiteral("tags-from-filenames"));
    a.miMakeFilenamesfromTags = MakeAction(owner, QStringLiteral("Make Filenames from Tags"),
        QStringLiteral("Make Filenames from tags"), QStringLiteral("filenames-from-tags"));
    a.miID3Version10 = MakeAction(owner, QStringLiteral("ID3v1 1.0"));
    a.miID3Version11 = MakeAction(owner, QStringLiteral("ID3v1 1.1"));
    a.miDetectEncoding = MakeAction(owner, QStringLiteral("Detect Encoding…"),
        QStringLiteral("Find the code page of the selected files' 8-bit text"));

    a.miAbout = MakeAction(owner, QStringLiteral("&About"));

    a.tbCopyTags = MakeAction(owner, QStringLiteral("Copy Tags"), QStringLiteral("Copy ID3v1 to ID3v2"),
        QStringLiteral("copy-tags"));
    a.tbTranslitTags = MakeAction(owner, QStringLiteral("Transliterate Tags"),
        QStringLiteral("Transliterate Tags"), QStringLiteral("translit-tags"));
    return a;
}

} // namespace vennart::gui
