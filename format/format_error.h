#pragma once

#include <stdexcept>
#include <string>

namespace jigsaw {

// The one error type of the file layer: its message says what is wrong with
// the data in words a person can act on ("the file ends inside the mask").
class FormatError : public std::runtime_error {
public:
    explicit FormatError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace jigsaw
