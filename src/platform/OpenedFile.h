#pragma once
// A regular file held open to read parts of it where a reader asks: the
// browser cache readers take a few small parts of files that other programs
// wrote, which may be large, cut short or made to mislead.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "platform/NativeHandle.h"

namespace vellomar {

class OpenedFile {
public:
    OpenedFile() = default;
    ~OpenedFile() { CloseNativeHandle(handle_); }
    OpenedFile(OpenedFile&& other) noexcept
        : handle_(std::exchange(other.handle_, kNoHandle)), size_(other.size_) {}
    OpenedFile& operator=(OpenedFile&& other) noexcept {
        if (this != &other) {
            CloseNativeHandle(std::exchange(handle_, std::exchange(other.handle_, kNoHandle)));
            size_ = other.size_;
        }
        return *this;
    }
    OpenedFile(const OpenedFile&) = delete;
    OpenedFile& operator=(const OpenedFile&) = delete;

    explicit operator bool() const { return handle_ != kNoHandle; }
    // The size it had when it was opened.
    std::uint64_t Size() const { return size_; }
    // length bytes from offset; nothing when the file held fewer there when it
    // was opened, or holds fewer now, or reading fails.
    std::optional<std::string> Read(std::uint64_t offset, std::size_t length) const;

private:
    friend class Folder;
    OpenedFile(NativeHandle handle, std::uint64_t size) : handle_(handle), size_(size) {}

    NativeHandle handle_ = kNoHandle;
    std::uint64_t size_ = 0;
};

}  // namespace vellomar
