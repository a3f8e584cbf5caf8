// Where GetURL and GetURL2 lead: an fscommand for the engine, or a movie
// loaded in place of a character.
#pragma once

namespace swf {

class movie;
class movie_root;

using fscommand_callback = void (*)(movie_root* root, const char* command, const char* argument);

// Installs the one process-wide handler; null removes it.
void set_fscommand_handler(fscommand_callback handler);
fscommand_callback get_fscommand_handler();

// Loads the movie at the url in place of the character (or as a new root
// when it is the root sprite).
void load_extern_movie(const char* url, movie* character, movie* root_sprite);

}  // namespace swf
