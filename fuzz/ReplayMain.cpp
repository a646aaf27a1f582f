// Replays inputs through a fuzz target without libFuzzer, so that an ordinary build (g++, no
// sanitizers) runs every target on its seeds and on fixed damaged copies of them: each seed
// whole, cut at seven points, and with single bytes overwritten by bytes that matter to the
// readers (NUL, a lone Shift_JIS lead byte, "<", ">", a quote, a comma, a digit). A reproducer
// kept by fuzz/run.sh replays the same way.
//
//   TARGET_replay FILE_OR_FOLDER...     (exit status 0 when every input ran)

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

bool ReadWhole(const std::filesystem::path& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

void Run(const std::string& bytes) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

// The seed and its damaged copies; returns how many inputs ran.
std::size_t Replay(const std::string& seed) {
    std::size_t runs = 0;
    Run(seed);
    ++runs;
    if (seed.empty()) return runs;
    for (int k = 1; k < 8; ++k) {
        Run(seed.substr(0, seed.size() * static_cast<std::size_t>(k) / 8));
        ++runs;
    }
    const char damage[] = {'\0', '\x81', '<', '>', '"', ',', '9', '\xff'};
    for (std::size_t i = 0; i < sizeof damage; ++i) {
        std::string copy = seed;
        // Spread over the seed, at a different place for each byte.
        copy[(seed.size() * (2 * i + 1) / 16 + i * 7919) % seed.size()] = damage[i];
        Run(copy);
        ++runs;
    }
    return runs;
}

}  // namespace

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
    std::vector<std::filesystem::path> inputs;
    for (int i = 1; i < argc; ++i) {
        std::error_code ec;
        const std::filesystem::path path(argv[i]);
        if (std::filesystem::is_directory(path, ec)) {
            for (const auto& entry : std::filesystem::recursive_directory_iterator(path, ec))
                if (entry.is_regular_file(ec)) inputs.push_back(entry.path());
        } else if (std::filesystem::is_regular_file(path, ec)) {
            inputs.push_back(path);
        } else {
            std::fprintf(stderr, "%s: no such file or folder\n", argv[i]);
            return 2;
        }
    }
    if (inputs.empty()) {
        std::fprintf(stderr, "usage: %s FILE_OR_FOLDER...\n", argv[0]);
        return 2;
    }
    std::size_t runs = 0;
    for (const auto& path : inputs) {
        std::string bytes;
        if (!ReadWhole(path, bytes)) {
            std::fprintf(stderr, "%s: cannot be read\n", path.string().c_str());
            return 2;
        }
        runs += Replay(bytes);
    }
    std::printf("%zu inputs from %zu files ran\n", runs, inputs.size());
    return 0;
}
