// The shared corpus of real-world files other programs wrote, read where it lies beside the
// repository and never copied into it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vennart::test {

inline const std::filesystem::path kCorpus = VENNART_CORPUS_DIR;

// The corpus files as paths relative to kCorpus, sorted, without its MANIFEST.txt; none when the
// folder is absent.
std::vector<std::string> CorpusFiles();

} // namespace vennart::test
