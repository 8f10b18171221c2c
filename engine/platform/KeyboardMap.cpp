#include "engine/platform/KeyboardMap.h"

namespace engine {

namespace {

KeyCode offset(KeyCode base, int by) {
    return static_cast<KeyCode>(static_cast<int>(base) + by);
}

}  // namespace

KeyCode KeyboardMap::fromScancode(SDL_Scancode sc) {
    if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) return offset(KeyCode::KEY_A, sc - SDL_SCANCODE_A);
    if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9) return offset(KeyCode::KEY_1, sc - SDL_SCANCODE_1);
    if (sc >= SDL_SCANCODE_KP_1 && sc <= SDL_SCANCODE_KP_9)
        return offset(KeyCode::KEY_1, sc - SDL_SCANCODE_KP_1);
    if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F12) return offset(KeyCode::KEY_F1, sc - SDL_SCANCODE_F1);
    switch (sc) {
        case SDL_SCANCODE_0:
        case SDL_SCANCODE_KP_0:
            return KeyCode::KEY_0;
        case SDL_SCANCODE_SPACE:
            return KeyCode::KEY_SPACE;
        case SDL_SCANCODE_APOSTROPHE:
            return KeyCode::KEY_APOSTROPHE;
        case SDL_SCANCODE_COMMA:
            return KeyCode::KEY_COMMA;
        case SDL_SCANCODE_MINUS:
            return KeyCode::KEY_MINUS;
        case SDL_SCANCODE_PERIOD:
        case SDL_SCANCODE_KP_PERIOD:
            return KeyCode::KEY_PERIOD;
        case SDL_SCANCODE_SLASH:
            return KeyCode::KEY_SLASH;
        case SDL_SCANCODE_SEMICOLON:
            return KeyCode::KEY_SEMICOLON;
        case SDL_SCANCODE_EQUALS:
        case SDL_SCANCODE_KP_EQUALS:
            return KeyCode::KEY_EQUAL;
        case SDL_SCANCODE_LEFTBRACKET:
            return KeyCode::KEY_LEFT_BRACKET;
        case SDL_SCANCODE_BACKSLASH:
            return KeyCode::KEY_BACK_SLASH;
        case SDL_SCANCODE_RIGHTBRACKET:
            return KeyCode::KEY_RIGHT_BRACKET;
        case SDL_SCANCODE_GRAVE:
        case SDL_SCANCODE_NONUSBACKSLASH:
            return KeyCode::KEY_GRAVE;
        case SDL_SCANCODE_ESCAPE:
            return KeyCode::KEY_ESCAPE;
        case SDL_SCANCODE_RETURN:
            return KeyCode::KEY_ENTER;
        case SDL_SCANCODE_TAB:
            return KeyCode::KEY_TAB;
        case SDL_SCANCODE_BACKSPACE:
            return KeyCode::KEY_BACKSPACE;
        case SDL_SCANCODE_INSERT:
            return KeyCode::KEY_INSERT;
        case SDL_SCANCODE_DELETE:
            return KeyCode::KEY_DELETE;
        case SDL_SCANCODE_RIGHT:
            return KeyCode::KEY_RIGHT_ARROW;
        case SDL_SCANCODE_LEFT:
            return KeyCode::KEY_LEFT_ARROW;
        case SDL_SCANCODE_DOWN:
            return KeyCode::KEY_DOWN_ARROW;
        case SDL_SCANCODE_UP:
            return KeyCode::KEY_UP_ARROW;
        case SDL_SCANCODE_PAGEUP:
            return KeyCode::KEY_PG_UP;
        case SDL_SCANCODE_PAGEDOWN:
            return KeyCode::KEY_PG_DOWN;
        case SDL_SCANCODE_HOME:
            return KeyCode::KEY_HOME;
        case SDL_SCANCODE_END:
            return KeyCode::KEY_END;
        case SDL_SCANCODE_CAPSLOCK:
            return KeyCode::KEY_CAPS_LOCK;
        case SDL_SCANCODE_SCROLLLOCK:
            return KeyCode::KEY_SCROLL_LOCK;
        case SDL_SCANCODE_NUMLOCKCLEAR:
            return KeyCode::KEY_NUM_LOCK;
        case SDL_SCANCODE_PRINTSCREEN:
            return KeyCode::KEY_PRINT;
        case SDL_SCANCODE_PAUSE:
            return KeyCode::KEY_PAUSE;
        case SDL_SCANCODE_KP_DIVIDE:
            return KeyCode::KEY_KP_DIVIDE;
        case SDL_SCANCODE_KP_MULTIPLY:
            return KeyCode::KEY_KP_MULTIPLY;
        case SDL_SCANCODE_KP_MINUS:
            return KeyCode::KEY_KP_MINUS;
        case SDL_SCANCODE_KP_PLUS:
            return KeyCode::KEY_KP_PLUS;
        case SDL_SCANCODE_KP_ENTER:
            return KeyCode::KEY_KP_ENTER;
        case SDL_SCANCODE_LSHIFT:
            return KeyCode::KEY_SHIFT;
        case SDL_SCANCODE_RSHIFT:
            return KeyCode::KEY_RIGHT_SHIFT;
        case SDL_SCANCODE_LCTRL:
            return KeyCode::KEY_CTRL;
        case SDL_SCANCODE_RCTRL:
            return KeyCode::KEY_RIGHT_CTRL;
        case SDL_SCANCODE_LALT:
            return KeyCode::KEY_ALT;
        case SDL_SCANCODE_RALT:
            return KeyCode::KEY_RIGHT_ALT;
        case SDL_SCANCODE_LGUI:
        case SDL_SCANCODE_RGUI:
            return KeyCode::KEY_HYPER;
        case SDL_SCANCODE_APPLICATION:
        case SDL_SCANCODE_MENU:
            return KeyCode::KEY_MENU;
        default:
            return KeyCode::KEY_NONE;
    }
}

}  // namespace engine
