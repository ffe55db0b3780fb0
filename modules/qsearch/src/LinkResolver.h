#pragma once

#include <string>

namespace qsearch {

// Turns the link of a result into the address the program files: resolved
// against the page it was found on, unwrapped when it goes through the
// engine's redirector (the target travels in one parameter NAME=value of the
// query or of a path piece, as in /RU=https%3a%2f%2f.../). Only http
// and https addresses come out; anything else gives an empty text.
class LinkResolver {
public:
    explicit LinkResolver(std::string redirectParam) : redirectParam_(std::move(redirectParam)) {}

    std::string resolve(const std::string& page, const std::string& link) const;

private:
    std::string redirectParam_;
};

} // namespace qsearch
