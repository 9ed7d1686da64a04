// Gives faces their texture pages from the object textures and regroups both face tables
// of the level store by page, so that the faces of each page stand in one unbroken run.
// Both work in place on the store and allocate nothing.
#pragma once

#include <cstdint>

// Every quad, then every triangle, whose objectTexture equals `objectTextureIndex` takes
// the whole `tileWord` as its texturePage.
void assignTexturePage(int32_t objectTextureIndex, int32_t tileWord);

// Same result as assignTexturePage(k, tileWords[k]) for k = 0 to count - 1, in one pass
// over the faces: a face whose objectTexture is not below `count` keeps its page.
void assignTexturePages(const int32_t* tileWords, int32_t count);

// Exchanges whole records so that page 0 comes first, then page 1, up to
// numTexturePages - 1; faces of other pages end behind all the runs. Nothing moves when
// numTexturePages is below 1.
void groupFacesByPage();
