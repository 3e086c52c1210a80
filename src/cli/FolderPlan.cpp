#include "cli/FolderPlan.h"

#include "platform/CaseMapping.h"
#include "workspace/FileName.h"

#include <algorithm>
#include <map>
#include <system_error>

namespace vennart::cli {
namespace {

namespace fs = std::filesystem;

bool HasMp3Extension(const fs::path& name)
{
    const std::string& text = name.native();
    constexpr std::string_view extension = ".mp3";
    return text.size() >= extension.size()
        && std::equal(extension.begin(), extension.end(), text.end() - extension.size(),
            [](char a, char b) { return a == (b >= 'A' && b <= 'Z' ? b + 32 : b); });
}

class Planner {
public:
    explicit Planner(bool recursive)
        : recursive_(recursive)
    {
    }

    void Add(const fs::path& argument)
    {
        std::error_code error;
        const fs::file_status status = fs::status(argument, error);
        if (fs::is_directory(status))
            return AddFolderTree(argument);
        if (fs::is_regular_file(status))
            return AddFile(argument);
        plan_.failures.push_back(argument.string() + ": "
            + (error ? error.message() : std::string("neither an MP3 file nor a folder")));
    }

    FolderPlan Take() { return std::move(plan_); }

private:
    FolderWork& Work(const fs::path& folder)
    {
        const std::string key = fs::absolute(folder).lexically_normal().string();
        const auto [entry, added] = index_.try_emplace(key, plan_.folders.size());
        if (added)
            plan_.folders.push_back({ .folder = folder });
        return plan_.folders[entry->second];
    }

    void AddFile(const fs::path& file)
    {
        FolderWork& work = Work(file.has_parent_path() ? file.parent_path() : fs::path("."));
        if (std::find(work.fileNames.begin(), work.fileNames.end(), file.filename())
            == work.fileNames.end()) {
            work.fileNames.push_back(file.filename());
            work.expectedFiles += work.wholeFolder ? 0 : 1;
        }
    }

    void AddFolderTree(const fs::path& top)
    {
        std::vector<fs::path> pending { top };
        while (!pending.empty()) {
            const fs::path folder = std::move(pending.back());
            pending.pop_back();
            std::vector<fs::path> below = AddFolder(folder);
            pending.insert(pending.end(), below.rbegin(), below.rend());
        }
    }

    // Adds the folder as a whole; returns the folders in it, in name order.
    std::vector<fs::path> AddFolder(const fs::path& folder)
    {
        std::vector<fs::path> below;
        long long files = 0;
        std::error_code error;
        for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
             entry.increment(error)) {
            std::error_code statusError;
            if (recursive_ && entry->is_directory(statusError) && !entry->is_symlink(statusError))
                below.push_back(entry->path());
            else if (HasMp3Extension(entry->path().filename()))
                ++files;
        }
        if (error) {
            plan_.failures.push_back(folder.string() + ": cannot be listed: " + error.message());
            return below;
        }
        FolderWork& work = Work(folder);
        work.wholeFolder = true;
        work.expectedFiles = files;
        std::sort(below.begin(), below.end(), [](const fs::path& a, const fs::path& b) {
            return platform::LessNoCase()(workspace::DisplayName(a), workspace::DisplayName(b));
        });
        return below;
    }

    bool recursive_;
    FolderPlan plan_;
    std::map<std::string, std::size_t> index_;
};

} // namespace

long long FolderPlan::ExpectedFiles() const
{
    long long files = 0;
    for (const FolderWork& work : folders)
        files += work.expectedFiles;
    return files;
}

FolderPlan PlanFolders(const std::vector<fs::path>& arguments, bool recursive)
{
    Planner planner(recursive);
    for (const fs::path& argument : arguments)
        planner.Add(argument);
    return planner.Take();
}

} // namespace vennart::cli
