// Replays a fuzz target's corpus without libFuzzer: each file of each folder given (or each file
// given), in name order, goes once through LLVMFuzzerTestOneInput. A broken invariant stops the
// run as it would stop the fuzzer, so the ordinary test build keeps every target alive.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::filesystem::path> InputsOf(const std::filesystem::path& given) {
  std::vector<std::filesystem::path> inputs;
  if (std::filesystem::is_directory(given)) {
    for (const auto& entry : std::filesystem::directory_iterator(given)) {
      if (entry.is_regular_file()) inputs.push_back(entry.path());
    }
    std::sort(inputs.begin(), inputs.end());
  } else if (std::filesystem::is_regular_file(given)) {
    inputs.push_back(given);
  }
  return inputs;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s CORPUS_FOLDER_OR_FILE...\n", argv[0]);
    return 2;
  }
  int replayed = 0;
  for (int i = 1; i < argc; ++i) {
    const std::vector<std::filesystem::path> inputs = InputsOf(argv[i]);
    if (inputs.empty()) {
      std::fprintf(stderr, "%s: no input in %s\n", argv[0], argv[i]);
      return 1;
    }
    for (const std::filesystem::path& input : inputs) {
      std::ifstream file(input, std::ios::binary);
      const std::vector<char> bytes{std::istreambuf_iterator<char>(file),
                                    std::istreambuf_iterator<char>()};
      std::printf("%s\n", input.filename().c_str());
      std::fflush(stdout);
      // As libFuzzer does, an empty input still comes with a valid pointer.
      static const std::uint8_t kNothing = 0;
      LLVMFuzzerTestOneInput(
          bytes.empty() ? &kNothing : reinterpret_cast<const std::uint8_t*>(bytes.data()),
          bytes.size());
      ++replayed;
    }
  }
  std::printf("%d inputs replayed\n", replayed);
  return 0;
}
