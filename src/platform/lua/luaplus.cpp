#include "platform/lua/luaplus.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <set>
#include <vector>

namespace LuaPlus {

namespace {

// Deeper tables could not be read back: the Lua parser refuses constructors
// nested beyond about 200 levels.
const unsigned kDumpDepthLimit = 150;

// A wide string's userdata block.
struct WideString {
  size_t length;
  char16_t text[1];  // length + 1 units, zero-terminated
};

// Only an allocation that fails outside a protected run can get here: the
// collector, and with it every finalizer, runs inside protected runs only.
int Panic(lua_State* L) {
  const char* message = lua_tostring(L, -1);
  std::fprintf(stderr, "Lua panic: %s\n", message ? message : "(error object)");
  return 0;  // Lua aborts
}

// load with its mode forced to text: a binary chunk could crash the virtual
// machine. The stock load is the upvalue; an environment argument passes on.
int LoadText(lua_State* L) {
  const int arguments = std::max(lua_gettop(L), 3);
  lua_settop(L, arguments);
  lua_pushliteral(L, "t");
  lua_replace(L, 3);
  lua_pushvalue(L, lua_upvalueindex(1));
  lua_insert(L, 1);
  lua_call(L, arguments, LUA_MULTRET);
  return lua_gettop(L);
}

// What a game script may use: the base library, strings, tables, maths and the
// clock and dates of os. Nothing that reaches files, processes, modules or the
// debug interface; the script host installs its own dofile.
void OpenGameLibraries(lua_State* L) {
  const luaL_Reg whole[] = {
      {"_G", luaopen_base}, {LUA_STRLIBNAME, luaopen_string}, {LUA_TABLIBNAME, luaopen_table},
      {LUA_MATHLIBNAME, luaopen_math}};
  for (const luaL_Reg& library : whole) {
    luaL_requiref(L, library.name, library.func, 1);
    lua_pop(L, 1);
  }
  lua_pushcfunction(L, luaopen_os);
  lua_call(L, 0, 1);
  lua_createtable(L, 0, 4);
  for (const char* name : {"clock", "date", "time", "difftime"}) {
    lua_getfield(L, -2, name);
    lua_setfield(L, -2, name);
  }
  lua_setglobal(L, LUA_OSLIBNAME);
  lua_pop(L, 1);
  for (const char* name : {"loadfile", "dofile"}) {
    lua_pushnil(L);
    lua_setglobal(L, name);
  }
  lua_getglobal(L, "load");
  lua_pushcclosure(L, LoadText, 1);
  lua_setglobal(L, "load");
}

// ---- dump ----------------------------------------------------------------

bool IsReservedWord(const std::string& word) {
  static const char* const kWords[] = {
      "and",  "break", "do",  "else", "elseif", "end",    "false", "for",  "function",
      "goto", "if",    "in",  "local", "nil",   "not",    "or",    "repeat", "return",
      "then", "true",  "until", "while"};
  for (const char* w : kWords)
    if (word == w) return true;
  return false;
}

bool IsIdentifier(const std::string& key) {
  if (key.empty() || std::isdigit(static_cast<unsigned char>(key[0]))) return false;
  for (char c : key)
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) return false;
  return !IsReservedWord(key);
}

std::string NumberText(lua_Number value) {
  if (std::isnan(value)) return "0/0";
  if (std::isinf(value)) return value > 0 ? "1/0" : "-1/0";
  char text[64];
  auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

std::string Quoted(lua_State* L, int index) {
  size_t length = 0;
  const char* text = lua_tolstring(L, index, &length);
  return "\"" + EscapeString(std::string(text, length)) + "\"";
}

struct DumpKey {
  int type;  // LUA_TNUMBER, LUA_TBOOLEAN or LUA_TSTRING
  lua_Number number = 0;
  std::string text;

  int Rank() const { return type == LUA_TNUMBER ? 0 : type == LUA_TBOOLEAN ? 1 : 2; }
  bool operator<(const DumpKey& o) const {
    if (Rank() != o.Rank()) return Rank() < o.Rank();
    if (type == LUA_TNUMBER) return number < o.number;
    return text < o.text;
  }
  void Push(lua_State* L) const {
    if (type == LUA_TNUMBER)
      lua_pushnumber(L, number);
    else if (type == LUA_TBOOLEAN)
      lua_pushboolean(L, number != 0);
    else
      lua_pushlstring(L, text.data(), text.size());
  }
  std::string Spelling() const {
    if (type == LUA_TNUMBER) return "[" + NumberText(number) + "]";
    if (type == LUA_TBOOLEAN) return number != 0 ? "[true]" : "[false]";
    if (IsIdentifier(text)) return text;
    return "[\"" + EscapeString(text) + "\"]";
  }
};

class Dumper {
 public:
  Dumper(lua_State* L, unsigned flags, unsigned maxDepth)
      : L_(L), sorted_((flags & LuaState::kDumpAlphabetical) != 0), maxDepth_(maxDepth) {}

  // Appends "<lead> <value>" for the value at the stack top (a table starts
  // on the next line); false, nothing appended, when the value cannot be
  // written as source.
  bool Value(std::string& out, const std::string& lead, int indent, unsigned depth) {
    switch (lua_type(L_, -1)) {
      case LUA_TNUMBER:
        out += lead + " " + NumberText(lua_tonumber(L_, -1));
        return true;
      case LUA_TBOOLEAN:
        out += lead + (lua_toboolean(L_, -1) ? " true" : " false");
        return true;
      case LUA_TSTRING:
        out += lead + " " + Quoted(L_, -1);
        return true;
      case LUA_TTABLE:
        return Table(out, lead, indent, depth);
      default:
        return false;
    }
  }

 private:
  bool Table(std::string& out, const std::string& lead, int indent, unsigned depth) {
    const void* id = lua_topointer(L_, -1);
    if (depth > maxDepth_ || depth > kDumpDepthLimit || open_.count(id)) return false;
    if (!lua_checkstack(L_, 4)) return false;
    open_.insert(id);
    std::string pad(static_cast<size_t>(indent) * 3, ' ');
    out += lead + "\n" + pad + "{\n";
    for (const DumpKey& key : Keys()) {
      key.Push(L_);
      lua_rawget(L_, -2);
      if (Value(out, pad + "   " + key.Spelling() + " =", indent + 1, depth + 1)) out += ",\n";
      lua_pop(L_, 1);
    }
    out += pad + "}";
    open_.erase(id);
    return true;
  }

  // The keys of the table at the stack top that source can spell.
  std::vector<DumpKey> Keys() {
    std::vector<DumpKey> keys;
    lua_pushnil(L_);
    while (lua_next(L_, -2)) {
      lua_pop(L_, 1);
      int type = lua_type(L_, -1);
      if (type == LUA_TNUMBER) {
        lua_Number n = lua_tonumber(L_, -1);
        if (!std::isnan(n)) keys.push_back({type, n, {}});
      } else if (type == LUA_TBOOLEAN) {
        keys.push_back({type, lua_toboolean(L_, -1) ? 1.0 : 0.0, {}});
      } else if (type == LUA_TSTRING) {
        size_t length = 0;
        const char* text = lua_tolstring(L_, -1, &length);
        keys.push_back({type, 0, std::string(text, length)});
      }
    }
    if (sorted_) std::sort(keys.begin(), keys.end());
    return keys;
  }

  lua_State* L_;
  bool sorted_;
  unsigned maxDepth_;
  std::set<const void*> open_;  // tables on the current path, to cut cycles
};

}  // namespace

// ---- text helpers --------------------------------------------------------

int NumberToInt(lua_Number value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<lua_Number>(std::numeric_limits<int>::max()))
    return std::numeric_limits<int>::max();
  if (value <= static_cast<lua_Number>(std::numeric_limits<int>::min()))
    return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

std::string EscapeString(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    unsigned char u = static_cast<unsigned char>(c);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (u < 0x20 || u == 0x7F) {
          // Three digits, so a following digit cannot join the escape.
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\%03u", u);
          out += escape;
        } else {
          out += c;
        }
    }
  }
  return out;
}

// ---- LuaStateOutFile -----------------------------------------------------

LuaStateOutFile::~LuaStateOutFile() { Close(); }

bool LuaStateOutFile::Open(const char* path) {
  Close();
  file_ = std::fopen(path, "w");
  return file_ != nullptr;
}

void LuaStateOutFile::Close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
}

void LuaStateOutFile::Write(const char* text, size_t length) {
  if (file_) std::fwrite(text, 1, length, file_);
}

// ---- LuaState ------------------------------------------------------------

LuaState* LuaState::Create(bool initStandardLibrary, bool /*multithreaded*/) {
  lua_State* L = luaL_newstate();
  if (!L) return nullptr;
  lua_atpanic(L, Panic);
  if (initStandardLibrary) OpenGameLibraries(L);
  lua_gc(L, LUA_GCSTOP, 0);
  return new LuaState(L);
}

void LuaState::Destroy(LuaState* state) { delete state; }

LuaState::~LuaState() { lua_close(L_); }

LuaObject LuaState::GetGlobals() {
  lua_rawgeti(L_, LUA_REGISTRYINDEX, LUA_RIDX_GLOBALS);
  LuaObject globals(L_, -1);
  lua_pop(L_, 1);
  return globals;
}

LuaObject LuaState::GetGlobal(const char* name) { return GetGlobals()[name]; }

int LuaState::DoString(const char* text) {
  if (!text) return LUA_ERRRUN;
  return DoBuffer(text, std::strlen(text), text);
}

int LuaState::DoBuffer(const char* data, size_t size, const char* name) {
  if (protectedRuns_++ == 0) lua_gc(L_, LUA_GCRESTART, 0);
  int top = lua_gettop(L_);
  int status = luaL_loadbufferx(L_, data, size, name ? name : "=?", "t");
  if (status == LUA_OK) status = lua_pcall(L_, 0, 0, 0);
  if (status != LUA_OK) {
    const char* message = lua_tostring(L_, -1);
    if (!message) message = "(error object is not a string)";
    // Raw lookup: a guard on undeclared globals must not raise an error here,
    // outside any protected call.
    lua_rawgeti(L_, LUA_REGISTRYINDEX, LUA_RIDX_GLOBALS);
    lua_pushliteral(L_, "_ALERT");
    lua_rawget(L_, -2);
    if (lua_isfunction(L_, -1)) {
      lua_pushstring(L_, message);
      if (lua_pcall(L_, 1, 0, 0) != LUA_OK) std::fprintf(stderr, "%s\n", message);
    } else {
      std::fprintf(stderr, "%s\n", message);
    }
  }
  lua_settop(L_, top);
  if (--protectedRuns_ == 0) lua_gc(L_, LUA_GCSTOP, 0);
  return status;
}

bool LuaState::DumpObject(LuaStateOutFile& file, const char* name, const LuaObject& value,
                          unsigned flags, int indentLevel, unsigned maxIndentLevel) {
  if (!file.IsOpen()) return false;
  int top = lua_gettop(L_);
  value.Push(L_);
  std::string out;
  std::string pad(static_cast<size_t>(std::max(indentLevel, 0)) * 3, ' ');
  Dumper dumper(L_, flags, maxIndentLevel);
  bool written = dumper.Value(out, pad + name + " =", std::max(indentLevel, 0), 0);
  lua_settop(L_, top);
  if (!written) return false;
  out += "\n";
  file.Write(out.data(), out.size());
  return true;
}

// ---- LuaObject -----------------------------------------------------------

LuaObject::LuaObject(lua_State* L, int index) : L_(L) {
  lua_pushvalue(L, index);
  ref_ = luaL_ref(L, LUA_REGISTRYINDEX);
}

LuaObject::LuaObject(const LuaObject& other) : L_(other.L_) {
  if (!L_) return;
  other.Push(L_);
  ref_ = luaL_ref(L_, LUA_REGISTRYINDEX);
}

LuaObject& LuaObject::operator=(const LuaObject& other) {
  if (this == &other) return *this;
  LuaObject copy(other);
  std::swap(L_, copy.L_);
  std::swap(ref_, copy.ref_);
  return *this;
}

LuaObject::~LuaObject() {
  if (L_) luaL_unref(L_, LUA_REGISTRYINDEX, ref_);
}

void LuaObject::Push(lua_State* L) const {
  if (L_)
    lua_rawgeti(L, LUA_REGISTRYINDEX, ref_);
  else
    lua_pushnil(L);
}

namespace {
// table[name] = value, for the table below the value at the stack top; pops
// the value. Raw, so no metamethod can raise an error outside a protected call.
void RawSetField(lua_State* L, const char* name) {
  lua_pushstring(L, name);
  lua_insert(L, -2);
  lua_rawset(L, -3);
}

// Type of an object's value; LUA_TNIL for an invalid object.
int TypeOf(const LuaObject& object) {
  lua_State* L = object.GetCState();
  if (!L) return LUA_TNIL;
  object.Push(L);
  int type = lua_type(L, -1);
  lua_pop(L, 1);
  return type;
}
}  // namespace

bool LuaObject::IsNil() const { return TypeOf(*this) == LUA_TNIL; }
bool LuaObject::IsNumber() const { return TypeOf(*this) == LUA_TNUMBER; }
bool LuaObject::IsBoolean() const { return TypeOf(*this) == LUA_TBOOLEAN; }
bool LuaObject::IsString() const { return TypeOf(*this) == LUA_TSTRING; }
bool LuaObject::IsTable() const { return TypeOf(*this) == LUA_TTABLE; }

double LuaObject::GetNumber() const {
  if (!IsNumber()) return 0.0;
  Push(L_);
  double value = lua_tonumber(L_, -1);
  lua_pop(L_, 1);
  return value;
}

int LuaObject::GetInteger() const { return NumberToInt(GetNumber()); }

bool LuaObject::GetBoolean() const {
  if (!L_) return false;
  Push(L_);
  bool value = lua_toboolean(L_, -1) != 0;
  lua_pop(L_, 1);
  return value;
}

const char* LuaObject::GetString() const {
  if (!IsString()) return nullptr;
  // The registry keeps the string alive while this object lives.
  Push(L_);
  const char* text = lua_tostring(L_, -1);
  lua_pop(L_, 1);
  return text;
}

int LuaObject::GetTableCount() const {
  if (!IsTable()) return 0;
  Push(L_);
  int count = 0;
  lua_pushnil(L_);
  while (lua_next(L_, -2)) {
    lua_pop(L_, 1);
    ++count;
  }
  lua_pop(L_, 1);
  return count;
}

LuaObject LuaObject::operator[](int index) const {
  if (!L_) return LuaObject();
  Push(L_);
  if (lua_istable(L_, -1))
    lua_rawgeti(L_, -1, index);
  else
    lua_pushnil(L_);
  LuaObject field(L_, -1);
  lua_pop(L_, 2);
  return field;
}

LuaObject LuaObject::operator[](const char* name) const {
  if (!L_) return LuaObject();
  Push(L_);
  if (lua_istable(L_, -1)) {
    lua_pushstring(L_, name);
    lua_rawget(L_, -2);
  } else {
    lua_pushnil(L_);
  }
  LuaObject field(L_, -1);
  lua_pop(L_, 2);
  return field;
}

template <typename Store>
void LuaObject::WithTable(Store store) {
  if (!L_) return;
  Push(L_);
  if (lua_istable(L_, -1)) store();
  lua_pop(L_, 1);
}

LuaObject LuaObject::CreateTable(const char* name, int arraySize, int hashSize) {
  LuaObject table;
  WithTable([&] {
    lua_createtable(L_, std::max(arraySize, 0), std::max(hashSize, 0));
    table = LuaObject(L_, -1);
    RawSetField(L_, name);
  });
  return table;
}

void LuaObject::SetNumber(const char* name, double value) {
  WithTable([&] {
    lua_pushnumber(L_, value);
    RawSetField(L_, name);
  });
}

void LuaObject::SetNumber(int index, double value) {
  WithTable([&] {
    lua_pushnumber(L_, value);
    lua_rawseti(L_, -2, index);
  });
}

void LuaObject::SetString(const char* name, const char* value) {
  WithTable([&] {
    lua_pushstring(L_, value);
    RawSetField(L_, name);
  });
}

void LuaObject::Register(const char* name, lua_CFunction function, int upvalueCount) {
  // The upvalues are taken from the stack top, below which the table goes.
  if (!L_) return;
  Push(L_);
  if (!lua_istable(L_, -1)) {
    lua_pop(L_, 1 + upvalueCount);
    return;
  }
  lua_insert(L_, -1 - upvalueCount);
  lua_pushcclosure(L_, function, upvalueCount);
  RawSetField(L_, name);
  lua_pop(L_, 1);
}

}  // namespace LuaPlus

void lua_pushwstring(lua_State* L, const char16_t* text, size_t length) {
  auto* wide = static_cast<LuaPlus::WideString*>(
      lua_newuserdata(L, sizeof(LuaPlus::WideString) + length * sizeof(char16_t)));
  wide->length = length;
  std::memcpy(wide->text, text, length * sizeof(char16_t));
  wide->text[length] = 0;
  luaL_newmetatable(L, LuaPlus::kWideStringMetatable);
  lua_setmetatable(L, -2);
}

const char16_t* lua_towstring(lua_State* L, int index) {
  auto* wide = static_cast<LuaPlus::WideString*>(luaL_testudata(L, index, LuaPlus::kWideStringMetatable));
  return wide ? wide->text : nullptr;
}
