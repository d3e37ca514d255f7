#pragma once
// The target that writes a picture file of a given name, chosen by the file's extension.

#include "render/RenderTargets.h"

#include <memory>
#include <string>

// Null when no target writes files of that extension (compared without regard to case). The target
// is not initialised; it asks for the file name when it is destroyed.
std::unique_ptr<TRenderTarget> CreateFileTarget(const std::string& fileName);
