#include "model/ServerInfo.h"

#include "stream/iwstream.h"
#include "stream/owstream.h"

namespace qx {

void ServerInfo::write(owstream& out) const {
    out.put16(server);
    out.put32(static_cast<std::uint32_t>(found));
    out.put32(static_cast<std::uint32_t>(added));
    out << error;
    out.put64(time);
}

void ServerInfo::read(iwstream& in) {
    std::uint32_t value = 0;
    in.get16(server);
    in.get32(value);
    found = static_cast<std::int32_t>(value);
    in.get32(value);
    added = static_cast<std::int32_t>(value);
    in >> error;
    in.get64(time);
}

ServerInfoList::ServerInfoList(const ServerInfoList& other) : List() {
    *this = other;
}

ServerInfoList& ServerInfoList::operator=(const ServerInfoList& other) {
    if (this != &other) {
        clear();
        for (auto* node = other.first(); node; node = static_cast<ServerInfoNode*>(node->next())) {
            append(new ServerInfoNode(node->info));
        }
    }
    return *this;
}

ServerInfo* ServerInfoList::find(std::uint16_t server) const {
    for (auto* node = first(); node; node = static_cast<ServerInfoNode*>(node->next())) {
        if (node->info.server == server) {
            return &node->info;
        }
    }
    return nullptr;
}

void ServerInfoList::update(const ServerInfo& info) {
    ServerInfo* record = find(info.server);
    if (!record) {
        auto* node = new ServerInfoNode(info);
        append(node);
        record = &node->info;
    } else {
        record->found = info.found;
        record->added = info.added;
        record->error = info.error;
    }
    record->time = platform::currentFileTime();
}

void ServerInfoList::write(owstream& out) const {
    // The count is 16 bits; a list never holds more than one record per engine
    // bit, far below that.
    out.put16(static_cast<std::uint16_t>(count()));
    for (auto* node = first(); node; node = static_cast<ServerInfoNode*>(node->next())) {
        node->info.write(out);
    }
}

void ServerInfoList::read(iwstream& in) {
    clear();
    std::uint16_t n = 0;
    in.get16(n);
    while (n-- && in.good()) {
        ServerInfo info;
        info.read(in);
        if (!in.good()) {
            break;
        }
        append(new ServerInfoNode(info));
    }
}

} // namespace qx
