// Takes a fuzzer's bytes apart into the arguments a target needs.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace wrivo::fuzz {

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : rest_(reinterpret_cast<const char*>(data), size) { }

    std::uint8_t byte()
    {
        if (rest_.empty()) return 0;
        auto b = static_cast<std::uint8_t>(rest_[0]);
        rest_.remove_prefix(1);
        return b;
    }

    template <class T>
    T raw()
    {
        char bytes[sizeof(T)] = {};
        std::size_t n = rest_.size() < sizeof(T) ? rest_.size() : sizeof(T);
        std::memcpy(bytes, rest_.data(), n);
        rest_.remove_prefix(n);
        T value;
        std::memcpy(&value, bytes, sizeof(T));
        return value;
    }

    std::string text(std::size_t maxLength)
    {
        std::size_t n = rest_.size() < maxLength ? rest_.size() : maxLength;
        std::string s(rest_.substr(0, n));
        rest_.remove_prefix(n);
        return s;
    }

    std::string rest() { return text(rest_.size()); }

private:
    std::string_view rest_;
};

// Stops the run with the input saved when a property does not hold.
#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)

} // namespace wrivo::fuzz
