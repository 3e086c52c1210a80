#include "platform/SaveLeftovers.h"

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>

namespace vennart::platform {
namespace {

constexpr std::string_view kPrefix = ".vennart-";
constexpr std::size_t kHexDigits = 16;
constexpr std::string_view kNewSuffix = ".new";
constexpr std::string_view kOldSuffix = ".old";

} // namespace

std::filesystem::path UniqueLeftoverName(const std::filesystem::path& folder, SaveLeftover kind)
{
    std::random_device source;
    const auto value = (static_cast<unsigned long long>(source()) << 32) | source();
    char digits[kHexDigits + 1];
    std::snprintf(digits, sizeof digits, "%016llx", value);
    std::string name(kPrefix);
    name += digits;
    name += kind == SaveLeftover::NewCopy ? kNewSuffix : kOldSuffix;
    return (folder.empty() ? std::filesystem::path(".") : folder) / name;
}

bool IsLeftoverName(std::string_view name)
{
    if (name.size() != kPrefix.size() + kHexDigits + kNewSuffix.size() || !name.starts_with(kPrefix))
        return false;
    const std::string_view digits = name.substr(kPrefix.size(), kHexDigits);
    const std::string_view suffix = name.substr(kPrefix.size() + kHexDigits);
    return std::ranges::all_of(digits, [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
    }) && (suffix == kNewSuffix || suffix == kOldSuffix);
}

} // namespace vennart::platform
