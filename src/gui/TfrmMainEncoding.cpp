// The view code pages: the "Encoding ID3v1"/"Encoding ID3v2" menus, the two "Tags Encoding" combo
// boxes, the menus of code pages the re-encoding command offers, and "Encoding settings", which
// chooses the code pages all of them list.
#include "gui/QtText.h"
#include "gui/TEncodingTable.h"
#include "gui/TfrmMain.h"
#include "platform/Error.h"
#include "platform/SystemCodePage.h"
#include "text/CodePageList.h"
#include "text/UStringConvert.h"
#include "workspace/GridLayout.h"

#include <QComboBox>
#include <QMenu>
#include <QSignalBlocker>

namespace vennart::gui {

using workspace::TagGrid;

namespace {

constexpr const char* kUtf16ItemProperty = "utf16Item";

int FirstItemWithCodePage(const QList<QAction*>& items, uint32_t codePage)
{
    for (int i = 0; i < items.size(); ++i) {
        if (items[i]->data().toUInt() == codePage)
            return static_cast<int>(i);
    }
    return -1;
}

void FillCombo(QComboBox* combo, const std::vector<text::CodePageName>& list)
{
    const QSignalBlocker blocker(combo);
    combo->clear();
    for (const text::CodePageName& entry : list)
        combo->addItem(ToQString(text::CatalogueText(entry.name)), entry.codePage);
}

} // namespace

void TfrmMain::BuildEncodingMenu(
    QMenu* menu, const std::vector<text::CodePageName>& list, void (TfrmMain::*handler)(QAction*))
{
    menu->setProperty(kUtf16ItemProperty, -1);
    menu->clear();
    for (int k = 0; k < static_cast<int>(list.size()); ++k) {
        QAction* item = menu->addAction(ToQString(text::CatalogueText(list[k].name)));
        item->setData(list[k].codePage);
        connect(item, &QAction::triggered, this,
            [this, item, handler] { RunGuarded([=, this] { (this->*handler)(item); }); });
        if (list[k].codePage == text::kUtf16CodePage)
            menu->setProperty(kUtf16ItemProperty, k);
    }
}

void TfrmMain::InitEncodings(const std::string& codePages)
{
    encodings_.BuildActiveEncodings(codePages);
    BuildEncodingMenu(miEncodingID3v1, encodings_.ActiveEncodingsV1(), &TfrmMain::miEncodingViewClick);
    BuildEncodingMenu(miEncodingID3v2, encodings_.ActiveEncodingsV2(), &TfrmMain::miEncodingViewClick);
    for (QAction* item : miEncodingID3v1->actions() + miEncodingID3v2->actions())
        item->setCheckable(true);
    FillCombo(cbSourceEncv1, encodings_.ActiveEncodingsV1());
    FillCombo(cbSourceEncv2, encodings_.ActiveEncodingsV2());
    SelectSavedEncoding(TagGrid::ID3v1, miEncodingID3v1, cbSourceEncv1);
    SelectSavedEncoding(TagGrid::ID3v2, miEncodingID3v2, cbSourceEncv2);
    BuildEncodingMenu(
        miChangeEncodingID3v1, encodings_.ActiveEncodingsV1(), &TfrmMain::miEncodingChangeClick);
    BuildEncodingMenu(
        miChangeEncodingID3v2, encodings_.ActiveEncodingsV2(), &TfrmMain::miEncodingChangeClick);
    BuildEncodingMenu(popupMenuEnc, encodings_.ActiveEncodingsV2(), &TfrmMain::miEncodingChangeClick);
    FitEncodingCombos();
}

void TfrmMain::ConnectEncodingSettings()
{
    frmEncodingTable = new TEncodingTable(encodings_, this);
    connect(actions.miEncodings, &QAction::triggered, this,
        [this] { RunGuarded([this] { miEncodingsClick(); }); });
    actions.miEncodings->setEnabled(true);
}

void TfrmMain::miEncodingsClick()
{
    workspace::Settings& settings = workspace_->FSettings;
    AnsiString codePages(text::EffectiveCodePages(NarrowSystem(settings.Read(workspace::kCodePagesKey))));
    if (!frmEncodingTable->SelectEncodingTables(codePages))
        return;
    settings.Write(workspace::kCodePagesKey, WidenSystem(codePages));
    // Choosing the saved view code pages again redraws both grids.
    InitEncodings(codePages);
    ShowUtf16ChangeItem(workspace_->ActiveGrid());
    FillFieldLists();
    FillTagPanel();
}

// The tool button's pop-up offers UTF-16 for ID3v2 tags only, on the tab it works on.
void TfrmMain::ShowUtf16ChangeItem(TagGrid grid)
{
    const int utf16Item = popupMenuEnc->property(kUtf16ItemProperty).toInt();
    if (utf16Item >= 0 && utf16Item < popupMenuEnc->actions().size())
        popupMenuEnc->actions()[utf16Item]->setVisible(workspace::TabViewFor(grid).showUtf16Encoding);
}

// Checks and selects the saved view code page, or the first entry when it is not active. The
// combo box's change handler does not run: nothing is shown yet.
void TfrmMain::SelectSavedEncoding(TagGrid grid, QMenu* menu, QComboBox* combo)
{
    const bool v1 = grid == TagGrid::ID3v1;
    const uint32_t saved = v1
        ? workspace_->FSettings.ReadCodePage(workspace::kDefaultV1EncodingKey, workspace::kDefaultV1Encoding)
        : workspace_->FSettings.ReadCodePage(workspace::kDefaultV2EncodingKey, workspace::kDefaultV2Encoding);
    const QList<QAction*> items = menu->actions();
    if (items.isEmpty())
        return;
    const int k = std::max(FirstItemWithCodePage(items, saved), 0);
    items[k]->setChecked(true);
    const QSignalBlocker blocker(combo);
    combo->setCurrentIndex(k);
    workspace_->SetViewCodePage(grid, combo->currentData().toUInt());
}

void TfrmMain::miEncodingViewClick(QAction* item)
{
    QComboBox* combo = miEncodingID3v1->actions().contains(item) ? cbSourceEncv1 : cbSourceEncv2;
    const int entry = combo->findData(item->data());
    if (entry < 0)
        throw Error("Fatal error");
    if (entry == combo->currentIndex())
        SourceEncodingChange(combo == cbSourceEncv1 ? TagGrid::ID3v1 : TagGrid::ID3v2);
    else
        combo->setCurrentIndex(entry);
}

void TfrmMain::cbSourceEncv1Change()
{
    SourceEncodingChange(TagGrid::ID3v1);
}

void TfrmMain::cbSourceEncv2Change()
{
    SourceEncodingChange(TagGrid::ID3v2);
}

// The menu's check marks and the saved setting follow the view code page.
void TfrmMain::CheckViewCodePage(TagGrid grid, uint32_t codePage)
{
    const bool v1 = grid == TagGrid::ID3v1;
    for (QAction* item : (v1 ? miEncodingID3v1 : miEncodingID3v2)->actions())
        item->setChecked(item->data().toUInt() == codePage);
    workspace_->FSettings.Write(v1 ? workspace::kDefaultV1EncodingKey : workspace::kDefaultV2EncodingKey,
        WidenSystem(std::to_string(codePage)));
}

void TfrmMain::SourceEncodingChange(TagGrid grid)
{
    const bool v1 = grid == TagGrid::ID3v1;
    QComboBox* combo = v1 ? cbSourceEncv1 : cbSourceEncv2;
    const uint32_t codePage = combo->currentData().toUInt();
    CheckViewCodePage(grid, codePage);
    workspace_->SetViewCodePage(grid, codePage);
    if (workspace_->ActiveGrid() == grid) {
        FillFieldLists();
        FillTagPanel();
    }
}

} // namespace vennart::gui
