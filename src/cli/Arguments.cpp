// Reading the command line: options may come anywhere before "--", each subcommand takes only its
// own, and every argument is checked before any file is touched.
#include "cli/FieldNames.h"
#include "cli/Request.h"
#include "commands/TagsFromFileNamesRuleText.h"
#include "platform/CodePageService.h"
#include "platform/Error.h"
#include "text/UStringConvert.h"
#include "text/Utf8.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>

namespace vennart::cli {
namespace {

using workspace::TagGrid;

const std::map<std::string_view, Subcommand> kSubcommands {
    { "help", Subcommand::Help },
    { "show", Subcommand::Show },
    { "set", Subcommand::Set },
    { "translit", Subcommand::Translit },
    { "copy", Subcommand::Copy },
    { "v1-version", Subcommand::V1Version },
    { "tags-from-names", Subcommand::TagsFromNames },
    { "names-from-tags", Subcommand::NamesFromTags },
    { "reencode", Subcommand::Reencode },
    { "detect", Subcommand::Detect },
};

WideString Utf8Argument(std::string_view argument, std::string_view what)
{
    if (!text::IsValidUtf8(argument))
        throw UsageError(std::string(what) + " is not valid UTF-8");
    return text::DecodeUtf8(argument);
}

uint32_t CodePageArgument(std::string_view text, std::string_view option, bool utf16Allowed)
{
    uint32_t codePage = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), codePage);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        throw UsageError(
            std::string(option) + " takes a code page number, not \"" + std::string(text) + "\"");
    if (codePage == text::kUtf16CodePage && !utf16Allowed)
        throw UsageError(std::string(option) + ": ID3v1 text is 8-bit, code page 1200 cannot show it");
    // A code page the service lacks would show every 8-bit text as empty and store nothing.
    if (codePage != text::kUtf16CodePage && !platform::CodePageService::Shared().Supports(codePage))
        throw UsageError(std::string(option) + ": code page " + std::string(text) + " is not available");
    return codePage;
}

class ArgumentReader {
public:
    explicit ArgumentReader(const std::vector<std::string>& arguments)
        : arguments_(arguments)
    {
    }

    Request Read()
    {
        if (arguments_.empty())
            throw UsageError("no command given");
        ReadSubcommand();
        while (next_ < arguments_.size() && request_.command != Subcommand::Help)
            ReadArgument();
        Finish();
        return std::move(request_);
    }

private:
    void ReadSubcommand()
    {
        const std::string& first = arguments_[next_++];
        if (first == "--help" || first == "-h")
            return;
        // What follows a help request is not read: it may be the arguments the user was unsure of.
        const auto found = kSubcommands.find(first);
        if (found == kSubcommands.end())
            throw UsageError("unknown command \"" + first + "\"");
        request_.command = found->second;
    }

    void ReadArgument()
    {
        const std::string& argument = arguments_[next_++];
        if (optionsEnded_ || argument == "-" || !argument.starts_with('-')) {
            ReadPositional(argument);
        } else if (argument == "--") {
            optionsEnded_ = true;
            assignmentsEnded_ = true;
        } else {
            ReadOption(argument);
        }
    }

    void ReadOption(const std::string& argument)
    {
        const auto equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        inlineValue_ = equals == std::string::npos ? std::nullopt
                                                   : std::optional<std::string>(argument.substr(equals + 1));
        if (!ReadCommonOption(name) && !ReadCommandOption(name))
            throw UsageError("unknown option \"" + name + "\"" + ForCommand());
        if (inlineValue_)
            throw UsageError("option " + name + " takes no value");
    }

    bool ReadCommonOption(const std::string& name)
    {
        CommonOptions& common = request_.common;
        if (name == "--help" || name == "-h")
            request_.command = Subcommand::Help;
        else if (name == "--recursive" || name == "-r")
            common.recursive = true;
        else if (name == "--dry-run" || name == "-n")
            common.dryRun = true;
        else if (name == "--json")
            common.json = true;
        else if (name == "--v1-code-page")
            common.v1CodePage = CodePageArgument(Value(name), name, false);
        else if (name == "--v2-code-page")
            common.v2CodePage = CodePageArgument(Value(name), name, true);
        else if (name == "--settings")
            common.settings = std::filesystem::path(Value(name));
        else
            return false;
        return true;
    }

    bool ReadCommandOption(const std::string& name)
    {
        switch (request_.command) {
        case Subcommand::Set:
        case Subcommand::TagsFromNames:
        case Subcommand::NamesFromTags:
            return ReadGridOption(name) || ReadTagsFromNamesOption(name) || ReadMaskOption(name);
        case Subcommand::Translit:
            return ReadTranslitOption(name);
        case Subcommand::Copy:
            return ReadCopyOption(name);
        case Subcommand::Reencode:
            return ReadGridOption(name) || ReadReencodeOption(name) || ReadDetectOption(name);
        case Subcommand::Detect:
            return ReadGridOption(name) || ReadDetectOption(name);
        default:
            return false;
        }
    }

    bool ReadGridOption(const std::string& name)
    {
        if (name != "--v1" && name != "--v2")
            return false;
        const TagGrid grid = name == "--v1" ? TagGrid::ID3v1 : TagGrid::ID3v2;
        if (std::find(request_.grids.begin(), request_.grids.end(), grid) == request_.grids.end())
            request_.grids.push_back(grid);
        return true;
    }

    bool ReadTagsFromNamesOption(const std::string& name)
    {
        if (request_.command != Subcommand::TagsFromNames)
            return false;
        commands::TagsFromNameOptions& options = request_.tagsFromNames;
        if (name == "--rule")
            ReadRule(Value(name));
        else if (name == "--replace")
            ReadReplacement();
        else if (name == "--lower-case")
            options.lowerCase = true;
        else if (name == "--no-first-upper")
            options.firstLetterUpper = false;
        else if (name == "--no-each-word-upper")
            options.eachWordUpper = false;
        else
            return false;
        return true;
    }

    void ReadRule(const std::string& text)
    {
        try {
            const commands::TTagToCreate rule = commands::ParseTagRule(Utf8Argument(text, "the rule"));
            *request_.tagsFromNames.Rule(rule.FrameID) = rule;
        } catch (const Error& error) {
            throw UsageError(std::string("--rule: ") + error.what());
        }
    }

    void ReadReplacement()
    {
        if (inlineValue_)
            throw UsageError("--replace takes two arguments: WHAT WITH");
        const WideString what = Utf8Argument(Value("--replace"), "--replace WHAT");
        const WideString with = Utf8Argument(Value("--replace"), "--replace WITH");
        request_.tagsFromNames.replacements.push_back({ what, with });
    }

    bool ReadMaskOption(const std::string& name)
    {
        if (request_.command != Subcommand::NamesFromTags || name != "--mask")
            return false;
        request_.mask = Utf8Argument(Value(name), "the mask");
        if (request_.mask.empty())
            throw UsageError("--mask must not be empty");
        return true;
    }

    bool ReadTranslitOption(const std::string& name)
    {
        static const std::map<std::string_view, TranslitTarget> targets { { "--v1", TranslitTarget::ID3v1 },
            { "--v2", TranslitTarget::ID3v2 }, { "--names", TranslitTarget::Names } };
        const auto found = targets.find(name);
        if (found == targets.end())
            return false;
        Choose(name);
        request_.translitTarget = found->second;
        return true;
    }

    bool ReadReencodeOption(const std::string& name)
    {
        if (name == "--to")
            request_.reencodeTo = CodePageArgument(Value(name), name, true);
        else if (name == "--lossy")
            request_.allowLoss = true;
        else
            return false;
        return true;
    }

    bool ReadDetectOption(const std::string& name)
    {
        if (name == "--detect" && request_.command == Subcommand::Reencode)
            request_.detect = true;
        else if (name == "--folder-level")
            request_.folderLevel = true;
        else if (name == "--candidates")
            ReadCandidates(Value(name));
        else
            return false;
        return true;
    }

    void ReadCandidates(const std::string& value)
    {
        request_.candidateList.clear();
        if (value == "all" || value == "active") {
            request_.candidates = value == "all" ? DetectCandidates::All : DetectCandidates::Active;
            return;
        }
        request_.candidates = DetectCandidates::List;
        for (std::size_t start = 0; start <= value.size();) {
            const std::size_t comma = std::min(value.find(',', start), value.size());
            request_.candidateList.push_back(CodePageArgument(
                std::string_view(value).substr(start, comma - start), "--candidates", false));
            start = comma + 1;
        }
    }

    bool ReadCopyOption(const std::string& name)
    {
        if (name != "--v1-to-v2" && name != "--v2-to-v1")
            return false;
        Choose(name);
        request_.copyTo = name == "--v1-to-v2" ? TagGrid::ID3v2 : TagGrid::ID3v1;
        return true;
    }

    // The options of which a command takes exactly one.
    void Choose(const std::string& name)
    {
        if (!choice_.empty() && choice_ != name)
            throw UsageError(name + " and " + choice_ + " exclude each other");
        choice_ = name;
    }

    // The value of an option: after "=", or the next argument.
    std::string Value(const std::string& name)
    {
        if (inlineValue_)
            return *std::exchange(inlineValue_, std::nullopt);
        if (next_ >= arguments_.size())
            throw UsageError("option " + name + " needs a value");
        return arguments_[next_++];
    }

    void ReadPositional(const std::string& argument)
    {
        if (request_.command == Subcommand::Set && !assignmentsEnded_) {
            if (argument.find('=') != std::string::npos && !argument.starts_with('='))
                return ReadAssignment(argument);
            assignmentsEnded_ = true;
        }
        if (request_.command == Subcommand::V1Version && !versionRead_)
            return ReadVersion(argument);
        request_.paths.emplace_back(argument);
    }

    void ReadAssignment(const std::string& argument)
    {
        const auto equals = argument.find('=');
        const std::string field = argument.substr(0, equals);
        if (!FieldNamed(field))
            throw UsageError("set: unknown field \"" + field + "\"");
        request_.assignments.push_back(
            { field, Utf8Argument(argument.substr(equals + 1), "the value of " + field) });
    }

    void ReadVersion(const std::string& argument)
    {
        if (argument != "1.0" && argument != "1.1")
            throw UsageError("v1-version: the version is 1.0 or 1.1, not \"" + argument + "\"");
        request_.toV11 = argument == "1.1";
        versionRead_ = true;
    }

    void Finish()
    {
        if (request_.command == Subcommand::Help)
            return;
        CheckCommandArguments();
        if (request_.paths.empty())
            throw UsageError("no file or folder given" + ForCommand());
        if (request_.grids.empty())
            request_.grids.push_back(TagGrid::ID3v2);
        if (request_.command != Subcommand::Set && request_.grids.size() > 1)
            throw UsageError("--v1 and --v2 exclude each other" + ForCommand());
    }

    void CheckCommandArguments()
    {
        switch (request_.command) {
        case Subcommand::Set:
            if (request_.assignments.empty())
                throw UsageError("set: no FIELD=VALUE given");
            return CheckID3v1Fields();
        case Subcommand::Translit:
        case Subcommand::Copy:
            if (choice_.empty())
                throw UsageError(request_.command == Subcommand::Copy
                        ? "copy: choose --v1-to-v2 or --v2-to-v1"
                        : "translit: choose --v1, --v2 or --names");
            return;
        case Subcommand::V1Version:
            if (!versionRead_)
                throw UsageError("v1-version: no version (1.0 or 1.1) given");
            return;
        case Subcommand::TagsFromNames:
            for (const commands::TTagToCreate& rule : request_.tagsFromNames.rules) {
                if (rule.checked)
                    return;
            }
            throw UsageError("tags-from-names: no --rule given");
        case Subcommand::NamesFromTags:
            if (request_.mask.empty())
                throw UsageError("names-from-tags: no --mask given");
            return;
        case Subcommand::Detect:
            return;
        case Subcommand::Reencode:
            if (request_.detect && request_.reencodeTo)
                throw UsageError("reencode: --to and --detect exclude each other");
            if (request_.detect)
                return;
            if (request_.folderLevel || request_.candidates != DetectCandidates::Active)
                throw UsageError("reencode: --folder-level and --candidates go with --detect");
            if (!request_.reencodeTo)
                throw UsageError("reencode: no --to code page given");
            if (*request_.reencodeTo == text::kUtf16CodePage
                && std::ranges::find(request_.grids, TagGrid::ID3v1) != request_.grids.end())
                throw UsageError("reencode --v1: ID3v1 text is 8-bit, code page 1200 cannot hold it");
            return;
        default:
            return;
        }
    }

    // The ID3v1 record has the main fields only.
    void CheckID3v1Fields()
    {
        if (std::find(request_.grids.begin(), request_.grids.end(), TagGrid::ID3v1) == request_.grids.end())
            return;
        for (const FieldAssignment& assignment : request_.assignments) {
            if (!FieldNamed(assignment.field)->IsMain())
                throw UsageError("set --v1: the ID3v1 record has no field \"" + assignment.field + "\"");
        }
    }

    std::string ForCommand() const
    {
        for (const auto& [name, command] : kSubcommands) {
            if (command == request_.command && command != Subcommand::Help)
                return " for " + std::string(name);
        }
        return {};
    }

    const std::vector<std::string>& arguments_;
    std::size_t next_ = 0;
    Request request_;
    std::optional<std::string> inlineValue_;
    bool optionsEnded_ = false;
    bool assignmentsEnded_ = false;
    bool versionRead_ = false;
    std::string choice_;
};

} // namespace

Request ParseArguments(const std::vector<std::string>& arguments)
{
    return ArgumentReader(arguments).Read();
}

} // namespace vennart::cli
