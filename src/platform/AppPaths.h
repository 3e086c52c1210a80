// Where the program keeps its files: the config folder (the settings file and the user's
// translit.tab) and the data folder (EncodingTables.dat and the shipped translit.tab).
#pragma once

#include <filesystem>
#include <string_view>

namespace vennart::platform {

// The running executable's full path.
std::filesystem::path ExecutablePath();

class AppPaths {
public:
    AppPaths(std::filesystem::path configDir, std::filesystem::path dataDir,
        std::filesystem::path settingsFileName);

    // Run from a build tree or a portable folder (the executable's folder is writable), both folders
    // are the executable's folder. Installed, config is $XDG_CONFIG_HOME/vennart (an unset, empty or
    // relative value means ~/.config) and data is <prefix>/share/vennart for <prefix>/bin/<program>.
    // The settings file is named after the executable with ".ini".
    static AppPaths Locate(const std::filesystem::path& executable, bool executableFolderWritable,
        std::string_view xdgConfigHome, std::string_view home);
    // Locate for this process, from its executable and environment.
    static AppPaths ForThisProgram();

    const std::filesystem::path& ConfigDir() const { return configDir_; }
    const std::filesystem::path& DataDir() const { return dataDir_; }

    std::filesystem::path SettingsFile() const;
    std::filesystem::path EncodingTablesFile() const;
    // The letter statistics the code page detector scores readings with.
    std::filesystem::path LetterModelFile() const;
    // The user's own table when the config folder holds one, else the shipped one.
    std::filesystem::path TranslitTableFile() const;
    // The table the editor writes: always the user's own.
    std::filesystem::path TranslitTableSaveFile() const;

private:
    std::filesystem::path configDir_;
    std::filesystem::path dataDir_;
    std::filesystem::path settingsFileName_;
};

} // namespace vennart::platform
