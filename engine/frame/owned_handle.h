// Owners of kernel handles and loaded libraries: closed or freed when the
// owner goes. A null handle and INVALID_HANDLE_VALUE both mean "none".
#pragma once
#include <windows.h>
#include <utility>

namespace ferro {
class OwnedHandle {
public:
    OwnedHandle() = default;
    explicit OwnedHandle(HANDLE h) : h_(valid(h) ? h : nullptr) {}
    ~OwnedHandle() { reset(); }
    OwnedHandle(OwnedHandle&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept {
        if (this != &other) reset(std::exchange(other.h_, nullptr));
        return *this;
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    HANDLE get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    HANDLE release() { return std::exchange(h_, nullptr); }
    void reset(HANDLE h = nullptr) {
        if (h_) CloseHandle(h_);
        h_ = valid(h) ? h : nullptr;
    }

private:
    static bool valid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    HANDLE h_ = nullptr;
};

// A view of a file mapping, unmapped when the owner goes.
class MappedView {
public:
    MappedView() = default;
    explicit MappedView(void* view) : view_(view) {}
    ~MappedView() { reset(); }
    MappedView(const MappedView&) = delete;
    MappedView& operator=(const MappedView&) = delete;
    void* get() const { return view_; }
    explicit operator bool() const { return view_ != nullptr; }
    void reset(void* view = nullptr) {
        if (view_) UnmapViewOfFile(view_);
        view_ = view;
    }

private:
    void* view_ = nullptr;
};
}  // namespace ferro
