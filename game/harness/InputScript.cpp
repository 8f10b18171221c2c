#include "game/harness/InputScript.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>

#include "engine/base/NumberText.h"
#include "engine/platform/Joystick.h"
#include "game/input/KeyNames.h"

namespace vastomer {

namespace {

std::vector<std::string> words(const std::string& line) {
    std::vector<std::string> out;
    std::size_t at = 0;
    while (at < line.size()) {
        std::size_t start = line.find_first_not_of(" \t\r", at);
        if (start == std::string::npos) break;
        std::size_t end = line.find_first_of(" \t\r", start);
        if (end == std::string::npos) end = line.size();
        out.push_back(line.substr(start, end - start));
        at = end;
    }
    return out;
}

bool parseFrame(const std::string& text, uint64_t& out) {
    if (text.empty() || text.size() > 18 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    out = 0;
    for (char c : text)
        out = out * 10 + static_cast<uint64_t>(c - '0');
    return out >= 1;
}

bool parseKey(const std::string& text, int& code, std::string& error) {
    if (text.size() > 1 && text[0] == '#') {
        if (!engine::NumberText::parseInt(text.substr(1), code) || code < 1 || code > 165) {
            error = "key code '" + text.substr(1) + "' is not a key (1 to 165)";
            return false;
        }
        return true;
    }
    code = KeyNames::keyCodeForName(text);
    if (code != 0) return true;
    if (text == "'")
        error = "\"'\" names two keys; write #61 or #67";
    else
        error = "unknown key '" + text + "'";
    return false;
}

bool parseIndex(const std::string& text, int limit, const char* what, int& out, std::string& error) {
    if (!engine::NumberText::parseInt(text, out) || out < 0 || out >= limit) {
        error = std::string(what) + " index '" + text + "' is out of range (0 to " +
                std::to_string(limit - 1) + ")";
        return false;
    }
    return true;
}

// One line into its events (a tap gives two); false with a message for a bad line.
bool parseLine(const std::vector<std::string>& w, int line, std::vector<InputEvent>& out,
               std::string& error) {
    InputEvent event;
    event.line = line;
    if (!parseFrame(w[0], event.frame)) {
        error = "'" + w[0] + "' is not a frame number (frames count from 1)";
        return false;
    }
    if (w.size() < 2) {
        error = "an event is missing after the frame number";
        return false;
    }
    const std::string& verb = w[1];
    if (verb == "down" || verb == "up" || verb == "tap") {
        if (w.size() != 3) {
            error = "'" + verb + "' takes one key";
            return false;
        }
        if (!parseKey(w[2], event.code, error)) return false;
        event.kind = verb == "up" ? InputEvent::Kind::KEY_UP : InputEvent::Kind::KEY_DOWN;
        out.push_back(event);
        if (verb == "tap") {
            event.kind = InputEvent::Kind::KEY_UP;
            event.frame += 1;
            out.push_back(event);
        }
        return true;
    }
    if (verb != "pad") {
        error = "unknown event '" + verb + "' (down, up, tap or pad)";
        return false;
    }
    if (w.size() == 3 && (w[2] == "connect" || w[2] == "disconnect")) {
        event.kind = w[2] == "connect" ? InputEvent::Kind::PAD_CONNECT : InputEvent::Kind::PAD_DISCONNECT;
        out.push_back(event);
        return true;
    }
    if (w.size() == 5 && w[2] == "button") {
        event.kind = InputEvent::Kind::PAD_BUTTON;
        if (!parseIndex(w[3], engine::Joystick::BUTTON_COUNT, "button", event.code, error)) return false;
        if (w[4] != "down" && w[4] != "up") {
            error = "a pad button goes 'down' or 'up', not '" + w[4] + "'";
            return false;
        }
        event.down = w[4] == "down";
        out.push_back(event);
        return true;
    }
    if (w.size() == 5 && w[2] == "axis") {
        event.kind = InputEvent::Kind::PAD_AXIS;
        if (!parseIndex(w[3], engine::Joystick::AXIS_COUNT, "axis", event.code, error)) return false;
        double value = 0.0;
        if (!engine::NumberText::parseDouble(w[4], value) || !std::isfinite(value) || value < -1.0 ||
            value > 1.0) {
            error = "axis value '" + w[4] + "' is not a number from -1 to 1";
            return false;
        }
        if (event.code >= 4 && value < 0.0) {
            error = "trigger axis " + w[3] + " reads from 0 to 1, not '" + w[4] + "'";
            return false;
        }
        event.value = static_cast<float>(value);
        out.push_back(event);
        return true;
    }
    error =
        "a pad event is 'pad connect', 'pad disconnect', 'pad button INDEX down|up' or 'pad axis INDEX "
        "VALUE'";
    return false;
}

// The shortest text that reads back as the same float, whatever the locale.
std::string axisText(float value) {
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string where(const std::string& fileName, int line) {
    return fileName + ":" + std::to_string(line) + ": ";
}

}  // namespace

bool InputEvent::operator==(const InputEvent& other) const {
    return frame == other.frame && kind == other.kind && code == other.code && down == other.down &&
           value == other.value;
}

bool InputScript::parse(const std::string& text, const std::string& fileName, InputScript& out,
                        std::string& error) {
    std::vector<InputEvent> events;
    bool keepRunning = false;
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        std::vector<std::string> w = words(line);
        if (w.empty() || w[0][0] == '#') continue;
        if (w.size() == 1 && w[0] == KEEP_RUNNING) {
            keepRunning = true;
            continue;
        }
        std::string message;
        if (!parseLine(w, number, events, message)) {
            error = where(fileName, number) + message;
            return false;
        }
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const InputEvent& a, const InputEvent& b) { return a.frame < b.frame; });
    // A pad has to be plugged in before it can press anything.
    bool connected = false;
    for (const InputEvent& event : events) {
        if (event.kind == InputEvent::Kind::PAD_CONNECT) connected = true;
        if (event.kind == InputEvent::Kind::PAD_DISCONNECT) connected = false;
        if ((event.kind == InputEvent::Kind::PAD_BUTTON || event.kind == InputEvent::Kind::PAD_AXIS) &&
            !connected) {
            error =
                where(fileName, event.line) + "no pad is connected at frame " + std::to_string(event.frame);
            return false;
        }
    }
    out.events_ = std::move(events);
    out.keepRunning_ = keepRunning;
    return true;
}

bool InputScript::load(const std::string& path, InputScript& out, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot read the input script";
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return parse(text.str(), path, out, error);
}

std::string InputScript::formatEvent(const InputEvent& event) {
    std::string frame = std::to_string(event.frame);
    switch (event.kind) {
        case InputEvent::Kind::KEY_DOWN:
            return frame + " down " + KeyNames::scriptKeyName(event.code);
        case InputEvent::Kind::KEY_UP:
            return frame + " up " + KeyNames::scriptKeyName(event.code);
        case InputEvent::Kind::PAD_CONNECT:
            return frame + " pad connect";
        case InputEvent::Kind::PAD_DISCONNECT:
            return frame + " pad disconnect";
        case InputEvent::Kind::PAD_BUTTON:
            return frame + " pad button " + std::to_string(event.code) + (event.down ? " down" : " up");
        case InputEvent::Kind::PAD_AXIS:
            return frame + " pad axis " + std::to_string(event.code) + " " + axisText(event.value);
    }
    return frame;
}

}  // namespace vastomer
