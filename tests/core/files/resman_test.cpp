#include "core/files/resman.h"

#include <gtest/gtest.h>

#include <map>

#include "core/text/crc32.h"
#include "core/files/vfs_test_support.h"

namespace {
using namespace vfs_test;

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Records what the manager asks of each resource.
std::vector<std::string>& Calls() {
  static std::vector<std::string> calls;
  return calls;
}

class FakeResource : public res::Resource {
 public:
  static int created;
  static res::Resource* Create() {
    ++created;
    return new FakeResource;
  }
  static res::Resource* CreateOther() { return new FakeResource; }
  static res::Resource* CreateNothing() { return nullptr; }

  bool InitializeResource() override {
    Calls().push_back("init " + GetName());
    if (state_ == res::kStateReleased) return Load();
    bytes = Bytes(file_.data, file_.data + file_.size);
    file_.Release();
    state_ = res::kStateReady;
    return true;
  }
  ~FakeResource() override { Calls().push_back("destroy " + GetName()); }
  void Release() override {
    Calls().push_back("release " + GetName());
    state_ = res::kStateReleased;
  }

  Bytes bytes;
};
int FakeResource::created = 0;

class ResManTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Calls().clear();
    FakeResource::created = 0;
    manager.AddResourceConstructor(&FakeResource::Create, "png");
  }
  res::ResMan manager;
  ScratchDir dir;
};

TEST_F(ResManTest, SecondRegistrationWarnsOnceAndWins) {
  LogCapture log;
  manager.AddResourceConstructor(&FakeResource::CreateOther, "PNG");
  ASSERT_EQ(log.Lines().size(), 1u);
  EXPECT_NE(log.At(MSG_WARNING)[0].find("Double register extension PNG in resource manager"), std::string::npos);
  dir.Write("a.png", Text("png"));
  EXPECT_NE(manager.LoadResource(dir.Path() + "/a.png"), nullptr);
  EXPECT_EQ(FakeResource::created, 0);
}

TEST_F(ResManTest, LoadsOnceAndFindsByAnyCase) {
  dir.Write("Img/Hero.png", Text("hero bytes"));
  const std::string name = dir.Path() + "/IMG/Hero.PNG";
  res::Resource* loaded = manager.LoadResource(name);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->GetState(), res::kStateReady);
  EXPECT_EQ(static_cast<FakeResource*>(loaded)->bytes, Text("hero bytes"));
  const std::string lower = Lower(name);
  EXPECT_EQ(loaded->GetName(), lower);
  EXPECT_EQ(loaded->GetExtension(), "png");
  EXPECT_EQ(loaded->GetFullPath(), dir.Path() + "/Img/Hero.png");

  EXPECT_EQ(manager.FindResource(lower), loaded);
  // A repeated load returns the registered resource instead of a stray copy.
  EXPECT_EQ(manager.LoadResource(lower), loaded);
  EXPECT_EQ(FakeResource::created, 1);
}

TEST_F(ResManTest, FailuresLogTheirLinesInOrder) {
  manager.AddResourceConstructor(&FakeResource::CreateNothing, "tga");
  const std::string missing = dir.Path() + "/missing.png";
  struct Case {
    std::string name;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"readme", {"Unable to find loader function for resource readme"}},
      {dir.Path() + "/present.jpg", {"Unable to find loader function for resource " + dir.Path() + "/present.jpg"}},
      {"picture.tga", {"Unable to find create resource picture.tga"}},
      {missing,
       {"Couldn't find file " + missing + " in archives", "Unable to load surface " + Lower(missing),
        "Error loading resource " + missing}},
  };
  dir.Write("present.jpg", Text("never read"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LogCapture log;
    EXPECT_EQ(manager.LoadResource(c.name), nullptr);
    ASSERT_EQ(log.At(MSG_ERROR).size(), c.lines.size());
    for (size_t i = 0; i < c.lines.size(); ++i)
      EXPECT_NE(log.At(MSG_ERROR)[i].find(c.lines[i] + "  [MSG_ERROR]"), std::string::npos) << log.At(MSG_ERROR)[i];
    EXPECT_EQ(manager.FindResource(c.name), nullptr);
  }
}

TEST_F(ResManTest, ReloadAllReleasesThenInitialisesEachInKeyOrder) {
  manager.ReloadAll();
  EXPECT_TRUE(Calls().empty());

  const std::string a = dir.Write("a.png", Text("a")), b = dir.Write("b.png", Text("b"));
  ASSERT_NE(manager.LoadResource(a), nullptr);
  ASSERT_NE(manager.LoadResource(b), nullptr);
  dir.Write("b.png", Text("b changed"));
  Calls().clear();
  manager.ReloadAll();

  const std::string la = Lower(a), lb = Lower(b);
  std::vector<std::string> first{"release " + la, "init " + la, "init " + la};
  std::vector<std::string> second{"release " + lb, "init " + lb, "init " + lb};
  if (num::NameKey(a) > num::NameKey(b)) std::swap(first, second);
  first.insert(first.end(), second.begin(), second.end());
  EXPECT_EQ(Calls(), first);
  EXPECT_EQ(static_cast<FakeResource*>(manager.FindResource(b))->bytes, Text("b changed"));
  EXPECT_EQ(manager.FindResource(b)->GetState(), res::kStateReady);
}

TEST_F(ResManTest, ReleaseAllReleasesEachAndKeepsItListed) {
  const std::string a = dir.Write("a.png", Text("a"));
  res::Resource* loaded = manager.LoadResource(a);
  ASSERT_NE(loaded, nullptr);
  Calls().clear();
  manager.ReleaseAll();
  EXPECT_EQ(Calls(), std::vector<std::string>{"release " + Lower(a)});
  EXPECT_EQ(manager.FindResource(a), loaded);
  EXPECT_EQ(loaded->GetState(), res::kStateReleased);
}

TEST_F(ResManTest, ClearDestroysEveryResourceInKeyOrder) {
  std::map<uint32_t, std::string> byKey;
  for (const char* name : {"a.png", "b.png", "c.png", "d.png"}) {
    const std::string path = dir.Write(name, Text(name));
    ASSERT_NE(manager.LoadResource(path), nullptr);
    byKey[num::NameKey(path)] = "destroy " + Lower(path);
  }
  Calls().clear();
  manager.ClearResources();
  std::vector<std::string> expected;
  for (const auto& item : byKey) expected.push_back(item.second);
  EXPECT_EQ(Calls(), expected);
  EXPECT_EQ(manager.FindResource(dir.Path() + "/a.png"), nullptr);
}

}  // namespace
