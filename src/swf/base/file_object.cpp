#include "swf/base/file_object.h"

#include <cstdio>

namespace swf {
namespace {
FILE* stdio_file(void* handle) { return static_cast<FILE*>(handle); }

int stdio_read(void* buffer, int bytes, void* handle) {
  return static_cast<int>(std::fread(buffer, 1, static_cast<size_t>(bytes), stdio_file(handle)));
}
int stdio_write(const void* buffer, int bytes, void* handle) {
  return static_cast<int>(std::fwrite(buffer, 1, static_cast<size_t>(bytes), stdio_file(handle)));
}
int stdio_seek(int64_t offset, void* handle) {
  std::clearerr(stdio_file(handle));
  return fseeko(stdio_file(handle), static_cast<off_t>(offset), SEEK_SET) == 0 ? 0 : file_object::kSeekError;
}
int stdio_seek_to_end(void* handle) {
  return fseeko(stdio_file(handle), 0, SEEK_END) == 0 ? 0 : file_object::kSeekError;
}
int64_t stdio_tell(void* handle) { return ftello(stdio_file(handle)); }
bool stdio_at_end(void* handle) { return std::feof(stdio_file(handle)) != 0; }
int stdio_close(void* handle) { return std::fclose(stdio_file(handle)) == 0 ? 0 : file_object::kCloseError; }
}  // namespace

file_object* file_object::open(const char* path, const char* mode) {
  FILE* file = std::fopen(path, mode);
  if (!file) {
    file_object* failed = new file_object;
    failed->error_ = true;
    return failed;
  }
  return from_callbacks(file, stdio_read, stdio_write, stdio_seek, stdio_seek_to_end, stdio_tell, stdio_at_end,
                        stdio_close);
}

file_object* file_object::from_callbacks(void* handle, read_function read, write_function write, seek_function seek,
                                         seek_to_end_function seek_to_end, tell_function tell, at_end_function at_end,
                                         close_function close) {
  file_object* file = new file_object;
  file->handle_ = handle;
  file->read_ = read;
  file->write_ = write;
  file->seek_ = seek;
  file->seek_to_end_ = seek_to_end;
  file->tell_ = tell;
  file->at_end_ = at_end;
  file->close_ = close;
  return file;
}

file_object::~file_object() { close(); }

int file_object::read(void* buffer, int bytes) { return read_ && bytes > 0 ? read_(buffer, bytes, handle_) : 0; }
int file_object::write(const void* buffer, int bytes) { return write_ && bytes > 0 ? write_(buffer, bytes, handle_) : 0; }
int file_object::seek(int64_t offset) { return seek_ ? seek_(offset, handle_) : 0; }
int file_object::seek_to_end() { return seek_to_end_ ? seek_to_end_(handle_) : 0; }
int64_t file_object::tell() { return tell_ ? tell_(handle_) : 0; }
bool file_object::at_end() { return at_end_ ? at_end_(handle_) : false; }

int file_object::close() {
  const int result = close_ ? close_(handle_) : 0;
  handle_ = nullptr;
  read_ = nullptr;
  write_ = nullptr;
  seek_ = nullptr;
  seek_to_end_ = nullptr;
  tell_ = nullptr;
  at_end_ = nullptr;
  close_ = nullptr;
  return result;
}

uint16_t file_object::read_le16() {
  uint8_t bytes[2] = {0, 0};
  read(bytes, 2);
  return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

uint32_t file_object::read_le32() {
  uint8_t bytes[4] = {0, 0, 0, 0};
  read(bytes, 4);
  return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 | static_cast<uint32_t>(bytes[2]) << 16 |
         static_cast<uint32_t>(bytes[3]) << 24;
}

}  // namespace swf
