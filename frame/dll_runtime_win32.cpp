// The few C++ runtime entry points our DLLs take from themselves rather than
// from the statically linked libstdc++. A DLL that links GCC's exception
// support keeps, per load, an emergency exception pool of about 18 KB, a
// semaphore for its unwinder and a TLS slot, none of which it gives back at
// unload; a host that loads the module for every demonstration would run out
// of them. The DLLs are built without exceptions and without thread-safe
// statics (everything runs on the host's GUI thread), and with these
// definitions nothing pulls that support in. Exhausted memory ends the
// process, as the uncaught std::bad_alloc did before.
#include <cstdlib>
#include <new>

namespace {

void* AllocateOrAbort(std::size_t size) {
    void* memory = std::malloc(size != 0 ? size : 1);
    if (memory == nullptr)
        std::abort();
    return memory;
}

} // namespace

void* operator new(std::size_t size) {
    return AllocateOrAbort(size);
}

void* operator new[](std::size_t size) {
    return AllocateOrAbort(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size != 0 ? size : 1);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size != 0 ? size : 1);
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}

void operator delete[](void* memory) noexcept {
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}

void operator delete(void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}

void operator delete[](void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}

// What the library's inline code calls where it would throw: a length or
// index out of range, an empty std::function called. Each is a fault of
// ours, and fatal as before.
namespace std {

void __throw_bad_alloc() {
    std::abort();
}

void __throw_bad_array_new_length() {
    std::abort();
}

void __throw_length_error(const char*) {
    std::abort();
}

void __throw_logic_error(const char*) {
    std::abort();
}

void __throw_out_of_range(const char*) {
    std::abort();
}

void __throw_out_of_range_fmt(const char*, ...) {
    std::abort();
}

void __throw_invalid_argument(const char*) {
    std::abort();
}

void __throw_bad_function_call() {
    std::abort();
}

// A failed library assertion (an index past the end, say).
void __glibcxx_assert_fail(const char*, int, const char*, const char*) noexcept {
    std::abort();
}

} // namespace std
