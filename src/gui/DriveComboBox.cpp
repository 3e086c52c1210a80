#include "gui/DriveComboBox.h"

#include <QSignalBlocker>
#include <QStorageInfo>

namespace vennart::gui {
namespace {

// Real file systems only: no pseudo file systems, nothing that is not ready.
bool IsRealVolume(const QStorageInfo& volume)
{
    static const QList<QByteArray> pseudo = { "proc", "sysfs", "devtmpfs", "devpts", "cgroup", "cgroup2",
        "securityfs", "pstore", "bpf", "tracefs", "debugfs", "mqueue", "hugetlbfs", "configfs", "fusectl",
        "autofs", "binfmt_misc", "nsfs", "overlay", "squashfs" };
    return volume.isValid() && volume.isReady() && !pseudo.contains(volume.fileSystemType());
}

} // namespace

DriveComboBox::DriveComboBox(QWidget* parent)
    : QComboBox(parent)
{
    setObjectName(QStringLiteral("DriveComboBox"));
    FillDrives();
    connect(this, &QComboBox::activated, this, &DriveComboBox::driveChanged);
}

void DriveComboBox::FillDrives()
{
    QStringList roots { QStringLiteral("/") };
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (IsRealVolume(volume) && !roots.contains(volume.rootPath()))
            roots.append(volume.rootPath());
    }
    std::sort(roots.begin() + 1, roots.end());
    const QSignalBlocker blocker(this);
    clear();
    addItems(roots);
}

void DriveComboBox::ShowDriveOf(const QString& folder)
{
    FillDrives();
    int best = 0;
    for (int i = 1; i < count(); ++i) {
        const QString root = itemText(i);
        const bool holds = folder == root || folder.startsWith(root + QLatin1Char('/'));
        if (holds && root.size() > itemText(best).size())
            best = i;
    }
    const QSignalBlocker blocker(this);
    setCurrentIndex(best);
}

QString DriveComboBox::Drive() const
{
    return currentText();
}

} // namespace vennart::gui
