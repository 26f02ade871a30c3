#pragma once
// The operations a recording surface wrote, each split into its TAB-separated fields.

#include <algorithm>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace qelvar::testing {

using RecordedOp = std::vector<std::string>;

inline std::vector<RecordedOp> recordedOps(const std::string& text) {
    std::vector<RecordedOp> ops;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        RecordedOp op;
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, '\t');) op.push_back(field);
        ops.push_back(op);
    }
    return ops;
}

inline std::size_t countRecorded(const std::vector<RecordedOp>& ops,
                                 const std::function<bool(const RecordedOp&)>& match) {
    return static_cast<std::size_t>(std::count_if(ops.begin(), ops.end(), match));
}

}  // namespace qelvar::testing
