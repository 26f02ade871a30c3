#pragma once
// The texts of a list of notices, for comparing with the expected messages.

#include <string>
#include <vector>

#include "store/notice.h"

namespace qelvar::testing {

inline std::vector<std::string> texts(const Notices& notices) {
    std::vector<std::string> out;
    for (const Notice& n : notices) out.push_back(n.text);
    return out;
}

}  // namespace qelvar::testing
