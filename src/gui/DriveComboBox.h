// The drive picker: the mounted file systems, "/" first. Choosing one moves the folder list to its
// root.
#pragma once

#include <QComboBox>

namespace vennart::gui {

class DriveComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit DriveComboBox(QWidget* parent = nullptr);

    // Re-reads the mounted file systems and selects the one that holds `folder`, without raising
    // driveChanged.
    void ShowDriveOf(const QString& folder);
    QString Drive() const;

signals:
    // The user picked another drive.
    void driveChanged();

private:
    void FillDrives();
};

} // namespace vennart::gui
