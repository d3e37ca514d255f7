#include "platform/SafeFile.h"

#include <cstdio>
#include <filesystem>
#include <unistd.h>

bool ReplaceFileContents(const std::string& path, const std::string& bytes) {
    const std::string temporary = path + "." + std::to_string(::getpid()) + ".tmp";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) {
        return false;
    }
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = std::fflush(file) == 0 && written;
    written = ::fsync(::fileno(file)) == 0 && written;
    written = std::fclose(file) == 0 && written;
    std::error_code error;
    if (written) {
        std::filesystem::rename(temporary, path, error);
    }
    if (!written || error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}
