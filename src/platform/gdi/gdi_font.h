// The GDI text calls the engine makes, on FreeType: font files made known for
// the run (AddFontResourceA), fonts by face name among those files, memory
// device contexts with 32-bit DIB sections, and single-character extents and
// drawing. Only what the engine calls is declared.
//
// Face lookup: a face is found by family name (case-insensitive) among the
// added files, the file nearest the asked weight winning (a tie goes to the
// lighter file). The game's display face "Daravur" is served by EB Garamond.
// A face that no added file has ("times new roman", "verdana") falls back to
// DejaVu Sans, and without that to the first added file; with no file added
// CreateFontA fails.
//
// Sizes follow GDI: a positive height is the cell height (ascent + descent),
// a negative one the em height, 0 a default of 16 pixels; a width is the
// average character width, 0 keeping the face's own proportions. A weight
// above the chosen file's is rendered heavier by emboldening the outlines in
// proportion (300 weight units = FreeType's synthetic bold). Every character
// set reads the face's Unicode map. Coverage is antialiased in 256 levels and
// drawn as grey between the background and text colours.
#pragma once
#include <cstdint>

#include "platform/window/win32.h"

typedef char16_t WCHAR;
typedef const WCHAR* LPCWSTR;
typedef uint8_t BYTE;
typedef uint16_t USHORT;
typedef DWORD COLORREF;
typedef int INT;
typedef void* HGDIOBJ;

struct HDC__;
typedef HDC__* HDC;
struct HFONT__;
typedef HFONT__* HFONT;
struct HBITMAP__;
typedef HBITMAP__* HBITMAP;

struct SIZE {
  LONG cx, cy;
};

struct BITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight;  // negative: rows run top-down
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
};
struct RGBQUAD {
  BYTE rgbBlue, rgbGreen, rgbRed, rgbReserved;
};
struct BITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
};

struct WCRANGE {
  WCHAR wcLow;
  USHORT cGlyphs;
};
// Variable size: cRanges entries follow in place of the one declared.
struct GLYPHSET {
  DWORD cbThis;
  DWORD flAccel;
  DWORD cGlyphsSupported;
  DWORD cRanges;
  WCRANGE ranges[1];
};

struct TEXTMETRICA {
  LONG tmHeight;
  LONG tmAscent;
  LONG tmDescent;
  LONG tmAveCharWidth;
  LONG tmWeight;
};

enum : DWORD { ANSI_CHARSET = 0, DEFAULT_CHARSET = 1 };
enum : DWORD { OUT_DEFAULT_PRECIS = 0, CLIP_DEFAULT_PRECIS = 0 };
enum : DWORD { ANTIALIASED_QUALITY = 4, CLEARTYPE_QUALITY = 5 };
enum : DWORD { VARIABLE_PITCH = 2 };
enum : int { FW_NORMAL = 400, FW_BOLD = 700 };
enum : UINT { DIB_RGB_COLORS = 0 };
enum : DWORD { BI_RGB = 0 };
enum : int { MM_TEXT = 1 };
enum : UINT { TA_LEFT = 0, TA_TOP = 0 };
enum : UINT { ETO_OPAQUE = 2 };
enum : int { BLACK_BRUSH = 4 };
constexpr COLORREF CLR_INVALID = 0xFFFFFFFFu;

inline COLORREF RGB(BYTE r, BYTE g, BYTE b) {
  return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}

// Font files, known from Add until the matching Remove (added twice, removed
// twice). Add answers the number of faces added, 0 for an unreadable file.
int AddFontResourceA(LPCSTR path);
BOOL RemoveFontResourceA(LPCSTR path);

// Null when no added file can serve the face.
HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                  DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCSTR face);

// Memory device contexts; the reference context is ignored.
HDC CreateCompatibleDC(HDC reference);
BOOL DeleteDC(HDC dc);
// 32 bits per pixel, BI_RGB only; pixels are 0x00RRGGBB, zeroed.
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD offset);
// Fonts, bitmaps and stock brushes. Select answers the object of the same
// kind selected before (null at first); Delete refuses a selected object.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
BOOL DeleteObject(HGDIOBJ object);
HGDIOBJ GetStockObject(int which);

int SetMapMode(HDC dc, int mode);
COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF SetBkColor(HDC dc, COLORREF color);
// Text is always placed by its top-left corner.
UINT SetTextAlign(HDC dc, UINT align);
DWORD SetMapperFlags(HDC dc, DWORD flags);

// The ranges of UTF-16 codes the selected font maps; with a null table, only
// the size the table needs. 0 without a font.
DWORD GetFontUnicodeRanges(HDC dc, GLYPHSET* table);
BOOL GetTextMetricsA(HDC dc, TEXTMETRICA* metrics);
// Sum of the advances; the height is the font's cell height.
BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, SIZE* size);
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
// Draws with the cell's top-left corner at (x, y), the cell filled with the
// background colour first; clipped to the selected bitmap.
BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count,
                 const INT* spacing);
