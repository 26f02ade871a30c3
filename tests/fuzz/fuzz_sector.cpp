// libFuzzer target: the sector file readers on any bytes, and saving what it loaded settles.
#include <cstdlib>

#include "reader_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (!qelvar::fuzzing::checkSector(bytes)) std::abort();
    return 0;
}
