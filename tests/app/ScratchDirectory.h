#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace KvgeoTests {

// The whole content of a file; empty when it cannot be read.
inline std::string readFile(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// How often `word` occurs in `text`, overlaps included.
inline size_t countOf(const std::string& text, const std::string& word) {
    size_t n = 0;
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1))
        ++n;
    return n;
}

// A temporary directory of a test's own, removed with everything in it.
class ScratchDirectory {
public:
    ScratchDirectory() {
        std::string pattern = (std::filesystem::temp_directory_path() / "KvgeoTestXXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary directory");
        m_dir = pattern;
    }
    ~ScratchDirectory() { std::filesystem::remove_all(m_dir); }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::string& dir() const { return m_dir; }
    std::string path(const std::string& relative) const { return m_dir + "/" + relative; }
    // Writes text to a file of the directory, making the folders on the way.
    std::string write(const std::string& relative, const std::string& text) const {
        const std::filesystem::path file = path(relative);
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
        return file.string();
    }

private:
    std::string m_dir;
};

} // namespace KvgeoTests
