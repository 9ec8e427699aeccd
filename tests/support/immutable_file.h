// CImmutableFile: a file that nobody may write for the life of the object, root included (tests
// run as root, who writes read-only files all the same). Made with the host's chattr, which
// Wine starts like any program; the file is on Wine's Z: drive, the host's root.
#pragma once

#include <string>

namespace testing_support {

class CImmutableFile {
public:
    explicit CImmutableFile(const std::string& path);
    ~CImmutableFile();  // writable again
    CImmutableFile(const CImmutableFile&) = delete;
    CImmutableFile& operator=(const CImmutableFile&) = delete;

    // True once the file refuses to be opened for writing.
    bool IsImmutable() const { return m_immutable; }

private:
    std::string m_path;
    bool m_immutable = false;
};

}  // namespace testing_support
