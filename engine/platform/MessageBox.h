#pragma once

#include <string>
#include <vector>

namespace engine {

// Error and notice boxes. A windowed run shows a modal dialog; a headless run prints
// "title: message" to stderr instead. Every box shown is also kept in a list, so that a state dump
// or a test can tell what the program reported.
class MessageBox {
public:
    struct Shown {
        std::string title;
        std::string message;
    };

    static void show(const std::string& message, const std::string& title);

    static void setHeadless(bool headless);
    static bool isHeadless();

    static const std::vector<Shown>& getShown();
    static void clearShown();

private:
    struct State {
        bool headless = false;
        std::vector<Shown> shown;
    };
    static State& state();
};

}  // namespace engine
