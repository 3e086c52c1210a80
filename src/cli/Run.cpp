#include "cli/Run.h"

#include "cli/ConsoleUser.h"
#include "cli/DetectionOutput.h"
#include "cli/FileReport.h"
#include "cli/FolderCommand.h"
#include "cli/FolderPlan.h"
#include "cli/OutputText.h"
#include "cli/ReportOutput.h"
#include "commands/NameCheck.h"
#include "platform/AppPaths.h"
#include "platform/CodePageService.h"
#include "platform/SystemCodePage.h"
#include "text/CodePageList.h"
#include "text/UStringConvert.h"
#include "text/Utf8.h"
#include "workspace/FileName.h"
#include "workspace/SaveChanges.h"

#include <algorithm>
#include <string>
#include <unistd.h>
#include <utility>

namespace vennart::cli {
namespace {

using workspace::TagGrid;

// The window's settings file, which the tool reads but never writes.
constexpr const char* kWindowSettingsName = "vennart.ini";

// A view code page the settings name, when it can show text: the ID3v1 one is never UTF-16.
uint32_t UsableCodePage(uint32_t codePage, uint32_t fallback, bool utf16Allowed)
{
    if (codePage == text::kUtf16CodePage)
        return utf16Allowed ? codePage : fallback;
    return platform::CodePageService::Shared().Supports(codePage) ? codePage : fallback;
}

workspace::Settings LoadSettings(const CommonOptions& common, const platform::AppPaths& paths)
{
    workspace::Settings settings;
    if (common.settings && !std::filesystem::exists(*common.settings))
        throw UsageError("--settings: " + common.settings->string() + " does not exist");
    settings.Load(common.settings.value_or(paths.ConfigDir() / kWindowSettingsName));
    return settings;
}

bool ChangesFiles(Subcommand command)
{
    return command != Subcommand::Show && command != Subcommand::Help && command != Subcommand::Detect;
}

// The code pages detection chooses among, as "Detect Encoding" offers them: the active ones of the
// settings for the tab, or the whole catalogue, or the user's list.
std::vector<uint32_t> DetectionCandidates(
    const Request& request, const workspace::Settings& settings, const platform::AppPaths& paths)
{
    if (request.candidates == DetectCandidates::List)
        return request.candidateList;
    text::EncodingCatalogue catalogue;
    catalogue.LoadEncodingTables(paths.EncodingTablesFile());
    catalogue.BuildActiveEncodings(
        text::EffectiveCodePages(NarrowSystem(settings.Read(workspace::kCodePagesKey))));
    const std::vector<text::CodePageName>& names = request.candidates == DetectCandidates::All
        ? catalogue.EncodingNames()
        : request.grids.front() == TagGrid::ID3v1 ? catalogue.ActiveEncodingsV1()
                                                  : catalogue.ActiveEncodingsV2();
    return text::CodePagesOf(names);
}

class Runner {
public:
    Runner(const Request& request, const Console& console, long long expectedFiles)
        : request_(request)
        , console_(console)
        , progress_(console.showProgress, expectedFiles)
        , outputOnTerminal_(console.showProgress && isatty(fileno(console.out)) == 1)
    {
    }

    void Prepare()
    {
        const platform::AppPaths paths = platform::AppPaths::ForThisProgram();
        const workspace::Settings settings = LoadSettings(request_.common, paths);
        settings_ = settings;
        v1CodePage_ = request_.common.v1CodePage.value_or(UsableCodePage(
            settings.ReadCodePage(workspace::kDefaultV1EncodingKey, workspace::kDefaultV1Encoding),
            workspace::kDefaultV1Encoding, false));
        v2CodePage_ = request_.common.v2CodePage.value_or(UsableCodePage(
            settings.ReadCodePage(workspace::kDefaultV2EncodingKey, workspace::kDefaultV2Encoding),
            workspace::kDefaultV2Encoding, true));
        if (request_.command == Subcommand::Translit)
            data_.translitTable = text::LoadTranslitTable(paths.TranslitTableFile());
        if (request_.command == Subcommand::Detect || request_.detect) {
            data_.letters = text::LetterModel::Load(paths.LetterModelFile());
            data_.candidates = DetectionCandidates(request_, settings, paths);
        }
    }

    void Fail(const std::string& message)
    {
        ++failures_;
        progress_.Clear();
        std::fprintf(console_.err, "vennart-cli: %s\n", PrintableMessage(message).c_str());
    }

    void RunFolder(const FolderWork& work)
    {
        ConsolePrompts prompts;
        workspace::Workspace workspace(progress_, prompts);
        workspace.FSettings = settings_;
        workspace.SetViewCodePage(TagGrid::ID3v1, v1CodePage_);
        workspace.SetViewCodePage(TagGrid::ID3v2, v2CodePage_);
        try {
            workspace.OpenFolder(work.folder);
        } catch (const std::exception& error) {
            Fail(error.what());
            return;
        }
        const std::vector<std::string> scanErrors = std::exchange(prompts.errors, {});
        for (const std::string& message : scanErrors)
            Fail(message);
        for (const std::string& message : std::exchange(prompts.warnings, {}))
            Warn(message);
        const std::vector<int> rows = ChosenRows(workspace, work, scanErrors);
        if (ChangesFiles(request_.command))
            Change(workspace, rows);
        else if (request_.command == Subcommand::Detect)
            Detect(workspace, rows);
        else
            Show(workspace, rows);
        for (const std::string& message : prompts.errors)
            Fail(message);
        for (const std::string& message : prompts.warnings)
            Warn(message);
        progress_.FolderDone(work.expectedFiles);
    }

    void Warn(const std::string& message)
    {
        progress_.Clear();
        std::fprintf(console_.err, "vennart-cli: warning: %s\n", PrintableMessage(message).c_str());
    }

    int Status() const { return failures_ == 0 ? 0 : 1; }

private:
    std::vector<int> ChosenRows(const workspace::Workspace& workspace, const FolderWork& work,
        const std::vector<std::string>& scanErrors)
    {
        std::vector<int> rows;
        if (work.wholeFolder) {
            for (int row = 0; row < workspace.FileCount(); ++row)
                rows.push_back(row);
            return rows;
        }
        for (const std::filesystem::path& name : work.fileNames) {
            int found = -1;
            for (int row = 0; row < workspace.FileCount() && found < 0; ++row)
                found = workspace.File(row).FileName.filename() == name ? row : -1;
            if (found >= 0)
                rows.push_back(found);
            else
                NotListed(work.folder / name, scanErrors);
        }
        std::sort(rows.begin(), rows.end());
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
        return rows;
    }

    // A file the scan did not list: one it could not read has been named already.
    void NotListed(const std::filesystem::path& file, const std::vector<std::string>& scanErrors)
    {
        const bool reported = std::any_of(scanErrors.begin(), scanErrors.end(),
            [&](const std::string& message) { return message.find(file.string()) != std::string::npos; });
        if (!reported)
            Fail(file.string() + ": not an MP3 file (its name does not end in .mp3)");
    }

    void Show(workspace::Workspace& workspace, const std::vector<int>& rows)
    {
        for (const int row : rows) {
            const FileReport report = ReportOfRow(workspace, row);
            const workspace::FileInfoRows info = FileInfoOfRow(workspace, row);
            Print(request_.common.json ? ShowJson(report, info) : ShowText(report, info));
        }
    }

    void Detect(const workspace::Workspace& workspace, const std::vector<int>& rows)
    {
        const std::vector<text::CodePageGuess> guesses = DetectRows(request_, workspace, rows, data_);
        const TagGrid grid = request_.grids.front();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const std::filesystem::path& file = workspace.File(rows[i]).FileName;
            Print(request_.common.json ? DetectionJson(file, grid, guesses[i])
                                       : DetectionText(file, grid, guesses[i]));
        }
    }

    void Change(workspace::Workspace& workspace, const std::vector<int>& rows)
    {
        std::vector<FileReport> before;
        if (request_.common.dryRun) {
            for (const int row : rows)
                before.push_back(ReportOfRow(workspace, row));
        }
        ApplyCommand(request_, workspace, rows, data_);
        if (request_.common.dryRun)
            Describe(workspace, rows, before);
        else
            Save(workspace);
    }

    void Save(workspace::Workspace& workspace)
    {
        const workspace::SaveFailures failures = workspace::SaveMarkedFiles(workspace);
        for (const std::string& message : failures.notSaved)
            Fail(message);
        for (const std::string& message : failures.notRenamed)
            Fail(message);
    }

    // Per changed row, old -> new, and what would stop its new name.
    void Describe(const workspace::Workspace& workspace, const std::vector<int>& rows,
        const std::vector<FileReport>& before)
    {
        const std::vector<std::optional<commands::NameProblem>> problems = NameProblems(workspace, rows);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (!workspace.IsRowMarked(rows[i]))
                continue;
            const std::vector<FieldChange> changes = Changes(before[i], ReportOfRow(workspace, rows[i]));
            std::vector<std::string> reasons;
            if (problems[i]) {
                reasons.emplace_back(commands::NameProblemText(*problems[i]));
                Fail(before[i].path.string() + ": would not be renamed: " + reasons.back());
            }
            if (!changes.empty() || !reasons.empty())
                Print(request_.common.json ? ChangesJson(before[i], changes, reasons)
                                           : ChangesText(before[i], changes, reasons));
        }
    }

    // What CheckNewNames finds in the names of the rows that get new ones, against the names of
    // every other listed file.
    std::vector<std::optional<commands::NameProblem>> NameProblems(
        const workspace::Workspace& workspace, const std::vector<int>& rows) const
    {
        std::vector<bool> renamed(static_cast<std::size_t>(workspace.FileCount()), false);
        std::vector<WideString> newNames;
        for (const int row : rows) {
            renamed[static_cast<std::size_t>(row)]
                = workspace.RowName(row) != workspace::DisplayName(workspace.File(row).FileName);
            if (renamed[static_cast<std::size_t>(row)])
                newNames.push_back(workspace.RowName(row));
        }
        std::vector<WideString> otherNames;
        for (int row = 0; row < workspace.FileCount(); ++row) {
            if (!renamed[static_cast<std::size_t>(row)])
                otherNames.push_back(workspace.RowName(row));
        }
        const auto found = commands::CheckNewNames(newNames, otherNames);
        std::vector<std::optional<commands::NameProblem>> problems;
        for (std::size_t i = 0, next = 0; i < rows.size(); ++i)
            problems.push_back(renamed[static_cast<std::size_t>(rows[i])] ? found[next++] : std::nullopt);
        return problems;
    }

    void Print(const std::string& text)
    {
        if (outputOnTerminal_)
            progress_.Clear();
        std::fwrite(text.data(), 1, text.size(), console_.out);
    }

    const Request& request_;
    const Console& console_;
    ConsoleProgress progress_;
    bool outputOnTerminal_; // then the progress line makes way for each report
    workspace::Settings settings_;
    uint32_t v1CodePage_ = workspace::kDefaultV1Encoding;
    uint32_t v2CodePage_ = workspace::kDefaultV2Encoding;
    CommandData data_;
    int failures_ = 0;
};

} // namespace

int Run(const Request& request, const Console& console)
{
    const FolderPlan plan = PlanFolders(request.paths, request.common.recursive);
    Runner runner(request, console, plan.ExpectedFiles());
    runner.Prepare();
    for (const std::string& message : plan.failures)
        runner.Fail(message);
    for (const FolderWork& work : plan.folders)
        runner.RunFolder(work);
    return runner.Status();
}

} // namespace vennart::cli
