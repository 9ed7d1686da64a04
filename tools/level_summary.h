// What the inspector tells about the level store after a load: a readable summary and the
// whole store as one JSON object, bounded by the tables whatever the faces point at.
#pragma once

#include <cstdio>

#include <nlohmann/json.hpp>

#include "level/level_loader.h"

// Faces whose vertex, object-texture or page index lies outside what the load filled.
struct OutsideFaceCounts {
  int32_t vertex, objectTexture, texturePage, any;
};

OutsideFaceCounts countFacesOutsideTables(const LoadReport& report);

// The store as one JSON object with the inspector's keys (layout, counts, start, faces,
// vertices used, coordinates used, items).
nlohmann::json levelStoreJson(const LoadReport& report);

void printLevelSummary(FILE* out, const LoadReport& report);
