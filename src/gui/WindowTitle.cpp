#include "gui/WindowTitle.h"

#include "gui/QtText.h"

#include <QWidget>

namespace vennart::gui {

QString WindowTitleFor(const std::filesystem::path& folder)
{
    const std::filesystem::path trimmed
        = folder.has_filename() || !folder.has_relative_path() ? folder : folder.parent_path();
    const QString name = ToQString(trimmed.has_filename() ? trimmed.filename() : trimmed);
    return name.isEmpty() ? QStringLiteral("Vennart[*]") : name + QStringLiteral("[*] - Vennart");
}

WindowTitle::WindowTitle(QWidget& window, workspace::Workspace& workspace)
    : window_(window)
    , workspace_(workspace)
{
    workspace_.AddObserver(this);
}

WindowTitle::~WindowTitle()
{
    workspace_.RemoveObserver(this);
}

void WindowTitle::Show()
{
    window_.setWindowTitle(WindowTitleFor(workspace_.CurrentDir()));
    window_.setWindowModified(workspace_.Changed());
}

} // namespace vennart::gui
