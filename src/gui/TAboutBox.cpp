#include "gui/TAboutBox.h"

#include <QDialogButtonBox>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

namespace vennart::gui {

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TAboutBox"));
    setWindowTitle(QStringLiteral("About Vennart"));

    auto* name = new QLabel(QStringLiteral("<h2>Vennart</h2>"));
    auto* version = new QLabel(QStringLiteral("Version %1").arg(QStringLiteral(VENNART_VERSION)));
    auto* summary = new QLabel(QStringLiteral("An editor for the ID3v1 and ID3v2 tags of MP3 files."));
    auto* links = new QLabel(QStringLiteral("<a href=\"mailto:%1\">%1</a><br><a href=\"%2\">%2</a>")
                                 .arg(QStringLiteral(VENNART_CONTACT), QStringLiteral(VENNART_HOMEPAGE)));
    links->setObjectName(QStringLiteral("labLinks"));
    links->setTextFormat(Qt::RichText);
    links->setOpenExternalLinks(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    for (QLabel* label : { name, version, summary, links }) {
        label->setAlignment(Qt::AlignHCenter);
        layout->addWidget(label);
    }
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace vennart::gui
