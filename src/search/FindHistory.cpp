#include "search/FindHistory.h"

#include "platform/DecimalText.h"
#include "settings/ApplicationProfile.h"
#include "settings/Options.h"
#include "settings/SearchSettings.h"

#include <algorithm>

namespace qx {

FindInfo FindHistory::plaindefaults(const ApplicationProfile& profile, const Options& options) {
    const char* s = SearchSettings::kSection;
    FindInfo plain;
    plain.queryMode = profile.readInt(s, "QueryMode", 0);
    plain.max = profile.readInt(s, "Max", 0);
    plain.servers = static_cast<std::uint16_t>(profile.readInt(s, "Servers", 7));
    plain.check = options.checkRef;
    return plain;
}

std::string FindHistory::entrytext(const FindInfo& request) {
    std::string text(request.query.view());
    for (int value :
         {request.max, int(request.servers), request.check ? 1 : 0, request.queryMode}) {
        text += ',';
        text += std::to_string(value);
    }
    text += ',';
    text += request.exclude.view();
    text += ',';
    return text;
}

FindInfo FindHistory::decode(std::string_view text, const FindInfo& plain) {
    std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) {
        FindInfo request = plain;
        request.query = Str(text);
        request.exclude.clear();
        return request;
    }
    FindInfo request;
    request.query = Str(text.substr(0, comma));
    // Each numeric piece runs to the next comma, the last one to the end.
    int values[4] = {request.max, request.servers, request.check ? 1 : 0, request.queryMode};
    for (int& value : values) {
        if (comma == std::string_view::npos)
            break;
        const std::size_t next = text.find(',', comma + 1);
        value = platform::leadingInteger(text.substr(
            comma + 1, next == std::string_view::npos ? std::string_view::npos : next - comma - 1));
        comma = next;
    }
    request.max = values[0];
    request.servers = static_cast<std::uint16_t>(values[1]);
    request.check = values[2] != 0;
    request.queryMode = values[3];
    const std::size_t last = text.rfind(',');
    if (comma != std::string_view::npos && last > comma)
        request.exclude = Str(text.substr(comma + 1, last - comma - 1));
    return request;
}

void FindHistory::load(const ApplicationProfile& profile, const Options& options) {
    std::vector<std::string> texts;
    SearchSettings::readHistory(profile, texts);
    const FindInfo plain = plaindefaults(profile, options);
    entries_.clear();
    for (const std::string& text : texts)
        entries_.push_back(decode(text, plain));
}

void FindHistory::add(const FindInfo& request) {
    std::erase_if(entries_, [&](const FindInfo& entry) { return entry.query == request.query; });
    entries_.insert(entries_.begin(), request);
}

bool FindHistory::save(ApplicationProfile& profile) const {
    std::vector<std::string> texts;
    texts.reserve(entries_.size());
    for (const FindInfo& entry : entries_)
        texts.push_back(entrytext(entry));
    return SearchSettings::writeHistory(profile, texts);
}

} // namespace qx
