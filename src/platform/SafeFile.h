#pragma once
// Writing a whole file so that a failure never leaves a half-written one: the bytes go to a new file
// beside the target, which is then renamed over it.

#include <string>

// False when anything failed; the target is then as it was and no temporary file is left.
bool ReplaceFileContents(const std::string& path, const std::string& bytes);
