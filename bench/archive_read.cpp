// Reading every entry of a packed content archive through the virtual file
// system, against zlib's uncompress of the same entries already in memory.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <zlib.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/files/archive.h"
#include "core/files/archive_writer.h"
#include "core/text/crc32.h"
#include "core/files/vfs.h"
#include "ratio_report.h"

namespace {

using Bytes = std::vector<unsigned char>;

// Content shaped like the game's: many small scripts and panels that pack
// well, fewer large images that hardly pack.
struct Content {
  Content() {
    uint32_t seed = 7;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    for (int i = 0; i < 120; ++i) {
      std::string text;
      while (text.size() < 1000u + next() % 30000u)
        text += "Widget" + std::to_string(next() % 97) + " = { Position = {0.25, 0.5}, Text = \"Play\" }\n";
      Add("scripts/file" + std::to_string(i) + ".lua", Bytes(text.begin(), text.end()));
    }
    for (int i = 0; i < 30; ++i) {
      Bytes image(40000u + next() % 200000u);
      for (size_t k = 0; k < image.size(); ++k) image[k] = static_cast<unsigned char>(k % 64 < 48 ? 0 : next() >> 24);
      Add("img/image" + std::to_string(i) + ".png", image);
    }
    char pattern[] = "/tmp/vantor_bench_XXXXXX";
    folder = ::mkdtemp(pattern) ? pattern : "/tmp";
    path = folder + "/zev.arc";
    vfs::ArchiveWriter writer;
    writer.Open(path);
    for (size_t i = 0; i < names.size(); ++i) writer.Add(names[i], files[i].data(), files[i].size());
    writer.Finish();
  }
  ~Content() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  void Add(const std::string& name, Bytes bytes) {
    names.push_back(name);
    files.push_back(std::move(bytes));
  }
  size_t TotalBytes() const {
    size_t total = 0;
    for (const Bytes& file : files) total += file.size();
    return total;
  }

  std::vector<std::string> names;
  std::vector<Bytes> files;
  std::string folder, path;
};

const Content& GetContent() {
  static Content content;
  return content;
}

void BM_VfsReadEveryEntry(benchmark::State& state) {
  const Content& content = GetContent();
  vfs::VFS vfs;
  vfs.AddArchive(content.path);
  vfs::FileData file;
  for (auto _ : state)
    for (const std::string& name : content.names) {
      vfs.LoadFile(name, file);
      benchmark::DoNotOptimize(file.data);
    }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * content.TotalBytes()));
}
BENCHMARK(BM_VfsReadEveryEntry);

void BM_ZlibUncompressEveryEntry(benchmark::State& state) {
  const Content& content = GetContent();
  // The entries as stored, read once through the archive's own directory.
  vfs::Archive archive;
  archive.LoadArchive(content.path);
  FILE* f = std::fopen(content.path.c_str(), "rb");
  struct Stored {
    Bytes bytes;
    uint32_t size;
    bool packed;
  };
  std::vector<Stored> stored;
  for (const vfs::ArchiveEntry* entry : archive.Entries()) {
    Stored s{Bytes(entry->IsPacked() ? entry->storedSize : entry->size), entry->size, entry->IsPacked()};
    std::fseek(f, entry->dataOffset, SEEK_SET);
    if (std::fread(s.bytes.data(), 1, s.bytes.size(), f) != s.bytes.size()) state.SkipWithError("short read");
    stored.push_back(std::move(s));
  }
  std::fclose(f);
  for (auto _ : state)
    for (const Stored& s : stored) {
      Bytes out(s.size);
      uLongf length = s.size;
      if (s.packed)
        ::uncompress(out.data(), &length, s.bytes.data(), s.bytes.size());
      else
        std::memcpy(out.data(), s.bytes.data(), s.size);
      benchmark::DoNotOptimize(out.data());
    }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * content.TotalBytes()));
}
BENCHMARK(BM_ZlibUncompressEveryEntry);

}  // namespace

int main(int argc, char** argv) {
  return bench::RunWithComparisons(argc, argv, {{"BM_VfsReadEveryEntry", "BM_ZlibUncompressEveryEntry"}});
}
