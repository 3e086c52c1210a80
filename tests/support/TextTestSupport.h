// What the text and settings tests share: the message of the failure an action reports.
#pragma once

#include "platform/Error.h"

#include <string>

namespace vennart::test {

// The message of the vennart::Error that `action` throws, or "(no error)" when it throws none.
template <typename Action> std::string ErrorOf(Action action)
{
    try {
        action();
    } catch (const Error& error) {
        return error.what();
    }
    return "(no error)";
}

} // namespace vennart::test
