// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes; optionally the current folder meanwhile.
#pragma once
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

class TempFolder {
 public:
  explicit TempFolder(bool enter = false) {
    std::string pattern = (std::filesystem::temp_directory_path() / "vantor-XXXXXX").string();
    if (char* made = mkdtemp(pattern.data())) path_ = made;
    if (enter && !path_.empty()) {
      previous_ = std::filesystem::current_path();
      std::filesystem::current_path(path_);
    }
  }
  ~TempFolder() {
    std::error_code ignored;
    if (!previous_.empty()) std::filesystem::current_path(previous_, ignored);
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
  std::filesystem::path previous_;
};

// For a class whose base class is given paths in the folder when it is made:
// inherited before that base, the folder is made before it and removed
// after it.
struct OwnTempFolder {
  TempFolder tempFolder;
  std::string InTempFolder(const std::string& name) const { return (tempFolder.Path() / name).string(); }
};
