// The large inputs of the benchmarks: a graph file of many filters and connections, built
// with the test-support writers, and junk that holds no graph text anywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "support/byte_writer.h"

namespace mivalto::bench {

struct BigGraphSize {
  std::size_t filters = 10'000;
  std::size_t connections = 10'000;
};

// A version 0003 graph file: filters of every kind the analysis tells apart (plain, with a
// SOURCE clause, DMO, device, ACM, AVI compressor, renderer), connections alternating a
// VideoInfoHeader2 and a wave format block. The text starts behind decoy sectors.
testing::ByteVector BigGraphFile(const BigGraphSize& size);

// Fills `out` with pseudo-random bytes, none of them zero, so that no sector can begin with
// a UTF-16 version line. `seed` picks the sequence; the same seed gives the same bytes.
void FillJunk(std::span<std::uint8_t> out, std::uint64_t& seed);

}  // namespace mivalto::bench
