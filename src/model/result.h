// The answer of an operation that can fail with a message for the user. Operations that only succeed or
// fail return a bool; numeric codes stay only where callers tell the failures apart.
#pragma once

#include <string>
#include <utility>

namespace plotwell {

struct [[nodiscard]] Result {
    bool ok = false;
    std::string message;  // why not, when !ok; empty otherwise
};

inline Result success() {
    return {true, {}};
}
inline Result failure(std::string message) {
    return {false, std::move(message)};
}

}  // namespace plotwell
