// Levels at the edges of what the loader accepts, made with the level-file writer for
// dnl-sample --edge, the export's tests and the benchmarks: nothing at all, pages only, faces
// without pages, a small level with known shades, items and faces the viewer skips or draws
// untextured, every table at its capacity limit, and one the loader refuses.
#pragma once

#include "tools/dnl_writer.h"

// No pages, no rooms, no object textures, no items.
DnlLevel emptyEdgeLevel();
// Two pages and nothing else.
DnlLevel pagesOnlyEdgeLevel();
// A quad on page 0, which the level lacks, and a triangle whose object texture lies past the
// table: no pages, so both are drawn untextured; no items.
DnlLevel untexturedEdgeLevel();
// One page; a quad whose corners have the shades 0, 0.5, 1 and 4 (Older layout); a triangle
// on page 7, which the level lacks; a triangle whose vertex index lies past the vertex table;
// item 0x1a5 at (100, -200, 300) and a start item at (1000, 2048, 3000) with angle 16384
// (heading 270).
DnlLevel knownEdgeLevel();
// 18657 vertices, 13881 quads, 5612 triangles, 16 pages, 2500 object textures, 248 items.
DnlLevel capacityEdgeLevel();
// The known level with its item count one past the limit of 248, so the loader refuses it.
DnlLevel tooManyItemsEdgeLevel();
