// Reordering of a picture's colour table by use. Knows nothing of files.
#pragma once

#include "image/image_types.hpp"

namespace velquist {

// Sorts the colour table by the number of pixels that use each colour, most
// used first (colours used equally often keep their table order), drops the
// colours that no pixel uses and renumbers the pixels to match. Returns
// whether the result is a sorted table: false when a single colour is left,
// since a table of one colour is left as it is. Every index must lie inside
// the table.
bool SortColoursByUse(TIndexedImage& image);

}  // namespace velquist
