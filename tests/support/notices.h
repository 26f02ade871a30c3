#pragma once
// The texts of a list of notices, and the failure text of a result, for comparing with the expected messages.

#include <string>
#include <vector>

#include "store/result.h"

namespace qelvar::testing {

inline std::vector<std::string> texts(const Notices& notices) {
    std::vector<std::string> out;
    for (const Notice& n : notices) out.push_back(n.text);
    return out;
}

// The failure's text; empty for a success.
template <class T>
std::string errorOf(const Result<T>& result) {
    return result ? std::string() : result.error();
}

}  // namespace qelvar::testing
