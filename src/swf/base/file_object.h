// An open file seen through eight operations: a standard I/O file opened by
// name, or a source of the caller's (the inflating file of compressed
// movies). Every SWF and cache file is read through one.
#pragma once
#include <cstdint>

namespace swf {

class file_object {
 public:
  using read_function = int (*)(void* buffer, int bytes, void* handle);
  using write_function = int (*)(const void* buffer, int bytes, void* handle);
  using seek_function = int (*)(int64_t offset, void* handle);
  using seek_to_end_function = int (*)(void* handle);
  using tell_function = int64_t (*)(void* handle);
  using at_end_function = bool (*)(void* handle);
  using close_function = int (*)(void* handle);

  static constexpr int kSeekError = 4;
  static constexpr int kCloseError = 5;

  // Opens with fopen and the mode; on failure every operation is null and
  // error() is true.
  static file_object* open(const char* path, const char* mode);
  static file_object* from_callbacks(void* handle, read_function read, write_function write, seek_function seek,
                                     seek_to_end_function seek_to_end, tell_function tell, at_end_function at_end,
                                     close_function close);
  ~file_object();
  file_object(const file_object&) = delete;
  file_object& operator=(const file_object&) = delete;

  bool error() const { return error_; }
  // Each operation does nothing (0, false) when the file has none.
  int read(void* buffer, int bytes);
  int write(const void* buffer, int bytes);
  int seek(int64_t offset);
  int seek_to_end();
  int64_t tell();
  bool at_end();
  // Closes once; later calls do nothing and answer 0.
  int close();

  // Little-endian values; the bytes that did not come read as 0.
  uint16_t read_le16();
  uint32_t read_le32();

 private:
  file_object() = default;

  void* handle_ = nullptr;
  read_function read_ = nullptr;
  write_function write_ = nullptr;
  seek_function seek_ = nullptr;
  seek_to_end_function seek_to_end_ = nullptr;
  tell_function tell_ = nullptr;
  at_end_function at_end_ = nullptr;
  close_function close_ = nullptr;
  bool error_ = false;
};

}  // namespace swf
