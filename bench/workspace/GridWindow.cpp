#include "GridWindow.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace vennart::bench {
namespace {

constexpr int kLongestWait = 10000;
constexpr int kWindowWidth = 1000;
constexpr int kFrameHeight = 80;

QTableView* MakeGrid(QAbstractItemModel& model)
{
    auto* grid = new QTableView;
    grid->setModel(&model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(GridWindow::kRowHeight);
    return grid;
}

} // namespace

OffscreenApplication::OffscreenApplication(int& argc, char** argv)
    : application_(BeforeApplication(argc), argv)
{
}

int& OffscreenApplication::BeforeApplication(int& argc)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return argc;
}

void RunPendingEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents, kLongestWait);
}

GridWindow::GridWindow(workspace::Workspace& workspace, workspace::TagGrid visibleTab,
    std::unique_ptr<gui::StatusLine> statusLine)
    : modelID3v1_(workspace, workspace::TagGrid::ID3v1)
    , modelID3v2_(workspace, workspace::TagGrid::ID3v2)
{
    auto* tabs = new QTabWidget;
    tabs->addTab(MakeGrid(modelID3v1_), QStringLiteral("ID3v1"));
    tabs->addTab(MakeGrid(modelID3v2_), QStringLiteral("ID3v2"));
    tabs->setCurrentIndex(visibleTab == workspace::TagGrid::ID3v1 ? 0 : 1);
    auto* layout = new QVBoxLayout(&window_);
    layout->addWidget(tabs);
    if (statusLine)
        layout->addWidget(statusLine.release());
    window_.resize(kWindowWidth, (kScreenRows + 1) * kRowHeight + kFrameHeight);
    window_.show();
    RunPendingEvents();
}

} // namespace vennart::bench
