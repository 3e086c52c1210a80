// "Detect Encoding" of the main window: the code page of each selected file's 8-bit text, and
// showing the tab in the code page found.
#include "commands/ChangeSet.h"
#include "commands/ConvertDetected.h"
#include "commands/DetectEncoding.h"
#include "commands/Selection.h"
#include "gui/TfrmDetectEncoding.h"
#include "gui/TfrmMain.h"
#include "platform/Error.h"

#include <QComboBox>

namespace vennart::gui {

void TfrmMain::ConnectDetectEncoding()
{
    frmDetectEncoding = new TfrmDetectEncoding(this);
    connect(actions.miDetectEncoding, &QAction::triggered, this,
        [this] { RunGuarded([this] { miDetectEncodingClick(); }); });
    actions.miDetectEncoding->setEnabled(true);
}

const text::LetterModel& TfrmMain::LetterModel()
{
    if (!letterModel_)
        letterModel_ = std::make_unique<text::LetterModel>(text::LetterModel::Load(paths_.LetterModelFile()));
    return *letterModel_;
}

void TfrmMain::miDetectEncodingClick()
{
    auto& workspace = Workspace();
    const auto rows = commands::SelectedRows(workspace);
    if (rows.empty())
        return;
    const auto grid = workspace.ActiveGrid();
    const auto& catalogue = encodings_;
    const auto& active
        = grid == workspace::TagGrid::ID3v1 ? catalogue.ActiveEncodingsV1() : catalogue.ActiveEncodingsV2();
    const auto& model = LetterModel();
    const TfrmDetectEncoding::Detector detect = [&](bool wholeCatalogue) {
        const auto candidates = text::CodePagesOf(wholeCatalogue ? catalogue.EncodingNames() : active);
        return commands::DetectCodePages(workspace, rows, { grid, candidates, false }, model);
    };
    const auto outcome
        = frmDetectEncoding->Run(workspace, grid, rows, detect, active, catalogue.EncodingNames());
    if (outcome == TfrmDetectEncoding::ShowAs)
        ShowAsCodePage(grid, *frmDetectEncoding->model()->SelectionCodePage());
    if (outcome == TfrmDetectEncoding::Convert) {
        auto set = commands::ConvertFromDetected(
            workspace, grid, rows, frmDetectEncoding->model()->ChosenCodePages());
        // Converted ID3v2 text is UTF-16: shown as such when that view is offered.
        if (grid == workspace::TagGrid::ID3v2 && cbSourceEncv2->findData(text::kUtf16CodePage) >= 0) {
            set.viewGrid = grid;
            set.viewCodePage = text::kUtf16CodePage;
        }
        RunCommand(std::move(set));
    }
}

void TfrmMain::ShowAsCodePage(workspace::TagGrid grid, uint32_t codePage)
{
    QComboBox* combo = grid == workspace::TagGrid::ID3v1 ? cbSourceEncv1 : cbSourceEncv2;
    const int entry = combo->findData(codePage);
    if (entry < 0)
        throw Error("Code page " + std::to_string(codePage)
            + " is not among the active code pages: add it in \"Encoding settings\" first");
    combo->setCurrentIndex(entry);
}

} // namespace vennart::gui
