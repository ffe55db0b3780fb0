#include "search/EngineTable.h"

#include "model/LabelTexts.h"

namespace qx {

namespace {

struct Engine {
    std::uint16_t bit;
    int number;
    std::string_view name;
    int text;
};

constexpr Engine kEngines[] = {
    {1, 1, "Aport", 9233},      {2, 2, "Rambler", 9234}, {4, 3, "Yandex", 9235},
    {16, 5, "AltaVista", 9237}, {32, 6, "Yahoo", 9238},  {64, 7, "Lycos", 9240},
    {128, 8, "HotBot", 9239},
};

const Engine* bybit(std::uint16_t bit) {
    for (const Engine& engine : kEngines) {
        if (engine.bit == bit) {
            return &engine;
        }
    }
    return nullptr;
}

} // namespace

int EngineTable::number(std::uint16_t bit) {
    const Engine* engine = bybit(bit);
    return engine ? engine->number : 0;
}

std::uint16_t EngineTable::bit(int number) {
    for (const Engine& engine : kEngines) {
        if (engine.number == number) {
            return engine.bit;
        }
    }
    return 0;
}

std::string_view EngineTable::name(std::uint16_t bit) {
    const Engine* engine = bybit(bit);
    return engine ? engine->name : std::string_view();
}

int EngineTable::displaytext(std::uint16_t bit) {
    const Engine* engine = bybit(bit);
    return engine ? engine->text : 0;
}

Str EngineTable::displayname(std::uint16_t bit) {
    const int text = displaytext(bit);
    return text ? LabelTexts::current().text(text) : Str();
}

} // namespace qx
