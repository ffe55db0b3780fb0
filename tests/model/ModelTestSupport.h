#pragma once

#include "model/LabelTexts.h"
#include "platform/DateTime.h"
#include "stream/memwstream.h"
#include "stream/mwstream.h"

#include <map>
#include <string>

namespace qx::test {

// Texts by number and the two view options, for a document or container to
// read.
class FakeLabelTexts : public LabelTexts {
public:
    FakeLabelTexts() {
        texts[kSearchName] = "Search";
        const char* names[] = {"Win", "Dos", "Koi", "Iso5", "Latin"};
        for (int i = 0; i < 5; ++i) {
            texts[kCharsetName + i] = names[i];
        }
    }

    Str text(int id) const override {
        const auto it = texts.find(id);
        return it == texts.end() ? Str() : Str(it->second);
    }
    bool showhidden() const override { return hidden; }
    bool shownew() const override { return onlynew; }

    std::map<int, std::string> texts;
    bool hidden = false;
    bool onlynew = false;
};

// A calendar date-time with the given fields, the rest 0.
inline platform::SystemTime date(int year, int month, int day, int hour = 0, int minute = 0) {
    platform::SystemTime t;
    t.year = static_cast<std::uint16_t>(year);
    t.month = static_cast<std::uint16_t>(month);
    t.day = static_cast<std::uint16_t>(day);
    t.hour = static_cast<std::uint16_t>(hour);
    t.minute = static_cast<std::uint16_t>(minute);
    return t;
}

inline std::string bytesof(const mwstream& s) {
    return std::string(s.buffer().data(), static_cast<std::size_t>(s.buffer().size()));
}

// An input stream over a copy of some bytes.
class ByteSource {
public:
    explicit ByteSource(std::string bytes)
        : bytes_(std::move(bytes)), stream_(bytes_.data(), static_cast<int>(bytes_.size())) {}
    memwstream& stream() { return stream_; }
    int position() { return stream_.tell(); }

private:
    std::string bytes_;
    memwstream stream_;
};

} // namespace qx::test
