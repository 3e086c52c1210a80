#include "commands/NameCheck.h"

#include "platform/CaseMapping.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace vennart::commands {
namespace {

bool HasForbiddenCharacter(const WideString& name)
{
    return std::any_of(
        name.begin(), name.end(), [](char16_t unit) { return unit == u'/' || unit < 0x20 || unit == 0x7F; });
}

bool IsOnlyExtension(const WideString& name)
{
    return name.empty() || platform::EqualNoCase(name, u".mp3");
}

// Bytes of the name in UTF-8, as Linux stores it.
std::size_t Utf8Length(const WideString& name)
{
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char16_t unit = name[i];
        if (unit < 0x80)
            bytes += 1;
        else if (unit < 0x800)
            bytes += 2;
        else if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < name.size())
            bytes += 4, ++i;
        else
            bytes += 3;
    }
    return bytes;
}

std::optional<NameProblem> ProblemOfName(const WideString& name)
{
    if (IsOnlyExtension(name))
        return NameProblem::NothingButExtension;
    if (HasForbiddenCharacter(name))
        return NameProblem::ForbiddenCharacter;
    if (Utf8Length(name) > kMaxFileNameBytes)
        return NameProblem::TooLong;
    return std::nullopt;
}

} // namespace

std::vector<std::optional<NameProblem>> CheckNewNames(
    const std::vector<WideString>& names, const std::vector<WideString>& otherNames)
{
    std::unordered_map<WideString, int> uses;
    for (const auto& name : names)
        ++uses[name];
    const std::unordered_set<WideString> others(otherNames.begin(), otherNames.end());

    std::vector<std::optional<NameProblem>> problems;
    problems.reserve(names.size());
    for (const auto& name : names) {
        auto problem = ProblemOfName(name);
        if (!problem && uses[name] > 1)
            problem = NameProblem::SameAsAnotherNewName;
        if (!problem && others.contains(name))
            problem = NameProblem::SameAsAnotherFile;
        problems.push_back(problem);
    }
    return problems;
}

std::string_view NameProblemText(NameProblem problem)
{
    switch (problem) {
    case NameProblem::SameAsAnotherNewName:
        return "Another selected file gets the same name";
    case NameProblem::SameAsAnotherFile:
        return "A file of this folder already has this name";
    case NameProblem::ForbiddenCharacter:
        return "A file name cannot hold \"/\" or control characters";
    case NameProblem::NothingButExtension:
        return "The name is empty";
    case NameProblem::TooLong:
        return "The name is longer than 255 bytes";
    }
    return {};
}

} // namespace vennart::commands
