#include "core/files/archive.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/files/archive_writer.h"
#include "core/text/crc32.h"
#include "core/files/vfs.h"
#include "core/files/vfs_test_support.h"

namespace {
using namespace vfs_test;

Bytes Content(const vfs::FileData& file) { return Bytes(file.data, file.data + file.size); }

TEST(ArchiveTest, RefusesMalformedArchivesWithOneErrorLine) {
  const CraftedArchive good{{Plain("a.txt", Text("alpha")), Packed("b.txt", Text("beta beta beta"))}};
  struct Case {
    const char* what;
    std::function<void(Bytes&)> spoil;
    const char* reason;
  };
  const Case cases[] = {
      {"header cut short", [](Bytes& b) { b.resize(20); }, " : short header"},
      {"version checked before magic",
       [](Bytes& b) {
         PutU32(b, 0, 0x12345678);
         PutU32(b, 4, 2);
       },
       " : illegal version number"},
      {"wrong magic", [](Bytes& b) { b[0] = 'X'; }, " : illegal magic number"},
      {"unpacked size not N x 276",
       [](Bytes& b) { PutU32(b, CraftedArchive::kDirSizeField, GetU32(b, CraftedArchive::kDirSizeField) + 1); },
       " : directory size disagrees with entry count"},
      {"count larger than the directory",
       [](Bytes& b) {
         PutU32(b, CraftedArchive::kCountField, 3);
         PutU32(b, CraftedArchive::kDirSizeField, 3 * 276);
       },
       " : directory does not inflate"},
      {"count far beyond what the stream can hold",
       [](Bytes& b) {
         PutU32(b, CraftedArchive::kCountField, 15000000);
         PutU32(b, CraftedArchive::kDirSizeField, 15000000u * 276u);
       },
       " : directory does not inflate"},
      {"directory past the end",
       [](Bytes& b) { PutU32(b, CraftedArchive::kDirStoredField, static_cast<uint32_t>(b.size())); },
       " : directory runs past the end of the file"},
      {"directory stream corrupt", [](Bytes& b) { b[GetU32(b, CraftedArchive::kDirOffsetField) + 4] ^= 0x55; },
       " : directory does not inflate"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir dir;
    Bytes bytes = good.Build();
    c.spoil(bytes);
    const std::string path = dir.Write("bad.arc", bytes);
    LogCapture log;
    vfs::Archive archive;
    EXPECT_FALSE(archive.LoadArchive(path));
    ASSERT_EQ(log.At(MSG_ERROR).size(), 1u);
    EXPECT_NE(log.At(MSG_ERROR)[0].find("Unable to load archive " + path + c.reason + "  [MSG_ERROR]"),
              std::string::npos)
        << log.At(MSG_ERROR)[0];
  }
}

TEST(ArchiveTest, RefusesNameWithoutTerminatorAndMissingFile) {
  ScratchDir dir;
  const std::string path =
      dir.Write("long.arc", CraftedArchive{{Plain("ok", Text("x")), Plain(std::string(256, 'n'), Text("y"))}}.Build());
  const std::string missing = dir.Path() + "/missing.arc";
  for (const auto& [file, line] : {std::pair{path, "Unable to load archive " + path + " : entry name without terminator"},
                                   std::pair{missing, "Unable to load archive " + missing + "  [MSG_ERROR]"}}) {
    LogCapture log;
    vfs::Archive archive;
    EXPECT_FALSE(archive.LoadArchive(file));
    ASSERT_EQ(log.At(MSG_ERROR).size(), 1u);
    EXPECT_NE(log.At(MSG_ERROR)[0].find(line), std::string::npos) << log.At(MSG_ERROR)[0];
    // Entries read before the bad name are not served either.
    EXPECT_TRUE(archive.Entries().empty());
  }
}

TEST(ArchiveTest, RefusedArchiveIsNotMounted) {
  ScratchDir dir;
  Bytes bytes = CraftedArchive{{Plain(dir.Path() + "/a.txt", Text("archived"))}}.Build();
  PutU32(bytes, 4, 7);
  const std::string path = dir.Write("bad.arc", bytes);
  dir.Write("a.txt", Text("loose"));
  vfs::VFS vfs;
  vfs.AddArchive(path);
  vfs::FileData file;
  ASSERT_TRUE(vfs.LoadFile(dir.Path() + "/a.txt", file));
  EXPECT_EQ(Content(file), Text("loose"));
}

TEST(ArchiveTest, EmptyDirectoryMountsAndServesNothing) {
  ScratchDir dir;
  Bytes noStream(36);
  PutU32(noStream, 0, vfs::arc::kMagic);
  PutU32(noStream, 4, 1);
  PutU32(noStream, CraftedArchive::kDirOffsetField, 36);
  for (const Bytes& bytes : {noStream, CraftedArchive{}.Build()}) {
    const std::string path = dir.Write("empty.arc", bytes);
    LogCapture log;
    vfs::Archive archive;
    EXPECT_TRUE(archive.LoadArchive(path));
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_TRUE(archive.Entries().empty());
    vfs::FileData file;
    EXPECT_FALSE(archive.GetFile(num::NameKey(""), file));
  }
}

TEST(ArchiveTest, FirstOfTwoCaseVariantsWins) {
  ScratchDir dir;
  const std::string path =
      dir.Write("v.arc", CraftedArchive{{Plain("Data/Hero.TXT", Text("first")), Packed("data/hero.txt", Text("second"))}}
                             .Build());
  vfs::Archive archive;
  ASSERT_TRUE(archive.LoadArchive(path));
  ASSERT_EQ(archive.Entries().size(), 1u);
  EXPECT_EQ(archive.Entries()[0]->name, "Data/Hero.TXT");
  vfs::FileData file;
  ASSERT_TRUE(archive.GetFile(num::NameKey("data/hero.txt"), file));
  EXPECT_EQ(Content(file), Text("first"));
}

TEST(ArchiveTest, ServesPlainAndPackedEntriesWhole) {
  ScratchDir dir;
  const Bytes noise = Noise(3000, 1);
  const Bytes largeNoise = Noise(20000, 4);
  const Bytes largeText = Text(std::string(20000, 'w'));
  CraftedArchive crafted{{Plain("plain.bin", noise), Packed("packed.lua", Text(std::string(5000, 'q'))),
                          Plain("empty.txt", {}), Packed("empty.lua", {}), Plain("large.bin", largeNoise),
                          Packed("large.lua", largeText)}};
  // A plain entry's stored size is not consulted.
  crafted.entries[0].size = 2000;
  const std::string path = dir.Write("a.arc", crafted.Build());
  vfs::Archive archive;
  ASSERT_TRUE(archive.LoadArchive(path));
  const std::pair<const char*, Bytes> expected[] = {{"PLAIN.BIN", Bytes(noise.begin(), noise.begin() + 2000)},
                                                    {"packed.lua", Text(std::string(5000, 'q'))},
                                                    {"empty.txt", {}},
                                                    {"empty.lua", {}},
                                                    {"large.bin", largeNoise},
                                                    {"large.lua", largeText}};
  for (const auto& [name, bytes] : expected) {
    SCOPED_TRACE(name);
    vfs::FileData file;
    ASSERT_TRUE(archive.GetFile(num::NameKey(name), file));
    EXPECT_NE(file.data, nullptr);
    EXPECT_EQ(Content(file), bytes);
    // Every request gets its own copy.
    if (file.size) file.data[0] ^= 1;
    vfs::FileData again;
    ASSERT_TRUE(archive.GetFile(num::NameKey(name), again));
    EXPECT_EQ(Content(again), bytes);
  }
}

TEST(ArchiveTest, KeepsEntriesUpTo16384BytesCachedAndRereadsLarger) {
  ScratchDir dir;
  const CraftedArchive crafted{{Plain("small", Noise(16384, 2)), Plain("large", Noise(16385, 3))}};
  Bytes bytes = crafted.Build();
  const std::string path = dir.Write("c.arc", bytes);
  vfs::Archive archive;
  ASSERT_TRUE(archive.LoadArchive(path));
  vfs::FileData file;
  ASSERT_TRUE(archive.GetFile(num::NameKey("small"), file));
  ASSERT_TRUE(archive.GetFile(num::NameKey("large"), file));

  // Change both entries' bytes under the open archive: only the uncached one
  // shows the change.
  for (size_t i = 0; i < 2; ++i)
    for (size_t k = 0; k < crafted.entries[i].stored.size(); ++k) bytes[crafted.DataOffset(i) + k] ^= 0xFF;
  dir.Write("c.arc", bytes);

  ASSERT_TRUE(archive.GetFile(num::NameKey("small"), file));
  EXPECT_EQ(Content(file), Noise(16384, 2));
  for (int request = 0; request < 2; ++request) {
    ASSERT_TRUE(archive.GetFile(num::NameKey("large"), file));
    ASSERT_EQ(file.size, 16385u);
    EXPECT_EQ(file.data[0], static_cast<unsigned char>(Noise(16385, 3)[0] ^ 0xFF));
    EXPECT_EQ(file.data[16384], static_cast<unsigned char>(Noise(16385, 3)[16384] ^ 0xFF));
  }
}

TEST(ArchiveTest, PackedEntryInflatingShortIsServedAtItsLength) {
  ScratchDir dir;
  CraftedArchive crafted{{Packed("short.txt", Text("twelve bytes"))}};
  crafted.entries[0].size = 100;
  vfs::Archive archive;
  ASSERT_TRUE(archive.LoadArchive(dir.Write("s.arc", crafted.Build())));
  LogCapture log;
  vfs::FileData file;
  ASSERT_TRUE(archive.GetFile(num::NameKey("short.txt"), file));
  EXPECT_EQ(Content(file), Text("twelve bytes"));
  EXPECT_TRUE(log.Lines().empty());
}

TEST(ArchiveTest, UnreadableEntryFailsItsLoadWithoutFallingBackToLooseFiles) {
  const Bytes text = Text(std::string(300, 'z'));
  const auto with = [](CraftedEntry entry, const std::function<void(CraftedEntry&)>& change) {
    change(entry);
    return entry;
  };
  struct Case {
    const char* what;
    CraftedEntry entry;
    const char* reason;
  };
  const Case cases[] = {
      {"plain offset past the end", with(Plain("e", text), [](CraftedEntry& e) { e.offsetField = 1u << 30; }),
       " : data runs past the end of the archive"},
      {"plain size past the end", with(Plain("e", text), [](CraftedEntry& e) { e.size = 100000; }),
       " : data runs past the end of the archive"},
      {"packed stored size past the end",
       with(Packed("e", text), [](CraftedEntry& e) { e.storedSizeField = 100000; }),
       " : data runs past the end of the archive"},
      {"offset plus size wraps 32 bits",
       with(Plain("e", text), [](CraftedEntry& e) { e.offsetField = 0xFFFFFF00u; }),
       " : data runs past the end of the archive"},
      {"packed stream corrupt", with(Packed("e", text), [](CraftedEntry& e) { e.stored[3] ^= 0xA5; }),
       " : data does not inflate"},
      {"packed stream cut short", with(Packed("e", text), [](CraftedEntry& e) { e.stored.resize(5); }),
       " : data does not inflate"},
      {"packed stream longer than its size", with(Packed("e", text), [](CraftedEntry& e) { e.size = 299; }),
       " : data does not inflate"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir dir;
    // A loose file of the same name is not read instead.
    const std::string name = dir.Write("e", Text("loose copy"));
    CraftedArchive crafted{{c.entry}};
    crafted.entries[0].name = name;
    const std::string path = dir.Write("e.arc", crafted.Build());
    vfs::VFS vfs;
    vfs.AddArchive(path);
    vfs::FileData file;
    file.name = "untouched";
    LogCapture log;
    EXPECT_FALSE(vfs.LoadFile(name, file));
    EXPECT_EQ(file.name, "untouched");
    EXPECT_EQ(file.data, nullptr);
    ASSERT_EQ(log.At(MSG_ERROR).size(), 1u);
    EXPECT_NE(log.At(MSG_ERROR)[0].find("Unable to read " + name + " from archive " + path + c.reason),
              std::string::npos)
        << log.At(MSG_ERROR)[0];
  }
}

}  // namespace
