#pragma once
// The system's headers, without the macros that would rename the program's
// own functions of the same names (MoveFile, ReplaceFile, DeleteFile) to
// their wide-character system counterparts.

#include <windows.h>

#undef DeleteFile
#undef MoveFile
#undef ReplaceFile
