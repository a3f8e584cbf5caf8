// The loaders of the bitmap tags.
#pragma once

namespace swf {

class bit_stream;
class movie_definition_sub;

// JPEGTables (8).
void jpeg_tables_loader(bit_stream& in, int tag_type, movie_definition_sub* m);
// DefineBits (6): an image for the movie's JPEGTables.
void define_bits_loader(bit_stream& in, int tag_type, movie_definition_sub* m);
// DefineBitsJPEG2 (21): tables and image together.
void define_bits_jpeg2_loader(bit_stream& in, int tag_type, movie_definition_sub* m);
// DefineBitsJPEG3 (35): a JPEG and a zlib-packed alpha plane.
void define_bits_jpeg3_loader(bit_stream& in, int tag_type, movie_definition_sub* m);
// DefineBitsLossless (20) and DefineBitsLossless2 (36).
void define_bits_lossless_loader(bit_stream& in, int tag_type, movie_definition_sub* m);

}  // namespace swf
