// CUniqueHandle: the one owner of a handle, closed when the owner goes (move-only, never copied).
#pragma once

#include <utility>

// Traits name the handle type, its empty value and how a handle is closed, for example:
//   struct CMemDCTraits : CNullHandleTraits<HDC> { static void Close(HDC h) { ::DeleteDC(h); } };
// Borrowing is a plain handle (or a wrapper without an owner); only this class closes anything.
template <typename Traits> class CUniqueHandle {
public:
    using Handle = typename Traits::Handle;

    CUniqueHandle() noexcept = default;
    explicit CUniqueHandle(Handle handle) noexcept : m_handle(handle) {}
    ~CUniqueHandle() { Reset(); }
    CUniqueHandle(CUniqueHandle&& other) noexcept : m_handle(other.Release()) {}
    CUniqueHandle& operator=(CUniqueHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    CUniqueHandle(const CUniqueHandle&) = delete;
    CUniqueHandle& operator=(const CUniqueHandle&) = delete;

    Handle Get() const noexcept { return m_handle; }
    bool IsValid() const noexcept { return Traits::IsValid(m_handle); }
    explicit operator bool() const noexcept { return IsValid(); }

    // Gives the handle up, for a taker that closes it itself.
    Handle Release() noexcept { return std::exchange(m_handle, Traits::Invalid()); }
    // Closes the handle held so far and takes handle.
    void Reset(Handle handle = Traits::Invalid()) noexcept
    {
        Handle previous = std::exchange(m_handle, handle);
        if (Traits::IsValid(previous))
            Traits::Close(previous);
    }
    // For functions that hand a new handle back through a pointer: closes the old one first.
    Handle* Put() noexcept
    {
        Reset();
        return &m_handle;
    }

private:
    Handle m_handle = Traits::Invalid();
};

// Traits for handles whose empty value is null.
template <typename THandle> struct CNullHandleTraits {
    using Handle = THandle;
    static constexpr Handle Invalid() noexcept { return nullptr; }
    static constexpr bool IsValid(Handle handle) noexcept { return handle != nullptr; }
};
