#pragma once
// A temporary folder for one test, removed with everything in it when the object goes.

#include <filesystem>
#include <string>
#include <vector>

class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    const std::filesystem::path& Path() const { return Root; }
    std::string File(const std::string& name) const { return (Root / name).string(); }

private:
    std::filesystem::path Root;
};

std::vector<unsigned char> ReadBinaryFile(const std::string& path);
void WriteBinaryFile(const std::string& path, const std::vector<unsigned char>& bytes);
std::string ReadTextFile(const std::string& path);
