// Shared state of the GDI text layer's parts. Not for engine code.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "platform/gdi/gdi_font.h"
#include "platform/memory/zeroed_buffer.h"

namespace platform::gdi {

// The FreeType library lives while the file registry or any font needs it,
// whatever order the process tears them down in.
using Library = std::shared_ptr<FT_LibraryRec_>;
Library SharedLibrary();

// One added font file.
struct FontFile {
  std::string path;
  std::string family;
  int weight = FW_NORMAL;
  bool italic = false;
  int references = 0;
};

// The file that serves a face at a weight; null when no file is added.
const FontFile* FindFontFile(const std::string& face, int weight);

enum class ObjectKind { kFont, kBitmap, kBrush };

struct Object {
  explicit Object(ObjectKind k) : kind(k) {}
  virtual ~Object() = default;
  ObjectKind kind;
  int selections = 0;  // device contexts it is selected into
  bool stock = false;
};

// Valid live object of that kind, else null.
Object* Lookup(HGDIOBJ handle, ObjectKind kind);
void Track(Object* object);

class Font : public Object {
 public:
  Font(Library library, FT_Face face, const FontFile& file, int height, int width, int weight);
  ~Font() override;

  const std::string& path() const { return path_; }
  int CellHeight() const { return cellHeight_; }
  int Ascent() const { return ascent_; }
  int Weight() const { return weight_; }
  int AverageWidth() const { return averageWidth_; }
  // Whole pixels the pen moves for the code.
  int Advance(uint32_t code);
  // Renders the code's coverage into the slot's 8-bit bitmap; false when
  // FreeType cannot.
  bool Rasterise(uint32_t code, const FT_Bitmap** bitmap, int* left, int* top);
  // Codes up to 0xFFFF the face maps, ascending.
  std::vector<uint16_t> MappedCodes() const;

 private:
  bool Load(uint32_t code);

  Library library_;
  FT_Face face_;
  std::string path_;
  int cellHeight_ = 0;
  int ascent_ = 0;
  int weight_ = FW_NORMAL;
  int averageWidth_ = 0;
  FT_Pos embolden_ = 0;  // 26.6 pixels
};

struct Bitmap : Object {
  Bitmap(int w, int h, bool down)
      : Object(ObjectKind::kBitmap), width(w), height(h), topDown(down), memory(size_t(w) * h * sizeof(uint32_t)) {}
  // 0x00RRGGBB; null when the memory could not be had.
  uint32_t* Pixels() { return reinterpret_cast<uint32_t*>(memory.data()); }
  // Row y counted from the top, whatever order memory holds the rows in.
  uint32_t* Row(int y) { return Pixels() + size_t(topDown ? y : height - 1 - y) * width; }
  int width;
  int height;
  bool topDown;
  ZeroedBuffer memory;  // a glyph scratch bitmap is mostly never drawn on
};

struct Brush : Object {
  explicit Brush(COLORREF c) : Object(ObjectKind::kBrush), color(c) {}
  COLORREF color;
};

}  // namespace platform::gdi

struct HDC__ {
  platform::gdi::Font* font = nullptr;
  platform::gdi::Bitmap* bitmap = nullptr;
  platform::gdi::Brush* brush = nullptr;
  COLORREF textColor = RGB(0, 0, 0);
  COLORREF backColor = RGB(255, 255, 255);
  int mapMode = MM_TEXT;
  UINT align = TA_LEFT | TA_TOP;
  DWORD mapperFlags = 0;
};

namespace platform::gdi {
// A live device context, else null.
HDC__* LookupDC(HDC dc);
}  // namespace platform::gdi
