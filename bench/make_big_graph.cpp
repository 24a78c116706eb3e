// Writes the large files that scripts/bench measures the command-line tool on:
//   mivalto-make-big-graph FILE [FILTERS CONNECTIONS]   a graph (default 10000 and 10000)
//   mivalto-make-big-graph --junk MEGABYTES FILE        junk without graph text, written out
//                                                       in full (no holes), so reads are real
#include <charconv>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string_view>
#include <vector>

#include "big_graph.h"

namespace {

constexpr std::string_view kUsage =
    "usage: mivalto-make-big-graph FILE [FILTERS CONNECTIONS]\n"
    "       mivalto-make-big-graph --junk MEGABYTES FILE\n";

std::optional<std::size_t> Count(std::string_view text) {
  std::size_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

bool WriteGraph(const char* path, const mivalto::bench::BigGraphSize& size) {
  const mivalto::testing::ByteVector bytes = mivalto::bench::BigGraphFile(size);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

bool WriteJunk(const char* path, std::size_t megabytes) {
  std::vector<std::uint8_t> chunk(1 << 20);
  std::uint64_t seed = 0x6D6976616C746FULL;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  for (std::size_t i = 0; i < megabytes && out; ++i) {
    mivalto::bench::FillJunk(chunk, seed);
    out.write(reinterpret_cast<const char*>(chunk.data()), static_cast<std::streamsize>(chunk.size()));
  }
  return static_cast<bool>(out.flush());
}

std::optional<bool> Run(int argc, char** argv) {
  if (argc == 4 && std::string_view(argv[1]) == "--junk") {
    const std::optional<std::size_t> megabytes = Count(argv[2]);
    if (!megabytes) return std::nullopt;
    return WriteJunk(argv[3], *megabytes);
  }
  // An option where the file should be (--help) gets the usage, not a file of that name.
  if (argc != 2 && argc != 4) return std::nullopt;
  if (argv[1][0] == '-') return std::nullopt;
  if (argc == 2) return WriteGraph(argv[1], {});
  const std::optional<std::size_t> filters = Count(argv[2]), connections = Count(argv[3]);
  if (!filters || !connections || *filters == 0) return std::nullopt;
  return WriteGraph(argv[1], {*filters, *connections});
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<bool> written = Run(argc, argv);
  if (!written) {
    std::fputs(kUsage.data(), stderr);
    return 2;
  }
  if (!*written) {
    std::fprintf(stderr, "mivalto-make-big-graph: cannot write %s\n", argv[argc - 1]);
    return 1;
  }
  return 0;
}
