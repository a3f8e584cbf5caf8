// The file dialogs run the desktop's chooser; here a stand-in "zenity" on
// the search path writes down its arguments and answers as told.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/window/win32.h"
#include "platform/window/win32_testing.h"
#include "read_file.h"
#include "temp_folder.h"

namespace {

const char kAllFiles[] = "All Files (*.*)\0*.*\0Levels\0*.lvl;*.lua\0";

class FileDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* path = std::getenv("PATH");
    oldPath_ = path ? path : "";
    setenv("PATH", bin_.Path().c_str(), 1);
  }
  void TearDown() override { setenv("PATH", oldPath_.c_str(), 1); }

  // A chooser that prints `answer` and exits with `status`, each argument
  // written to a line of args.txt.
  void InstallChooser(const std::string& answer, int status) {
    const std::string script = (bin_.Path() / "zenity").string();
    std::ofstream(script) << "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > '" << ArgsFile() << "'\n"
                          << "printf '%s\\n' '" << answer << "'\nexit " << status << "\n";
    chmod(script.c_str(), 0755);
  }
  std::string ArgsFile() const { return (bin_.Path() / "args.txt").string(); }

  OPENFILENAMEA Dialog(const char* title, DWORD flags) {
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.lpstrFilter = kAllFiles;
    dialog.lpstrFile = file_;
    dialog.nMaxFile = sizeof file_;
    dialog.lpstrFileTitle = title_;
    dialog.nMaxFileTitle = sizeof title_;
    dialog.lpstrInitialDir = bin_.Path().c_str();
    dialog.lpstrTitle = title;
    dialog.Flags = flags;
    return dialog;
  }

  TempFolder bin_;
  std::string oldPath_;
  char file_[256] = "left over";
  char title_[256] = "";
};

TEST_F(FileDialogTest, ChooserGetsTitleFolderAndFiltersAndItsPathComesBack) {
  InstallChooser("/home/player/levels/first.lvl", 0);
  OPENFILENAMEA dialog = Dialog("Pick a level", OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT);
  ASSERT_TRUE(GetSaveFileNameA(&dialog));
  EXPECT_STREQ(file_, "/home/player/levels/first.lvl");
  EXPECT_STREQ(title_, "first.lvl");
  EXPECT_EQ(ReadFile(ArgsFile()), "--file-selection\n--title=Pick a level\n--save\n--confirm-overwrite\n"
                                  "--filename=" + bin_.Path().string() + "/\n"
                                  "--file-filter=All Files (*.*) | *\n--file-filter=Levels | *.lvl *.lua\n");

  // The open dialog neither saves nor asks about overwriting.
  ASSERT_TRUE(GetOpenFileNameA(&dialog));
  EXPECT_EQ(ReadFile(ArgsFile()).find("--save"), std::string::npos);
  EXPECT_EQ(ReadFile(ArgsFile()).find("--confirm-overwrite"), std::string::npos);
}

TEST_F(FileDialogTest, CancelMissingChooserAndOverlongPathsAnswerFalseWithAnEmptyPath) {
  OPENFILENAMEA dialog = Dialog("Open", 0);
  InstallChooser("", 1);  // the user cancelled
  EXPECT_FALSE(GetOpenFileNameA(&dialog));
  EXPECT_STREQ(file_, "");
  EXPECT_EQ(CommDlgExtendedError(), 0u);

  InstallChooser(std::string(300, 'x'), 0);  // more than the 256 bytes the caller has
  EXPECT_FALSE(GetOpenFileNameA(&dialog));
  EXPECT_STREQ(file_, "");

  std::remove((bin_.Path() / "zenity").c_str());  // no chooser on this system
  EXPECT_FALSE(GetOpenFileNameA(&dialog));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_INITIALIZATION));
  InstallChooser("", 1);
  EXPECT_FALSE(GetSaveFileNameA(&dialog));
  EXPECT_EQ(CommDlgExtendedError(), 0u) << "each dialog starts afresh";
  std::remove((bin_.Path() / "zenity").c_str());

  dialog.lStructSize = 76;  // a record of another size is refused
  EXPECT_FALSE(GetOpenFileNameA(&dialog));
}

TEST_F(FileDialogTest, AnswererStandsInForTheChooser) {
  platform::testing::FileDialogRequest seen;
  platform::testing::SetFileDialogAnswerer([&](const platform::testing::FileDialogRequest& request, std::string& path) {
    seen = request;
    path = "chosen.lua";
    return true;
  });
  OPENFILENAMEA dialog = Dialog("Load", OFN_EXPLORER);
  EXPECT_TRUE(GetOpenFileNameA(&dialog));
  platform::testing::SetFileDialogAnswerer(nullptr);
  EXPECT_STREQ(file_, "chosen.lua");
  EXPECT_FALSE(seen.save);
  EXPECT_EQ(seen.title, "Load");
  EXPECT_EQ(seen.flags, static_cast<DWORD>(OFN_EXPLORER));
  ASSERT_EQ(seen.filters.size(), 2u);
  EXPECT_EQ(seen.filters[1].second, "*.lvl;*.lua");
}

}  // namespace
