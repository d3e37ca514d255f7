#include "render/FileTargets.h"

#include "render/RTPNGWriter.h"
#include "render/RTPostScript.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

std::unique_ptr<TRenderTarget> CreateFileTarget(const std::string& fileName) {
    std::string extension = std::filesystem::path(fileName).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".png") {
        return std::make_unique<TRTPNGWriter>();
    }
    if (extension == ".eps") {
        return std::make_unique<TRTPostScript>();
    }
    return nullptr;
}
