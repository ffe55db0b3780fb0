#include "search/EngineTable.h"

#include "lang/Language.h"
#include "search/SearchModule.h"
#include "settings/SearchSettings.h"

#include <bit>

namespace qx {

namespace {

struct DesignEngine {
    int position;
    const char* name;
    int text;
};

constexpr DesignEngine kDesignEngines[] = {
    {0, "Aport", 9233}, {1, "Rambler", 9234}, {2, "Yandex", 9235}, {4, "AltaVista", 9237},
    {5, "Yahoo", 9238}, {6, "Lycos", 9240},   {7, "HotBot", 9239},
};

const std::string kNone;

} // namespace

EngineTable::EngineTable(Texts texts) : texts_(std::move(texts)) {
    for (const DesignEngine& engine : kDesignEngines)
        engines_[static_cast<std::size_t>(engine.position)] = {engine.name, engine.text};
}

EngineTable EngineTable::make(const Language& language, const SearchModule* module) {
    EngineTable table([&language](int id) { return language.text(static_cast<unsigned>(id)); });
    if (module) {
        if (const auto defined = module->engines())
            table.setdefinitions(*defined);
    }
    return table;
}

void EngineTable::setdefinitions(const std::vector<DefinedEngine>& engines) {
    knows_ = true;
    defined_ = 0;
    for (const DefinedEngine& defined : engines) {
        if (defined.number < 1 || defined.number > kPositions)
            continue;
        Engine& engine = engines_[static_cast<std::size_t>(defined.number - 1)];
        defined_ |= static_cast<std::uint16_t>(1u << (defined.number - 1));
        if (engine.text == 0)
            engine.name =
                defined.name.empty() ? "#" + std::to_string(defined.number) : defined.name;
    }
}

int EngineTable::position(std::uint16_t bit) {
    return std::has_single_bit(bit) ? std::countr_zero(bit) : -1;
}

int EngineTable::number(std::uint16_t bit) const {
    const int at = position(bit);
    return at >= 0 && !engines_[static_cast<std::size_t>(at)].name.empty() ? at + 1 : 0;
}

std::uint16_t EngineTable::bit(int number) const {
    if (number < 1 || number > kPositions ||
        engines_[static_cast<std::size_t>(number - 1)].name.empty())
        return 0;
    return static_cast<std::uint16_t>(1u << (number - 1));
}

const std::string& EngineTable::name(std::uint16_t bit) const {
    const int at = position(bit);
    return at >= 0 ? engines_[static_cast<std::size_t>(at)].name : kNone;
}

int EngineTable::displaytext(std::uint16_t bit) const {
    const int at = position(bit);
    return at >= 0 ? engines_[static_cast<std::size_t>(at)].text : 0;
}

std::string EngineTable::displayname(std::uint16_t bit) const {
    const int text = displaytext(bit);
    if (text == 0)
        return name(bit);
    return texts_ ? texts_(text) : std::string();
}

std::uint16_t EngineTable::namedmask() const {
    std::uint16_t mask = 0;
    for (int at = 0; at < kPositions; ++at) {
        if (!engines_[static_cast<std::size_t>(at)].name.empty())
            mask |= static_cast<std::uint16_t>(1u << at);
    }
    return mask;
}

std::uint16_t EngineTable::defaultmask() const {
    return defined_ ? defined_ : kDesignEngineMask;
}

} // namespace qx
