#include "support/guarded_buffer.h"
#include <windows.h>
#include <cstring>
#include <stdexcept>

namespace ferro_test {
namespace {
std::size_t page_size() {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwPageSize;
}
}  // namespace

GuardedBuffer::GuardedBuffer(std::size_t size, char fill) : size_(size) {
    const std::size_t page = page_size();
    const std::size_t usable = (size + page - 1) / page * page;
    reserved_ = usable + page;
    base_ = static_cast<char*>(VirtualAlloc(nullptr, reserved_, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    if (!base_) throw std::runtime_error("VirtualAlloc failed");
    DWORD old;
    VirtualProtect(base_ + usable, page, PAGE_NOACCESS, &old);
    data_ = base_ + usable - size;
    std::memset(base_, fill, usable);
}

GuardedBuffer::~GuardedBuffer() {
    if (base_) VirtualFree(base_, 0, MEM_RELEASE);
}

std::string_view GuardedBuffer::str() const {
    const void* nul = std::memchr(data_, '\0', size_);
    return {data_, nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - data_) : size_};
}

void GuardedBuffer::assign(std::string_view text) {
    if (text.size() + 1 > size_) throw std::length_error("text does not fit the guarded buffer");
    std::memcpy(data_, text.data(), text.size());
    data_[text.size()] = '\0';
}
}  // namespace ferro_test
