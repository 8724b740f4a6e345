#pragma once

#include <sys/types.h>

// The process's file creation mask, read without changing it: umask() can only be read by
// setting it, and for that moment every file another thread creates would get the wrong
// permissions. Where the system does not tell it, the most careful mask (077) is assumed.
mode_t CurrentCreationMask();
