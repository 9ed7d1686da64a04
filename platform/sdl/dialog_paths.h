// The arguments the SDL backend gives the open-file dialog programs: a file pattern that
// matches names without regard to case, as the Windows dialog does, and the path the dialog
// starts at, in the working folder when the configured folder does not exist.
#pragma once

#include <cstddef>

// "*.dnl" becomes "*.[dD][nN][lL]": each letter a bracket of both cases. False (out empty)
// when the result does not fit.
bool caseBlindPattern(const char* pattern, char* out, size_t capacity);

// The proposed file with the folder the dialog starts in: `fileName` when absolute, else
// `folder`/`fileName`; when that path's folder is not an existing folder, the working folder
// with the file's own name. False when the result does not fit.
bool dialogStartPath(const char* folder, const char* fileName, char* out, size_t capacity);
