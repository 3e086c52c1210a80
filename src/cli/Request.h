// What one run of the tool is asked to do, as read from its arguments.
#pragma once

#include "commands/TagsFromFileNamesRules.h"
#include "platform/Strings.h"
#include "workspace/TagGrid.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vennart::cli {

// Arguments the tool cannot run with; the message says which and why, the usage follows it.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class Subcommand {
    Help,
    Show,
    Set,
    Translit,
    Copy,
    V1Version,
    TagsFromNames,
    NamesFromTags,
    Reencode,
    Detect
};

struct CommonOptions {
    bool recursive = false;
    bool dryRun = false;
    bool json = false;
    std::optional<uint32_t> v1CodePage;
    std::optional<uint32_t> v2CodePage;
    std::optional<std::filesystem::path> settings;
};

// One FIELD=VALUE of set: a field name such as "title", or a frame identifier.
struct FieldAssignment {
    std::string field;
    WideString value;
};

enum class TranslitTarget { ID3v1, ID3v2, Names };

// The active code pages of the settings, every code page of the catalogue, or the ones listed.
enum class DetectCandidates { Active, All, List };

struct Request {
    Subcommand command = Subcommand::Help;
    CommonOptions common;
    std::vector<std::filesystem::path> paths;

    // set, tags-from-names and names-from-tags: the tabs they work on (set may name both).
    std::vector<workspace::TagGrid> grids;
    std::vector<FieldAssignment> assignments;
    TranslitTarget translitTarget = TranslitTarget::ID3v2;
    workspace::TagGrid copyTo = workspace::TagGrid::ID3v2;
    bool toV11 = true;
    commands::TagsFromNameOptions tagsFromNames;
    WideString mask;
    // reencode: the code page the text is stored in; whether text it cannot hold may become "?".
    std::optional<uint32_t> reencodeTo;
    bool allowLoss = false;
    // detect, and reencode --detect: the code pages to choose among, guessed per file or per folder.
    bool detect = false;
    DetectCandidates candidates = DetectCandidates::Active;
    std::vector<uint32_t> candidateList;
    bool folderLevel = false;
};

// Reads the arguments after the program name; throws UsageError for anything it cannot run.
Request ParseArguments(const std::vector<std::string>& arguments);

} // namespace vennart::cli
