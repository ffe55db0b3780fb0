// Result items come from a separately built search module: whatever it hands
// over must be copied without reading past the caps and filed without harm,
// and the document must still save and load afterwards.
//
// Input: lines of tab-separated fields: engine (digit), level text, title,
// url, charset, size, fitness, date (16 bytes, optional). A line that starts
// with "!" hands its title over unterminated in a block of exactly the cap.
#include "model/DDoc.h"
#include "model/RefRoot.h"
#include "model/SearchRef.h"
#include "search/QuietSearchSide.h"
#include "search/ResultFiler.h"
#include "search/SearchRunState.h"
#include "search/WSearchInfo.h"
#include "stream/memwstream.h"
#include "stream/mwstream.h"

#include <qsearch/WebSearch.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<std::string> split(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t from = 0;
    for (;;) {
        std::size_t tab = line.find('\t', from);
        fields.push_back(line.substr(from, tab - from));
        if (tab == std::string::npos)
            return fields;
        from = tab + 1;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qx::DDoc doc;
    qx::QuietSearchSide quiet;
    qx::ResultFiler filer(doc, quiet, quiet);
    qx::SearchRef& search = doc.createsearch({}, doc.orgroot(), nullptr);
    qx::FindInfo request;
    request.check = true;
    std::array<qx::SearchRunState, 4> runs;
    std::array<std::uint32_t, 4> results{};
    for (auto& run : runs)
        run.search = &search;

    const std::string input(reinterpret_cast<const char*>(data), size);
    std::vector<char> unterminated(qx::WSearchInfo::kTextCap);
    std::size_t from = 0;
    while (from < input.size()) {
        std::size_t end = input.find('\n', from);
        if (end == std::string::npos)
            end = input.size();
        const std::string line = input.substr(from, end - from);
        from = end + 1;
        std::vector<std::string> f = split(line);
        f.resize(8);
        const std::size_t engine = f[0].empty() ? 0 : static_cast<std::uint8_t>(f[0][0]) % 4;
        WSearchItem item{};
        item.level = f[1].c_str();
        item.title = f[2].c_str();
        if (!line.empty() && line[0] == '!') {
            for (std::size_t i = 0; i < unterminated.size(); ++i)
                unterminated[i] = f[2].empty() ? 'x' : f[2][i % f[2].size()];
            item.title = unterminated.data();
        }
        item.url = f[3].empty() && f[0].size() > 1 ? nullptr : f[3].c_str();
        item.charset = f[4].c_str();
        item.size = static_cast<std::int32_t>(std::strtol(f[5].c_str(), nullptr, 10));
        item.fitness = static_cast<std::uint16_t>(std::strtoul(f[6].c_str(), nullptr, 10));
        WSearchDate date{};
        if (f[7].size() >= sizeof date) {
            std::memcpy(&date, f[7].data(), sizeof date);
            item.date = &date;
        }
        const std::uint32_t level = qx::WSearchInfo::countlevel(item.level);
        if (level == 1)
            ++results[engine];
        const qx::WSearchInfo info =
            qx::WSearchInfo::fromitem(item, 1u << engine, level, results[engine]);
        if (info.title.length() > qx::WSearchInfo::kTextCap)
            __builtin_trap();
        filer.file(info, runs[engine], request);
    }
    doc.commit();

    qx::mwstream out(4096);
    if (doc.write(out) != 0)
        __builtin_trap();
    std::vector<char> bytes(out.buffer().data(), out.buffer().data() + out.buffer().size());
    qx::memwstream in(bytes.data(), static_cast<int>(bytes.size()));
    qx::DDoc copy;
    if (copy.read(in) != 0)
        __builtin_trap();
    return 0;
}
