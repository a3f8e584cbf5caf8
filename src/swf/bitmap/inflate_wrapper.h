// Inflates one zlib stream from a player file into a buffer, a byte at a
// time, so the file is left just after the stream. It stops at the stream's
// end, at the first zlib error (logged) or when the file gives no more bytes;
// the buffer's bytes that were not written keep their values.
#pragma once

namespace swf {

class file_object;

void inflate_wrapper(file_object* in, void* buffer, int buffer_bytes);

}  // namespace swf
