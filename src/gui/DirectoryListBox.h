// The folder list: the current folder's ancestors from the root down, each inside the one above,
// the current folder, and its sub-folders. Activating an entry (double click or Enter) moves the
// list there.
#pragma once

#include <QTreeWidget>

namespace vennart::gui {

class DirectoryListBox : public QTreeWidget {
    Q_OBJECT
public:
    explicit DirectoryListBox(QWidget* parent = nullptr);

    QString Directory() const { return directory_; }
    // Shows `folder`; raises directoryChanged when it differs from the folder shown.
    void SetDirectory(const QString& folder);

signals:
    void directoryChanged();

private:
    void Fill();

    QString directory_;
};

} // namespace vennart::gui
