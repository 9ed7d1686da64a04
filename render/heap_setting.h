// The process's heap setting for drawing text on a software OpenGL driver: Mesa's
// rasteriser allocates and frees large blocks for every glyph it replays from a display
// list, and a heap that hands freed memory back to the system at once makes every glyph
// pay for fresh page faults.
#pragma once

// Keeps freed heap memory for reuse instead of returning it at once (glibc; elsewhere a
// no-op). Call once at start, before any context exists.
void keepFreedHeapMemory();
