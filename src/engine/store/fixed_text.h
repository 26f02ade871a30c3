#pragma once
// Fixed-width text fields of the world record. Assigning pads with spaces on the right or cuts; reading
// yields exactly N bytes. A cleared field holds N NUL bytes, which is how an untouched slot looks.

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "store/text.h"

namespace qelvar {

template <std::size_t N>
class FixedText {
public:
    FixedText() { clear(); }
    FixedText(std::string_view text) { assign(text); }  // NOLINT: fields are assigned from text freely

    FixedText& operator=(std::string_view text) {
        assign(text);
        return *this;
    }

    void clear() { bytes_.fill('\0'); }

    void assign(std::string_view text) {
        const std::size_t n = std::min(text.size(), N);
        std::copy_n(text.data(), n, bytes_.data());
        std::fill(bytes_.begin() + static_cast<std::ptrdiff_t>(n), bytes_.end(), ' ');
    }

    // The whole field, trailing blanks (or NULs of a cleared field) included.
    std::string str() const { return std::string(bytes_.data(), N); }
    std::string_view view() const { return std::string_view(bytes_.data(), N); }

    // The whole field as it is shown: the NULs of a cleared field become blanks.
    std::string shown() const {
        std::string text = str();
        std::replace(text.begin(), text.end(), '\0', ' ');
        return text;
    }

    // The field without leading and trailing blanks; a cleared field reads as empty.
    std::string_view trimmed() const { return trimBlanks(view()); }

    // The i-th character, 1-based as the file layouts count.
    char at(std::size_t position) const { return bytes_[position - 1]; }

    static constexpr std::size_t width = N;

    bool operator==(const FixedText&) const = default;

private:
    std::array<char, N> bytes_{};
};

}  // namespace qelvar
