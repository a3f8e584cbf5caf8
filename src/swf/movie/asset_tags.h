// ExportAssets and ImportAssets: what a movie offers other movies under a
// symbol, and what it takes from them.
#pragma once

namespace swf {

class bit_stream;
class library_item;
class movie_definition_sub;

// Tag 56.
void export_loader(bit_stream& in, int tag_type, movie_definition_sub* m);
// Tag 57: the source movie comes from the movie library at once.
void import_loader(bit_stream& in, int tag_type, movie_definition_sub* m);

// Defines what `source` exports under `symbol` as `id` of `m`: fonts and
// characters only, with an error line for anything else or nothing.
void define_imported_item(movie_definition_sub* m, int id, movie_definition_sub* source, const char* symbol,
                          const char* source_url);

}  // namespace swf
