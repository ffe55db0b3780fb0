#include "platform/Message.h"

#include <map>
#include <mutex>
#include <string>

namespace qx::platform {

MessageId registerMessage(std::string_view name) {
    if (name.empty())
        return kNullMessage;
    static std::mutex lock;
    static std::map<std::string, MessageId, std::less<>> numbers;
    std::lock_guard guard(lock);
    const auto found = numbers.find(name);
    if (found != numbers.end())
        return found->second;
    const MessageId id = kFirstRegisteredMessage + static_cast<MessageId>(numbers.size());
    numbers.emplace(std::string(name), id);
    return id;
}

} // namespace qx::platform
