// Runs the vennart-cli executable the build made, as a shell would, and parses its JSON lines.
#pragma once

#include <QJsonObject>
#include <filesystem>
#include <string>
#include <vector>

namespace vennart::test {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
    // Each line of out as a JSON object; a line that is not one fails the running test.
    std::vector<QJsonObject> JsonLines() const;
};

// `asUnprivileged`: when the tests run as root, who may write any file, the tool runs as the user
// nobody instead, so that file modes mean what they say; `folder` is then handed to that user,
// with a copy of the tool in it.
CliResult RunCli(const std::vector<std::string>& arguments, const std::filesystem::path& folder,
    bool asUnprivileged = false);

} // namespace vennart::test
