// The error-text exports of a language module.
#include "LangTables.h"
#include "platform/SystemError.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

using namespace qx::langmod;

namespace {

const char* find(const ErrorTable* table, std::int32_t code) {
    const ErrorEntry* end = table->entries + table->count;
    const ErrorEntry* found = std::lower_bound(
        table->entries, end, code, [](const ErrorEntry& e, std::int32_t v) { return e.code < v; });
    return found != end && found->code == code ? found->text : nullptr;
}

// A code without a text of its own gets the table's general text with the
// number in it. The text lives in a per-thread buffer, valid until the same
// thread asks again; the program copies it at once.
const char* general(const char* format, long long number) {
    thread_local char buffer[512];
    const char* at = std::strstr(format, "%d");
    std::snprintf(buffer, sizeof buffer, "%.*s%lld%s", static_cast<int>(at - format), format,
                  number, at + 2);
    return buffer;
}

const char* errorText(const ErrorTable* table, std::int32_t code) {
    if (!table)
        return "";
    if (const char* text = find(table, code))
        return text;
    if (table->fallback)
        return errorText(table->fallback, code);
    auto unsignedCode = static_cast<std::uint32_t>(code);
    if (table->errnoFormat && unsignedCode >= qx::platform::kUnmappedErrnoBase &&
        unsignedCode < qx::platform::kUnmappedErrnoBase + 0x10000)
        return general(table->errnoFormat, unsignedCode - qx::platform::kUnmappedErrnoBase);
    return general(table->unknownFormat, code);
}

} // namespace

QX_MODULE_EXPORT const char* wk_strerror(std::int32_t code) {
    return errorText(kTables.errors[0], code);
}

QX_MODULE_EXPORT const char* wk_strerror_GetVolumeLabel(std::int32_t code) {
    return errorText(kTables.errors[1], code);
}

QX_MODULE_EXPORT const char* wk_strerror_Execute(std::int32_t code) {
    return errorText(kTables.errors[2], code);
}

QX_MODULE_EXPORT const char* wk_strerror_CommDlg(std::int32_t code) {
    return errorText(kTables.errors[3], code);
}
