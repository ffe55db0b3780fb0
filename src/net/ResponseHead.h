#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The head of an HTTP answer as it arrives, line by line: the status code of
// the status line and the header lines (folded lines joined). Any bytes are
// accepted; a head larger than the limit is refused instead of kept.
namespace qx {

class ResponseHead {
public:
    enum class Step {
        None,      // a header line was kept
        NewAnswer, // a status line began an answer (the one before is forgotten)
        Interim,   // the head of an interim (1xx) answer ended
        Complete,  // the head of a final answer ended
        TooLarge,  // the head passed the limit
    };
    static constexpr std::size_t kMaxBytes = 100 * 1024;

    // One line without its line end; wireBytes is what it took on the wire.
    Step feed(std::string_view line, std::size_t wireBytes);
    void clear();

    // The code of the status line; 0 when it had none.
    long status() const { return status_; }
    const std::vector<std::string>& lines() const { return lines_; }
    // The value of the first header of that name (any letter case), without
    // the blanks around it.
    std::optional<std::string> value(std::string_view name) const;

private:
    long status_ = 0;
    std::size_t bytes_ = 0;
    std::vector<std::string> lines_;
};

} // namespace qx
