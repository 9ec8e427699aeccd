// CImmutableFile: a file nobody may write while the object lives, root included (tests run as
// root, who writes read-only files all the same): the host's chattr +i, which Wine starts like any
// program, on a file of Wine's Z: drive (the host's root).
#pragma once

#include <string>

namespace testing_support {

class CImmutableFile {
public:
    explicit CImmutableFile(const std::wstring& path) : m_path(path), m_immutable(Set(true)) {}
    // Cleared even when setting it was not seen to take: a chattr that took late must not leave
    // a file behind that nobody can delete.
    ~CImmutableFile() { Set(false); }
    CImmutableFile(const CImmutableFile&) = delete;
    CImmutableFile& operator=(const CImmutableFile&) = delete;

    // True once the file refuses to be opened for writing.
    bool IsImmutable() const { return m_immutable; }

private:
    bool Set(bool on) const;

    std::wstring m_path;
    bool m_immutable;
};

}  // namespace testing_support
