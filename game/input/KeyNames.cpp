#include "game/input/KeyNames.h"

#include <array>

#include "game/input/ControllerKey.h"

namespace vastomer {

namespace {

// Index = key code - 1.
const std::array<const char*, 165> kKeyNames = {"PAUSE",
                                                "SCROLL-LOCK",
                                                "PRINT",
                                                "SYSREQ",
                                                "BREAK",
                                                "ESC",
                                                "BACKSPACE",
                                                "TAB",
                                                "BACK-TAB",
                                                "RETURN",
                                                "CAPSLOCK",
                                                "SHIFT",
                                                "R-SHIFT",
                                                "CTRL",
                                                "R-CTRL",
                                                "ALT",
                                                "R-ALT",
                                                "MENU",
                                                "HYPER",
                                                "INSERT",
                                                "HOME",
                                                "PAGE-UP",
                                                "DELETE",
                                                "END",
                                                "PAGE-DOWN",
                                                "LEFT",
                                                "RIGHT",
                                                "UP",
                                                "DOWN",
                                                "NUMLOCK",
                                                "KEYPAD-PLUS",
                                                "KEYPAD-MINUS",
                                                "KEYPAD-MULTI",
                                                "KEYPAD-DIV",
                                                "KEYPAD-ENTER",
                                                "KEPAD-HOME",
                                                "KEYPAD-UP",
                                                "KEYPAD-PAGEUP",
                                                "KEYPAD-LEFT",
                                                "KEYPAD-FIVE",
                                                "KEYPAD-RIGHT",
                                                "KEYPAD-END",
                                                "KEYPAD-DOWN",
                                                "KEYPAD-PAGEDOWN",
                                                "KEYPAD-INSERT",
                                                "KEYPAD-DELETE",
                                                "F1",
                                                "F2",
                                                "F3",
                                                "F4",
                                                "F5",
                                                "F6",
                                                "F7",
                                                "F8",
                                                "F9",
                                                "F10",
                                                "F11",
                                                "F12",
                                                "SPACE",
                                                "EXCLAM",
                                                "'",
                                                "NUMBER",
                                                "$",
                                                "%",
                                                "^",
                                                "&",
                                                "'",
                                                "(",
                                                ")",
                                                "*",
                                                "+",
                                                ",",
                                                "-",
                                                ".",
                                                "/",
                                                "0",
                                                "1",
                                                "2",
                                                "3",
                                                "4",
                                                "5",
                                                "6",
                                                "7",
                                                "8",
                                                "9",
                                                ":",
                                                ";",
                                                "<",
                                                "=",
                                                ">",
                                                "?",
                                                "@",
                                                "A",
                                                "B",
                                                "C",
                                                "D",
                                                "E",
                                                "F",
                                                "G",
                                                "H",
                                                "I",
                                                "J",
                                                "K",
                                                "L",
                                                "M",
                                                "N",
                                                "O",
                                                "P",
                                                "Q",
                                                "R",
                                                "S",
                                                "T",
                                                "U",
                                                "V",
                                                "W",
                                                "X",
                                                "Y",
                                                "Z",
                                                "[",
                                                "\\",
                                                "]",
                                                "_",
                                                "GRAVE",
                                                "a",
                                                "b",
                                                "c",
                                                "d",
                                                "e",
                                                "f",
                                                "g",
                                                "h",
                                                "i",
                                                "j",
                                                "k",
                                                "l",
                                                "m",
                                                "n",
                                                "o",
                                                "p",
                                                "q",
                                                "r",
                                                "s",
                                                "t",
                                                "u",
                                                "v",
                                                "w",
                                                "x",
                                                "y",
                                                "z",
                                                "L-BRACE",
                                                "BAR",
                                                "R-BRACE",
                                                "TILDE",
                                                "EURO",
                                                "POUND",
                                                "\xC2\xA5",
                                                "MIDDLE-DOT",
                                                "SEARCH",
                                                "DPAD-LEFT",
                                                "DPAD-RIGHT",
                                                "DPAD-UP",
                                                "DPAD-DOWN",
                                                "DPAD-CENTER",
                                                "ENTER",
                                                "PLAY"};

// Index = joystick button index.
const std::array<int, 14> kButtonForIndex = {ControllerKey::BUTTON_A,        ControllerKey::BUTTON_B,
                                             ControllerKey::BUTTON_X,        ControllerKey::BUTTON_Y,
                                             ControllerKey::LEFT_SHOULDER,   ControllerKey::RIGHT_SHOULDER,
                                             ControllerKey::PAUSE,           ControllerKey::START,
                                             ControllerKey::LEFT_THUMBSTICK, ControllerKey::RIGHT_THUMBSTICK,
                                             ControllerKey::DPAD_UP,         ControllerKey::DPAD_RIGHT,
                                             ControllerKey::DPAD_DOWN,       ControllerKey::DPAD_LEFT};

}  // namespace

std::string KeyNames::keyName(int keyCode) {
    if (keyCode < 1 || keyCode > static_cast<int>(kKeyNames.size())) return "";
    return kKeyNames[static_cast<std::size_t>(keyCode - 1)];
}

std::string KeyNames::buttonName(int buttonValue) {
    switch (buttonValue) {
        case ControllerKey::BUTTON_A:
            return "A";
        case ControllerKey::BUTTON_B:
            return "B";
        case ControllerKey::BUTTON_C:
            return "C";
        case ControllerKey::BUTTON_X:
            return "X";
        case ControllerKey::BUTTON_Y:
            return "Y";
        case ControllerKey::BUTTON_Z:
            return "Z";
        case ControllerKey::LEFT_SHOULDER:
            return "L-SHOULDER";
        case ControllerKey::RIGHT_SHOULDER:
            return "R-SHOULDER";
        case ControllerKey::LEFT_TRIGGER:
            return "L-TRIGGER";
        case ControllerKey::RIGHT_TRIGGER:
            return "R-TRIGGER";
        case ControllerKey::START:
            return "START";
        case ControllerKey::SELECT:
            return "SELECT";
        case ControllerKey::PAUSE:
            return "PAUSE";
        default:
            return "";
    }
}

int KeyNames::buttonForIndex(int index) {
    if (index < 0 || index >= static_cast<int>(kButtonForIndex.size())) return ControllerKey::NONE;
    return kButtonForIndex[static_cast<std::size_t>(index)];
}

int KeyNames::keyCodeForName(const std::string& name) {
    int found = 0;
    for (std::size_t i = 0; i < kKeyNames.size(); ++i) {
        if (name != kKeyNames[i]) continue;
        if (found != 0) return 0;  // the name stands for two keys
        found = static_cast<int>(i) + 1;
    }
    return found;
}

std::string KeyNames::scriptKeyName(int keyCode) {
    std::string name = keyName(keyCode);
    bool oneWord = !name.empty() && name[0] != '#' && name.find_first_of(" \t\r\n") == std::string::npos;
    if (oneWord && keyCodeForName(name) == keyCode) return name;
    return "#" + std::to_string(keyCode);
}

}  // namespace vastomer
