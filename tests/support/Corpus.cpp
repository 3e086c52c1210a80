#include "support/Corpus.h"

#include <algorithm>
#include <system_error>

namespace vennart::test {

std::vector<std::string> CorpusFiles()
{
    std::vector<std::string> files;
    std::error_code error;
    for (std::filesystem::recursive_directory_iterator it(kCorpus, error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_regular_file() && it->path().filename() != "MANIFEST.txt")
            files.push_back(std::filesystem::relative(it->path(), kCorpus).string());
    }
    std::ranges::sort(files);
    return files;
}

} // namespace vennart::test
