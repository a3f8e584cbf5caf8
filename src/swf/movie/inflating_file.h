// A player file that reads the zlib stream of a compressed ("CWS") movie
// from its source file. Offsets count inflated bytes from the start of the
// stream; seeking back inflates again from the start.
#pragma once

namespace swf {

class file_object;

// The source must stay open while the returned file is used. Closing the
// returned file leaves the source just after the compressed bytes used.
file_object* open_inflating_file(file_object* source);

}  // namespace swf
