// Replays the files named on the command line through the data-file fuzz target, one after the
// other, where libFuzzer's own main is not at hand (g++). A breach of the target's properties
// aborts with its description; the file being replayed is named first, so the log says which.
// With --expect-breach the files must breach: the abort ends the replay with exit 0, and getting
// through them all is the failure.

#include <csignal>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char* argv[])
{
    const bool expectBreach = argc > 1 && std::strcmp(argv[1], "--expect-breach") == 0;
    const int first = expectBreach ? 2 : 1;
    if (argc <= first) {
        std::fprintf(stderr, "usage: %s [--expect-breach] FILE...\n", argv[0]);
        return 2;
    }
    if (expectBreach) {
        std::signal(SIGABRT, [](int) { std::_Exit(0); });
    }
    for (int i = first; i < argc; ++i) {
        std::ifstream file(argv[i], std::ios::binary);
        if (!file) {
            std::fprintf(stderr, "fuzz replay: cannot read %s\n", argv[i]);
            return 2;
        }
        const std::vector<char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        std::fprintf(stderr, "fuzz replay: %s\n", argv[i]);
        std::fflush(stderr);
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    if (expectBreach) {
        std::fprintf(stderr, "fuzz replay: no breach\n");
        return 1;
    }
    return 0;
}
