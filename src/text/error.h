#pragma once
#include <stdexcept>
#include <string>

namespace zv {

// The one error type of the core: its message is meant for the user as it stands.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace zv
