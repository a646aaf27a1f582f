#pragma once
// The real exchange files the tests read: the compact set kept in the repository (tests/data,
// always present, so a fresh clone runs every test) and the larger corpus beside the project
// (STRACOL_CORPUS_DIR), which extends the runs that go over many files when it is present.
//
// A test of one named file uses TestDataFile("v400/boringrs_BED0400.XML"). A test that goes
// over every file uses AllExchangeFiles(): the repository's files, then the corpus files that
// are not copies of them (the repository's files keep the corpus's folder and file names).

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#ifndef STRACOL_TEST_DATA_DIR
#error "STRACOL_TEST_DATA_DIR must name the repository's test data folder"
#endif
#ifndef STRACOL_CORPUS_DIR
#define STRACOL_CORPUS_DIR ""
#endif

namespace stracol::testing {

inline std::filesystem::path TestDataDir() { return std::filesystem::path(STRACOL_TEST_DATA_DIR); }

// The larger corpus, or an empty path when it is not configured or not there.
inline std::filesystem::path LargeCorpusDir() {
    const std::filesystem::path dir(STRACOL_CORPUS_DIR);
    std::error_code ec;
    if (dir.empty() || !std::filesystem::is_directory(dir, ec)) return {};
    return dir;
}

// A file of the repository's data by its path below the data folder.
inline std::string TestDataFile(const std::string& relative) { return (TestDataDir() / relative).string(); }

// Every exchange XML file below the folder (extension .xml in any case), sorted; none when the
// folder is empty or absent.
inline std::vector<std::filesystem::path> ExchangeFilesIn(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    if (folder.empty() || !std::filesystem::is_directory(folder, ec)) return files;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        std::string ext = it->path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
        if (ext == ".xml" && it->is_regular_file(ec)) files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The repository's exchange files, then those of the larger corpus (when present) whose path
// below the corpus is not one of the repository's.
inline std::vector<std::filesystem::path> AllExchangeFiles() {
    std::vector<std::filesystem::path> files = ExchangeFilesIn(TestDataDir());
    std::set<std::string> kept;
    for (const auto& file : files) kept.insert(file.lexically_relative(TestDataDir()).generic_string());
    const std::filesystem::path corpus = LargeCorpusDir();
    for (const auto& file : ExchangeFilesIn(corpus))
        if (!kept.count(file.lexically_relative(corpus).generic_string())) files.push_back(file);
    return files;
}

}  // namespace stracol::testing
