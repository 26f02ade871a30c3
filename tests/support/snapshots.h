#pragma once
// Whole drawings compared with a digest of the drawing's operations as they were when they were looked at
// (rendered to a picture and checked by eye): any operation, colour, width, style or coordinate that changes
// shows. QELVAR_WRITE_SNAPSHOTS=1 records the digests again. A drawing that differs is written to NAME.ops in
// the working folder, to render or compare with the one before.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace qelvar::testing {

inline std::string snapshotDigest(const std::string& ops) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const unsigned char c : ops) hash = (hash ^ c) * 1099511628211ull;
    std::ostringstream out;
    out << std::count(ops.begin(), ops.end(), '\n') << " operations, digest " << std::hex << hash << "\n";
    return out.str();
}

inline void expectSnapshot(const std::string& name, const std::string& ops) {
    const std::string file = QELVAR_TEST_DATA "/snapshots/" + name + ".digest";
    const std::string digest = snapshotDigest(ops);
    if (std::getenv("QELVAR_WRITE_SNAPSHOTS")) std::ofstream(file, std::ios::binary) << digest;
    std::ifstream in(file, std::ios::binary);
    const std::string expected((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (expected == digest) return;
    std::ofstream(name + ".ops", std::ios::binary) << ops;
    ADD_FAILURE() << name << ": " << digest << "recorded: " << expected << "(the drawing is in " << name << ".ops)";
}

}  // namespace qelvar::testing
