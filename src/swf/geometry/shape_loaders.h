// The tag loaders of shapes: DefineShape, DefineShape2 and DefineShape3
// (types 2, 22, 32) and DefineMorphShape (46).
#pragma once

namespace swf {

class bit_stream;
class movie_definition_sub;

void shape_loader(bit_stream& in, int tag_type, movie_definition_sub* m);
void shape_morph_loader(bit_stream& in, int tag_type, movie_definition_sub* m);

}  // namespace swf
