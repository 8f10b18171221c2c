#pragma once

#include <cstddef>
#include <string>

namespace vastomer {

// One key word of a table's vocabulary and the value it stands for.
template <typename Value>
struct Keyword {
    const char* word;
    Value value;
};

// The value of `word` in `words`; false, with `fallback`, for a word that is none of them.
template <typename Value, std::size_t N>
bool valueOfKeyword(const Keyword<Value> (&words)[N], const std::string& word, Value fallback, Value& out) {
    for (const Keyword<Value>& entry : words) {
        if (word == entry.word) {
            out = entry.value;
            return true;
        }
    }
    out = fallback;
    return false;
}

// The word of `value` in `words`, or `fallback` when it has none.
template <typename Value, std::size_t N>
const char* keywordOf(const Keyword<Value> (&words)[N], Value value, const char* fallback) {
    for (const Keyword<Value>& entry : words)
        if (entry.value == value) return entry.word;
    return fallback;
}

}  // namespace vastomer
