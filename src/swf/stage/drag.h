// The drag step: an instance that the movie's drag names follows the mouse.
#pragma once

namespace swf {

class movie;

// Moves the instance to the mouse (kept inside the drag's bounds) when it is
// dragged with its centre locked; otherwise leaves it where it is.
void apply_drag(movie* instance);

}  // namespace swf
