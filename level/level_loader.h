// Reads one level file of either layout front to back into the level store, converting
// texture pages, making face indices global, giving faces their texture pages and grouping
// them by page, and taking the items and start pose. Answers only yes or no.
#pragma once

// True when the whole file has been walked and every limit held.
bool loadLevel(const char* path);
