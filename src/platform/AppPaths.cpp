#include "platform/AppPaths.h"

#include "platform/Error.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace vennart::platform {
namespace {

constexpr const char* kProgramFolderName = "vennart";
constexpr const char* kEncodingTablesName = "EncodingTables.dat";
constexpr const char* kLetterModelName = "LetterBigrams.tsv";
constexpr const char* kTranslitTableName = "translit.tab";

std::filesystem::path UserConfigHome(std::string_view xdgConfigHome, std::string_view home)
{
    const std::filesystem::path configured(xdgConfigHome);
    if (configured.is_absolute())
        return configured;
    if (home.empty())
        return {};
    return std::filesystem::path(home) / ".config";
}

std::string_view Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? std::string_view(value) : std::string_view();
}

std::string_view HomeFolder()
{
    const std::string_view fromEnvironment = Environment("HOME");
    if (!fromEnvironment.empty())
        return fromEnvironment;
    const passwd* account = getpwuid(getuid());
    return account != nullptr && account->pw_dir != nullptr ? std::string_view(account->pw_dir)
                                                            : std::string_view();
}

} // namespace

std::filesystem::path ExecutablePath()
{
    std::error_code error;
    std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        throw Error("Cannot find the program's own file through /proc/self/exe: " + error.message());
    return path;
}

AppPaths::AppPaths(
    std::filesystem::path configDir, std::filesystem::path dataDir, std::filesystem::path settingsFileName)
    : configDir_(std::move(configDir))
    , dataDir_(std::move(dataDir))
    , settingsFileName_(std::move(settingsFileName))
{
}

AppPaths AppPaths::Locate(const std::filesystem::path& executable, bool executableFolderWritable,
    std::string_view xdgConfigHome, std::string_view home)
{
    const std::filesystem::path programFolder = executable.parent_path();
    const std::filesystem::path settingsName = executable.filename().replace_extension(".ini");
    const std::filesystem::path configHome = UserConfigHome(xdgConfigHome, home);
    // Without a writable program folder and without a home there is nowhere better to look; saving
    // then fails with a message when the window closes.
    if (executableFolderWritable || configHome.empty())
        return AppPaths(programFolder, programFolder, settingsName);
    return AppPaths(configHome / kProgramFolderName,
        programFolder.parent_path() / "share" / kProgramFolderName, settingsName);
}

AppPaths AppPaths::ForThisProgram()
{
    const std::filesystem::path executable = ExecutablePath();
    const bool writable = access(executable.parent_path().c_str(), W_OK) == 0;
    return Locate(executable, writable, Environment("XDG_CONFIG_HOME"), HomeFolder());
}

std::filesystem::path AppPaths::SettingsFile() const
{
    return configDir_ / settingsFileName_;
}

std::filesystem::path AppPaths::EncodingTablesFile() const
{
    return dataDir_ / kEncodingTablesName;
}

std::filesystem::path AppPaths::LetterModelFile() const
{
    return dataDir_ / kLetterModelName;
}

std::filesystem::path AppPaths::TranslitTableFile() const
{
    std::filesystem::path own = TranslitTableSaveFile();
    std::error_code error;
    return std::filesystem::exists(own, error) ? own : dataDir_ / kTranslitTableName;
}

std::filesystem::path AppPaths::TranslitTableSaveFile() const
{
    return configDir_ / kTranslitTableName;
}

} // namespace vennart::platform
