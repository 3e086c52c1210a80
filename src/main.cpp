// Vennart: an editor for the ID3 tags of the MP3 files in one folder.
#include "gui/TfrmMain.h"
#include "platform/AppPaths.h"
#include "platform/FreedMemory.h"

#include <QApplication>

int main(int argc, char** argv)
{
    vennart::platform::KeepFreedMemory();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vennart"));
    QApplication::setApplicationVersion(QStringLiteral(VENNART_VERSION));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/translit-tags.svg")));

    vennart::gui::TfrmMain window(vennart::platform::AppPaths::ForThisProgram());
    window.show();
    return QApplication::exec();
}
