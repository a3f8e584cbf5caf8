// The process-wide movie library: every movie read once, shared by path
// (without regard to case), and one root instance shared per definition.
#pragma once

namespace swf {

class file_object;
class movie_definition_sub;
class movie_root;

// Opens a file for the player: a new file object, or null.
using file_opener_callback = file_object* (*)(const char* path);

void register_file_opener_callback(file_opener_callback opener);

// Reads the movie at the path and completes it from its cache file (the path
// with ".gsc" appended). Answers the definition with one reference for the
// caller, or null with an error line.
movie_definition_sub* load_movie_file(const char* path);

// The library's definition for the path, read on first request; one more
// reference for the caller, or null. A movie that imports itself, directly
// or through others, gets null for the inner request.
movie_definition_sub* open_shared_movie(const char* path);

// The library's root instance of the definition, made on first request; one
// more reference for the caller, or null.
movie_root* open_shared_instance(movie_definition_sub* definition);

// Releases what both libraries hold.
void clear_movie_library();

// The folder that loadMovie paths are relative to; empty.
const char* get_work_folder();

}  // namespace swf
