#include "CliProcess.h"

#include <QJsonDocument>
#include <cstdio>
#include <grp.h>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace vennart::test {
namespace {

constexpr uid_t kNobody = 65534;

void HandToNobody(const std::filesystem::path& folder)
{
    ASSERT_EQ(chown(folder.c_str(), kNobody, kNobody), 0);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        ASSERT_EQ(lchown(entry.path().c_str(), kNobody, kNobody), 0) << entry.path();
}

// What the child wrote to the file, which is then closed.
std::string ReadAll(FILE* file)
{
    std::fseek(file, 0, SEEK_END);
    std::string text(static_cast<std::size_t>(std::ftell(file)), '\0');
    std::rewind(file);
    text.resize(std::fread(text.data(), 1, text.size(), file));
    std::fclose(file);
    return text;
}

} // namespace

std::vector<QJsonObject> CliResult::JsonLines() const
{
    std::vector<QJsonObject> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
        QJsonParseError error {};
        const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError)
            << error.errorString().toStdString() << " in " << line;
        EXPECT_TRUE(document.isObject()) << line;
        lines.push_back(document.object());
    }
    return lines;
}

CliResult RunCli(
    const std::vector<std::string>& arguments, const std::filesystem::path& folder, bool asUnprivileged)
{
    const bool dropPrivileges = asUnprivileged && geteuid() == 0;
    // The build tree may lie where nobody cannot reach it: that user runs a copy in the folder.
    std::string executable = VENNART_CLI_EXECUTABLE;
    if (dropPrivileges) {
        executable = (folder / ".vennart-cli").string();
        std::filesystem::copy_file(VENNART_CLI_EXECUTABLE, executable);
        HandToNobody(folder);
    }
    // Output goes to unlinked files rather than pipes, so that neither stream can fill and block.
    FILE* out = std::tmpfile();
    FILE* err = std::tmpfile();
    std::vector<char*> argv { executable.data() };
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        const bool ready = dup2(fileno(out), STDOUT_FILENO) >= 0 && dup2(fileno(err), STDERR_FILENO) >= 0
            && chdir(folder.c_str()) == 0
            && (!dropPrivileges
                || (setgroups(0, nullptr) == 0 && setgid(kNobody) == 0 && setuid(kNobody) == 0));
        if (ready)
            execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    EXPECT_EQ(waitpid(child, &status, 0), child);
    return { WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadAll(out), ReadAll(err) };
}

} // namespace vennart::test
