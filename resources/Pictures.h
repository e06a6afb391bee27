// The pictures compiled into the program. The PNGs are rendered from the SVG sources beside them
// (render-pictures in this folder).
#pragma once

namespace quorvel {

// Registers the pictures with Qt's resource system; safe to call more than once.
void InitPictures();

} // namespace quorvel
