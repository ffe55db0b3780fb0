#pragma once

#include "model/List.h"
#include "platform/FileTime.h"
#include "stream/Str.h"

#include <cstdint>

namespace qx {

// What one engine run of a saved search left behind.
struct ServerInfo {
    // The engine bit.
    std::uint16_t server = 0;
    // Results with an address filed in the run.
    std::int32_t found = 0;
    // Of those, the ones that were new under the saved search.
    std::int32_t added = 0;
    // The error that ended the run; empty when it ended normally.
    Str error;
    // When the record was last written (UTC).
    platform::FileTime time = 0;

    // Stored form: server (16), found (32), added (32), error, time (64). The
    // stream's state tells whether it worked.
    void write(owstream& out) const;
    void read(iwstream& in);
};

class ServerInfoNode : public Node {
public:
    explicit ServerInfoNode(const ServerInfo& info) : info(info) {}
    ServerInfo info;
};

// A saved search's engine records, one per engine bit.
class ServerInfoList : public List {
public:
    ServerInfoList() = default;
    // Copies duplicate every record.
    ServerInfoList(const ServerInfoList& other);
    ServerInfoList& operator=(const ServerInfoList& other);

    ServerInfoNode* first() const { return static_cast<ServerInfoNode*>(List::first()); }
    // The record of an engine bit, or null.
    ServerInfo* find(std::uint16_t server) const;
    // The record of the same engine bit takes the new found, added and error
    // values, or a new record is appended; either way stamped with the present
    // time.
    void update(const ServerInfo& info);

    // A 16-bit count, then the records. The stream's state tells whether it
    // worked; reading replaces the list and keeps the records read before a
    // failure.
    void write(owstream& out) const;
    void read(iwstream& in);
};

} // namespace qx
