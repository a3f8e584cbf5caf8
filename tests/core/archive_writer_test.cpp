#include "core/archive_writer.h"

#include <gtest/gtest.h>

#include "core/archive.h"
#include "core/crc32.h"
#include "core/vfs.h"
#include "vfs_test_support.h"

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
