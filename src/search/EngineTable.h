#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qx {

class Language;
class SearchModule;

// An engine the search module has a definition for: its number and the
// definition's name.
struct DefinedEngine {
    int number = 0;
    std::string name;
};

// The search engines of the 16 mask positions: each has a bit (in masks and
// stored data), a number (what the search module is given: the position + 1),
// a fixed name and a display name. Seven positions name the design's engines
// whatever a definition says, their display names from the language module;
// the free positions (bit 8 and bits 256..32768) become engines when the
// module defines them, named by the definition. Bits and numbers that name no
// engine give 0, bit 0 and empty names. One table is made at start from the
// language module and the loaded search module and handed to whoever shows or
// asks engines.
class EngineTable {
public:
    static constexpr int kPositions = 16;

    // The language module's text of a display name.
    using Texts = std::function<std::string(int id)>;

    // The design's seven engines; display names through texts (none without).
    explicit EngineTable(Texts texts = {});

    // The table of a program: display names from the language module, and
    // the definitions of the module when it tells them (module may be null).
    static EngineTable make(const Language& language, const SearchModule* module);

    // Lays the module's list over the table: a named position is marked as
    // defined, a free position becomes an engine with the definition's name.
    void setdefinitions(const std::vector<DefinedEngine>& engines);

    int number(std::uint16_t bit) const;
    std::uint16_t bit(int number) const;
    const std::string& name(std::uint16_t bit) const;
    // The language module's text number of the display name; 0 for none.
    int displaytext(std::uint16_t bit) const;
    std::string displayname(std::uint16_t bit) const;

    // The positions that name an engine.
    std::uint16_t namedmask() const;
    // Whether the module told which engines it defines (a module may not).
    bool knowsdefinitions() const { return knows_; }
    // The engines that have a definition; 0 when the module did not tell.
    std::uint16_t definedmask() const { return defined_; }
    // What a user who has chosen nothing asks: the engines that have a
    // definition, else (the module did not tell, or defines none) the design's
    // (kDesignEngineMask).
    std::uint16_t defaultmask() const;

private:
    struct Engine {
        std::string name;
        int text = 0;
    };
    // The position of a one-bit mask, or -1.
    static int position(std::uint16_t bit);

    Texts texts_;
    std::array<Engine, kPositions> engines_;
    bool knows_ = false;
    std::uint16_t defined_ = 0;
};

} // namespace qx
