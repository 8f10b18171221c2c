#pragma once

#include <string>

namespace vastomer {

// Display names of keyboard keys and game-pad buttons, as the options screen shows them, and the
// mapping from the joystick's button index to the button value the bindings use.
class KeyNames {
public:
    // Name of a key code 1..165; "" for any other code. Codes 61 and 67 both read "'".
    static std::string keyName(int keyCode);
    // Name of a button value; "" for the D-pad, the stick presses, "no button" and unknown values.
    static std::string buttonName(int buttonValue);
    // The button value of a joystick button index 0..13; ControllerKey::NONE for any other index.
    static int buttonForIndex(int index);

    // The key code whose name is exactly `name`; 0 when no key or more than one key has that name.
    static int keyCodeForName(const std::string& name);
    // The name an input script uses for a key: its display name when that names it alone and reads as
    // one word, else "#" and the code ("#61").
    static std::string scriptKeyName(int keyCode);
};

}  // namespace vastomer
