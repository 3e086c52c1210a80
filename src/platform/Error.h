// The one error type of the program. Its message is what the user reads in the error box, so it
// names the file concerned and the cause.
#pragma once

#include <stdexcept>
#include <string>

namespace vennart {

class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace vennart
