// The OpenGL 1.1 and GLU declarations for platform-neutral code. On Windows the system's
// gl.h pulls in all of windows.h unless the two calling-convention macros it needs are
// already there (and glu.h one more): given here for the moment of the include, then taken
// away again.
#pragma once

#if defined(_WIN32) && !defined(APIENTRY) && !defined(WINGDIAPI) && !defined(CALLBACK)
#define APIENTRY __stdcall
#define WINGDIAPI __declspec(dllimport)
#define CALLBACK __stdcall
#include <GL/gl.h>
#include <GL/glu.h>
#undef APIENTRY
#undef WINGDIAPI
#undef CALLBACK
#else
#include <GL/gl.h>
#include <GL/glu.h>
#endif
