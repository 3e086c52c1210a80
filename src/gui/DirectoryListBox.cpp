#include "gui/DirectoryListBox.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QStyle>

namespace vennart::gui {
namespace {

constexpr int kPathRole = Qt::UserRole;

QStringList Ancestors(const QString& folder)
{
    QStringList chain;
    QDir dir(folder);
    chain.prepend(dir.absolutePath());
    while (dir.cdUp())
        chain.prepend(dir.absolutePath());
    return chain;
}

QStringList SubFolders(const QString& folder)
{
    QStringList names = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    std::sort(names.begin(), names.end(), collator);
    return names;
}

QTreeWidgetItem* MakeItem(const QString& name, const QString& path, const QIcon& icon)
{
    auto* item = new QTreeWidgetItem(QStringList { name });
    item->setIcon(0, icon);
    item->setData(0, kPathRole, path);
    item->setToolTip(0, path);
    return item;
}

} // namespace

DirectoryListBox::DirectoryListBox(QWidget* parent)
    : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("TntDirectoryListBox"));
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setIndentation(10);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    connect(this, &QTreeWidget::itemActivated, this,
        [this](QTreeWidgetItem* item) { SetDirectory(item->data(0, kPathRole).toString()); });
    directory_ = QDir::currentPath();
    Fill();
}

void DirectoryListBox::SetDirectory(const QString& folder)
{
    const QString target = QDir(folder).absolutePath();
    if (target == directory_ || !QFileInfo(target).isDir())
        return;
    directory_ = target;
    Fill();
    emit directoryChanged();
}

void DirectoryListBox::Fill()
{
    clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    QTreeWidgetItem* parent = nullptr;
    for (const QString& path : Ancestors(directory_)) {
        const QString name = parent == nullptr ? path : QFileInfo(path).fileName();
        QTreeWidgetItem* item = MakeItem(name, path, openIcon);
        if (parent == nullptr)
            addTopLevelItem(item);
        else
            parent->addChild(item);
        parent = item;
    }
    for (const QString& name : SubFolders(directory_))
        parent->addChild(MakeItem(name, QDir(directory_).filePath(name), closedIcon));
    expandAll();
    setCurrentItem(parent);
    scrollToItem(parent, QAbstractItemView::PositionAtTop);
}

} // namespace vennart::gui
