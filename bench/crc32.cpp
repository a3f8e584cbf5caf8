// Name-key throughput against zlib's crc32 over the same bytes.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <string>

#include "core/text/crc32.h"

namespace {

std::string Bytes(size_t length) {
  std::string bytes(length, '\0');
  for (size_t i = 0; i < length; ++i) bytes[i] = static_cast<char>('a' + (i * 7) % 26);
  return bytes;
}

void NameKey(benchmark::State& state) {
  const std::string bytes = Bytes(static_cast<size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(num::NameKey(bytes));
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

void Compute(benchmark::State& state) {
  const std::string bytes = Bytes(static_cast<size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(num::GetCRC32().Compute(bytes.data(), bytes.size()));
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

void ZlibCrc32(benchmark::State& state) {
  const std::string bytes = Bytes(static_cast<size_t>(state.range(0)));
  const Bytef* data = reinterpret_cast<const Bytef*>(bytes.data());
  for (auto _ : state) benchmark::DoNotOptimize(crc32(0, data, static_cast<uInt>(bytes.size())));
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

// Typical names (a few dozen bytes) up to a whole file's worth.
BENCHMARK(NameKey)->Arg(16)->Arg(64)->Arg(4096);
BENCHMARK(Compute)->Arg(16)->Arg(64)->Arg(4096);
BENCHMARK(ZlibCrc32)->Arg(16)->Arg(64)->Arg(4096);

}  // namespace
