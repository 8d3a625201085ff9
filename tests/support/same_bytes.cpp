#include "same_bytes.h"

#include <algorithm>
#include <cstdio>

namespace {

// Up to 16 bytes from `at`, printable ones as they are and the rest as \xNN.
std::string excerpt(const std::string& bytes, std::size_t at) {
    std::string shown;
    for (std::size_t i = at; i < std::min(bytes.size(), at + 16); ++i) {
        auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            shown += static_cast<char>(byte);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            shown += escaped;
        }
    }
    return "\"" + shown + "\"";
}

} // namespace

::testing::AssertionResult sameBytes(const std::string& actual, const std::string& expected) {
    if (actual == expected) {
        return ::testing::AssertionSuccess();
    }
    auto differ = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    auto at = static_cast<std::size_t>(differ.first - actual.begin());
    return ::testing::AssertionFailure()
           << actual.size() << " bytes where " << expected.size() << " were expected; first "
           << "difference at offset " << at << ": got " << excerpt(actual, at) << ", expected "
           << excerpt(expected, at);
}
