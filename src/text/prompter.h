#pragma once
#include <string>

namespace zv {

// What a form may ask of its window: one message box of four kinds. Forms never
// show anything themselves, so tests answer with a scripted implementation.
struct Prompter {
    virtual ~Prompter() = default;
    virtual void error(const std::string& text) = 0;
    virtual void warning(const std::string& text) = 0;
    virtual void information(const std::string& text) = 0;
    virtual bool confirm(const std::string& text) = 0;  // Yes -> true
};

}  // namespace zv
