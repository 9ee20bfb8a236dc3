// A buffer whose last byte touches a PAGE_NOACCESS page: any write (or read)
// past its end crashes the test at the faulty instruction.
#pragma once
#include <cstddef>
#include <string_view>

namespace ferro_test {
class GuardedBuffer {
public:
    // `size` usable bytes, filled with `fill` so tests can see what was written.
    explicit GuardedBuffer(std::size_t size, char fill = '\x7f');
    ~GuardedBuffer();
    GuardedBuffer(const GuardedBuffer&) = delete;
    GuardedBuffer& operator=(const GuardedBuffer&) = delete;

    char* data() const { return data_; }
    std::size_t size() const { return size_; }
    operator char*() const { return data_; }
    std::string_view str() const;  // up to the first NUL (or the whole buffer)
    // Copies the text in (with its NUL); it must fit.
    void assign(std::string_view text);

private:
    char* base_ = nullptr;
    char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t reserved_ = 0;
};
}  // namespace ferro_test
