// Writes the sample graph files into the folder given on the command line (samples/).
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "support/sample_graphs.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: mivalto-make-samples <folder>\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  for (const mivalto::testing::SampleFile& sample : mivalto::testing::SampleFiles()) {
    std::ofstream out(folder / sample.name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(sample.bytes.data()),
              static_cast<std::streamsize>(sample.bytes.size()));
    if (!out) {
      std::fprintf(stderr, "cannot write %s\n", sample.name.c_str());
      return 1;
    }
    std::printf("%s: %zu bytes\n", sample.name.c_str(), sample.bytes.size());
  }
  return 0;
}
