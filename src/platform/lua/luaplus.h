// The Lua state and value handles the engine works with, over the Lua 5.2 C
// API: a state with the libraries a game script may use, protected runs whose
// errors go to the global "_ALERT", value handles with typed table access,
// and a dump of a table as Lua source. Wide (UTF-16) strings are a userdata
// type of ours.
//
// The garbage collector runs only inside protected runs (DoString, DoBuffer).
// Outside them the engine reads and writes the state without a protected
// call, and a finalizer (__gc) raising an error there would abort the
// program; inside one it fails that run like any other error.
#pragma once
#include <cstddef>
#include <cstdio>
#include <string>

#include <lua.hpp>

namespace LuaPlus {

class LuaObject;

// A text file that LuaState::DumpObject writes to.
class LuaStateOutFile {
 public:
  LuaStateOutFile() = default;
  ~LuaStateOutFile();
  LuaStateOutFile(const LuaStateOutFile&) = delete;
  LuaStateOutFile& operator=(const LuaStateOutFile&) = delete;

  bool Open(const char* path);
  void Close();
  void Write(const char* text, size_t length);
  bool IsOpen() const { return file_ != nullptr; }

 private:
  FILE* file_ = nullptr;
};

class LuaState {
 public:
  // Dump flag: fields in ascending key order (numbers first, then strings).
  static constexpr unsigned kDumpAlphabetical = 1;

  // A new state. Asked for the standard libraries, it opens those a game
  // script may use: the base library (with load taking text only, and no
  // loadfile or dofile), string, table, math, and of os only clock, date,
  // time and difftime; no io, package, debug or C modules. No multithreading
  // support exists; the flag is accepted and ignored.
  static LuaState* Create(bool initStandardLibrary, bool multithreaded);
  static void Destroy(LuaState* state);

  lua_State* GetCState() const { return L_; }
  LuaObject GetGlobals();
  // The global's value; nil when absent.
  LuaObject GetGlobal(const char* name);

  // Compile and run in protected mode; 0 on success. On failure the error
  // message is passed to the global "_ALERT" (standard error when it is not
  // a function). Binary chunks are refused.
  int DoString(const char* text);
  int DoBuffer(const char* data, size_t size, const char* name);

  // Writes `name = <value>` as Lua source that re-creates the value when run.
  // Tables nest up to maxIndentLevel levels below indentLevel; functions,
  // userdata, threads and cycles are left out. False when nothing could be
  // written (closed file).
  bool DumpObject(LuaStateOutFile& file, const char* name, const LuaObject& value,
                  unsigned flags, int indentLevel, unsigned maxIndentLevel);

 private:
  explicit LuaState(lua_State* L) : L_(L) {}
  ~LuaState();
  lua_State* L_;
  int protectedRuns_ = 0;  // nested DoBuffer calls under way
};

// A handle on one Lua value, kept alive through the registry. The default
// object is invalid (bound to no state) and reads as nil. Every object must be
// released before its state is destroyed.
class LuaObject {
 public:
  LuaObject() = default;
  // The value at the given stack index of the state.
  LuaObject(lua_State* L, int index);
  LuaObject(const LuaObject& other);
  LuaObject& operator=(const LuaObject& other);
  ~LuaObject();

  bool IsValid() const { return L_ != nullptr; }
  bool IsNil() const;
  bool IsNumber() const;
  bool IsBoolean() const;
  bool IsString() const;
  bool IsTable() const;

  // Truncated toward zero (Lua 5.2 itself rounds); 0 for a non-number.
  int GetInteger() const;
  double GetNumber() const;
  bool GetBoolean() const;
  // Null for a non-string.
  const char* GetString() const;
  // Number of entries of a table, every key counted; 0 for a non-table.
  int GetTableCount() const;

  // Fields of a table; nil objects when this is no table.
  LuaObject operator[](int index) const;
  LuaObject operator[](const char* name) const;
  LuaObject GetByName(const char* name) const { return (*this)[name]; }

  // Creates a table, stores it under the name in this table and returns it.
  LuaObject CreateTable(const char* name, int arraySize, int hashSize);
  void SetNumber(const char* name, double value);
  void SetNumber(int index, double value);
  void SetString(const char* name, const char* value);
  void Register(const char* name, lua_CFunction function, int upvalueCount);

  // Pushes the value (nil for an invalid object) onto the given state.
  void Push(lua_State* L) const;
  lua_State* GetCState() const { return L_; }

 private:
  // Pushes the value, runs `store` with the table at the stack top, then pops.
  template <typename Store>
  void WithTable(Store store);

  lua_State* L_ = nullptr;
  int ref_ = LUA_NOREF;
};

// A number as an int: truncated toward zero, saturated at the int range, NaN
// as 0. Bindings that take ints from Lua go through it.
int NumberToInt(lua_Number value);

// The body of a double-quoted Lua string literal that reads back as `text`
// byte for byte (quotes, backslashes, line breaks and control bytes escaped).
std::string EscapeString(const std::string& text);

}  // namespace LuaPlus

// Wide-string extension. A wide string is a full userdata holding UTF-16
// with the metatable registered under this name (the script host gives it
// its conversions).
namespace LuaPlus {
constexpr const char* kWideStringMetatable = "wstring";
}  // namespace LuaPlus
// Pushes a wide string.
void lua_pushwstring(lua_State* L, const char16_t* text, size_t length);
// The wide string at the index; null when the value is no wide string.
const char16_t* lua_towstring(lua_State* L, int index);
