// Finding a program the way a shell would, for starts that never use a shell.
#pragma once

#include "XStr.h"

// The first executable regular file of that name in $PATH, as an absolute path; empty when
// there is none. Empty and relative PATH entries count from the current folder.
XStr XFindProgram(const XStr& name);
