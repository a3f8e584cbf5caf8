#include "core/files/archive_writer.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "core/files/archive.h"
#include "core/text/crc32.h"
#include "core/files/vfs.h"
#include "core/files/vfs_test_support.h"

namespace {
using namespace vfs_test;

TEST(ArchiveWriterTest, WritesWhatTheReaderServes) {
  const std::pair<std::string, Bytes> files[] = {
      {"scripts/console.lua", Text(std::string(2000, 'l'))},  // packs well
      {"img/noise.png", Noise(20000, 9)},                     // does not
      {"empty.txt", {}},
      {std::string(255, 'n'), Text("longest name")},
  };
  ScratchDir dir;
  const std::string path = dir.Path() + "/w.arc";
  vfs::ArchiveWriter writer;
  ASSERT_TRUE(writer.Open(path));
  for (const auto& [name, bytes] : files) ASSERT_TRUE(writer.Add(name, bytes.data(), bytes.size())) << name;
  ASSERT_TRUE(writer.Finish());

  vfs::Archive archive;
  ASSERT_TRUE(archive.LoadArchive(path));
  EXPECT_EQ(archive.Entries().size(), std::size(files));
  for (const auto& [name, bytes] : files) {
    vfs::FileData file;
    ASSERT_TRUE(archive.GetFile(num::NameKey(name), file)) << name;
    EXPECT_EQ(Bytes(file.data, file.data + file.size), bytes) << name;
  }
  for (const vfs::ArchiveEntry* entry : archive.Entries()) {
    SCOPED_TRACE(entry->name);
    EXPECT_EQ(entry->IsPacked(), entry->name == "scripts/console.lua");
    if (!entry->IsPacked()) {
      EXPECT_EQ(entry->storedSize, entry->size);
    }
  }
}

TEST(ArchiveWriterTest, RefusesNamesTheReaderCouldNotServe) {
  ScratchDir dir;
  vfs::ArchiveWriter writer;
  ASSERT_TRUE(writer.Open(dir.Path() + "/r.arc"));
  const unsigned char byte = 1;
  ASSERT_TRUE(writer.Add("Ui/Loading.ui", &byte, 1));
  for (const std::string& name : {std::string(), std::string(256, 'n'), std::string("ui/LOADING.UI"),
                                  std::string("nul\0inside", 10)}) {
    LogCapture log;
    EXPECT_FALSE(writer.Add(name, &byte, 1)) << name;
    EXPECT_EQ(log.At(MSG_ERROR).size(), 1u);
  }
  ASSERT_TRUE(writer.Finish());
  vfs::Archive archive;
  ASSERT_TRUE(archive.LoadArchive(dir.Path() + "/r.arc"));
  EXPECT_EQ(archive.Entries().size(), 1u);
}

// Caps the size of the files this process writes while alive.
class FileSizeCap {
 public:
  explicit FileSizeCap(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &previous_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);  // a failed write instead of a kill
    rlimit cap = previous_;
    cap.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &cap);
  }
  ~FileSizeCap() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit previous_;
  void (*previousHandler_)(int);
};

TEST(ArchiveWriterTest, AnEntryThatFailsToWriteLeavesNoTrace) {
  ScratchDir dir;
  const std::string path = dir.Path() + "/f.arc";
  const Bytes big = Noise(200000, 4), small = Text("small");
  {
    FileSizeCap cap(65536);
    vfs::ArchiveWriter writer;
    ASSERT_TRUE(writer.Open(path));
    LogCapture log;
    ASSERT_FALSE(writer.Add("big.bin", big.data(), static_cast<uint32_t>(big.size())));
    ASSERT_EQ(log.At(MSG_ERROR).size(), 1u);
    EXPECT_NE(log.At(MSG_ERROR)[0].find("write failed at big.bin"), std::string::npos);
    // The failed name is free again, and the archive holds only what was written.
    ASSERT_TRUE(writer.Add("BIG.bin", small.data(), static_cast<uint32_t>(small.size())));
    ASSERT_TRUE(writer.Finish());
  }
  vfs::Archive archive;
  ASSERT_TRUE(archive.LoadArchive(path));
  ASSERT_EQ(archive.Entries().size(), 1u);
  vfs::FileData file;
  ASSERT_TRUE(archive.GetFile(num::NameKey("big.bin"), file));
  EXPECT_EQ(Bytes(file.data, file.data + file.size), small);
}

TEST(ArchiveWriterTest, EmptyArchiveMounts) {
  ScratchDir dir;
  vfs::ArchiveWriter writer;
  ASSERT_TRUE(writer.Open(dir.Path() + "/e.arc"));
  ASSERT_TRUE(writer.Finish());
  vfs::Archive archive;
  EXPECT_TRUE(archive.LoadArchive(dir.Path() + "/e.arc"));
  EXPECT_TRUE(archive.Entries().empty());
}

}  // namespace
