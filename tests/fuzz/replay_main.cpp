// Runs the fuzz target over files, for builds without libFuzzer (the CI
// replays the kept corpus this way, under the sanitizers).
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  std::vector<std::string> inputs;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path path(argv[i]);
    if (std::filesystem::is_directory(path)) {
      for (const auto& entry : std::filesystem::directory_iterator(path))
        if (entry.is_regular_file()) inputs.push_back(entry.path().string());
    } else {
      inputs.push_back(path.string());
    }
  }
  std::vector<std::string> contents;
  for (const std::string& input : inputs) {
    std::ifstream in(input, std::ios::binary);
    contents.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // The kept inputs only touch relative names: a fresh folder holds them.
  char folder[] = "/tmp/orv-replay-XXXXXX";
  if (!mkdtemp(folder) || chdir(folder) != 0) {
    std::perror("orv replay: no working folder");
    return 2;
  }
  for (const std::string& bytes : contents)
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  std::printf("%zu inputs replayed\n", contents.size());
  std::filesystem::current_path("/");
  std::filesystem::remove_all(folder);
  return 0;
}
