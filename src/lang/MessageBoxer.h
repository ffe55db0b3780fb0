#pragma once

#include <string>

namespace qx {

// Styles and answers of message boxes, numbered as the original platform's.
namespace mb {
inline constexpr unsigned Ok = 0x0;
inline constexpr unsigned OkCancel = 0x1;
inline constexpr unsigned YesNoCancel = 0x3;
inline constexpr unsigned YesNo = 0x4;
inline constexpr unsigned ButtonMask = 0xF;
inline constexpr unsigned IconStop = 0x10;
inline constexpr unsigned IconQuestion = 0x20;
inline constexpr unsigned IconExclamation = 0x30;
inline constexpr unsigned IconInformation = 0x40;
inline constexpr unsigned IconMask = 0xF0;
inline constexpr unsigned TaskModal = 0x2000;

inline constexpr int IdOk = 1;
inline constexpr int IdCancel = 2;
inline constexpr int IdYes = 6;
inline constexpr int IdNo = 7;
} // namespace mb

// Shows a message box and answers the button pressed (mb::IdOk ...). The Qt
// layer shows real boxes owned by the main window; tests record the calls.
class MessageBoxer {
public:
    virtual ~MessageBoxer() = default;
    virtual int show(const std::string& text, const std::string& caption, unsigned style) = 0;
};

} // namespace qx
