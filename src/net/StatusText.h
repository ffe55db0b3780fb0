#pragma once

#include <cstdint>
#include <string>

// The text of one status notification, as the thread window shows it.
namespace qx {

class Language;

// Every receiving notification moves the indicator on: counter grows by one
// and falls back to 0 when it would pass wrapAbove; the text is ten
// characters, counter bars then middle dots (UTF-8, two bytes each).
std::string ProgressIndicator(std::uint32_t& counter, std::uint32_t wrapAbove);

// The message of the language for the notification with its information
// filled in; for receiving, the progress indicator follows it. Without a
// language the message texts are empty (the indicator stays).
std::string StatusText(const Language* language, std::uint32_t& counter, std::uint32_t wrapAbove,
                       std::uint32_t status, const void* info, std::uint32_t length);

} // namespace qx
