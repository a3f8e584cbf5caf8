// The font files made known by AddFontResourceA, and the choice of a file
// for a face name and weight.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <string>
#include <vector>

#include <strings.h>

#include "platform/gdi/gdi_internal.h"
#include FT_TRUETYPE_TABLES_H

namespace platform::gdi {
namespace {

// The game's display face, and the face that serves names no file has.
constexpr const char* kDisplayFace = "Daravur";
constexpr const char* kDisplayFamily = "EB Garamond";
constexpr const char* kDefaultFamily = "DejaVu Sans";

bool SameName(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

struct Registry {
  Library library = SharedLibrary();
  std::vector<FontFile> files;
};

Registry& GetRegistry() {
  static Registry registry;
  return registry;
}

int WeightOf(FT_Face face) {
  auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 && os2->usWeightClass >= 1 && os2->usWeightClass <= 1000) return os2->usWeightClass;
  return (face->style_flags & FT_STYLE_FLAG_BOLD) ? FW_BOLD : FW_NORMAL;
}

// The non-italic file of the family nearest the weight; a tie goes to the
// lighter file.
const FontFile* Nearest(const std::vector<FontFile>& files, const std::string& family, int weight,
                        bool (*matches)(const std::string& family, const std::string& asked)) {
  const FontFile* best = nullptr;
  for (const FontFile& file : files) {
    if (file.italic || !matches(file.family, family)) continue;
    int d = std::abs(file.weight - weight);
    int bestD = best ? std::abs(best->weight - weight) : 0;
    if (!best || d < bestD || (d == bestD && file.weight < best->weight)) best = &file;
  }
  return best;
}

// A family named with an optical-size or width suffix also serves its base
// name ("EB Garamond 12" serves "EB Garamond").
bool Extends(const std::string& family, const std::string& asked) {
  return family.size() > asked.size() && family[asked.size()] == ' ' &&
         SameName(family.substr(0, asked.size()), asked);
}

const FontFile* FindFamily(const std::vector<FontFile>& files, const std::string& family, int weight) {
  if (const FontFile* file = Nearest(files, family, weight, SameName)) return file;
  return Nearest(files, family, weight, Extends);
}

// Files are known by absolute path, as the system resolves them when added:
// a later change of the working folder does not lose them.
std::string AbsolutePath(const char* path) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return error ? std::string(path) : absolute.lexically_normal().string();
}

}  // namespace

Library SharedLibrary() {
  static std::weak_ptr<FT_LibraryRec_> shared;
  Library library = shared.lock();
  if (library) return library;
  FT_Library raw = nullptr;
  if (FT_Init_FreeType(&raw) != 0) return nullptr;
  library = Library(raw, [](FT_Library l) { FT_Done_FreeType(l); });
  shared = library;
  return library;
}

const FontFile* FindFontFile(const std::string& face, int weight) {
  const std::vector<FontFile>& files = GetRegistry().files;
  const std::string family = SameName(face, kDisplayFace) ? kDisplayFamily : face;
  if (const FontFile* file = FindFamily(files, family, weight)) return file;
  if (const FontFile* file = FindFamily(files, kDefaultFamily, weight)) return file;
  return files.empty() ? nullptr : &files.front();
}

}  // namespace platform::gdi

using platform::gdi::FontFile;
using platform::gdi::GetRegistry;

int AddFontResourceA(LPCSTR path) {
  if (!path || !*path) return 0;
  auto& registry = GetRegistry();
  const std::string absolute = platform::gdi::AbsolutePath(path);
  for (FontFile& file : registry.files) {
    if (file.path == absolute) return ++file.references, 1;
  }
  FT_Face face = nullptr;
  if (!registry.library || FT_New_Face(registry.library.get(), absolute.c_str(), 0, &face) != 0) return 0;
  FontFile file;
  file.path = absolute;
  file.family = face->family_name ? face->family_name : "";
  file.weight = platform::gdi::WeightOf(face);
  file.italic = (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
  file.references = 1;
  bool scalable = FT_IS_SCALABLE(face);
  FT_Done_Face(face);
  if (!scalable || file.family.empty()) return 0;
  registry.files.push_back(file);
  return 1;
}

BOOL RemoveFontResourceA(LPCSTR path) {
  if (!path || !*path) return FALSE;
  auto& files = GetRegistry().files;
  const std::string absolute = platform::gdi::AbsolutePath(path);
  auto it = std::find_if(files.begin(), files.end(), [&](const FontFile& f) { return f.path == absolute; });
  if (it == files.end()) return FALSE;
  if (--it->references == 0) files.erase(it);
  return TRUE;
}
