#include "engine/base/PlistReader.h"

#include <climits>
#include <cstring>
#include <pugixml.hpp>

#include "engine/base/NumberText.h"
#include "engine/platform/FileUtils.h"

namespace engine {

namespace {

// Deeper nesting than any real property list; stops hostile files from exhausting the stack.
constexpr int kMaxDepth = 64;

bool readValue(const pugi::xml_node& node, int depth, Value& out, std::string& error);

bool readDict(const pugi::xml_node& dict, int depth, ValueMap& out, std::string& error) {
    out.clear();
    std::string key;
    bool haveKey = false;
    for (pugi::xml_node child = dict.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) continue;
        if (std::strcmp(child.name(), "key") == 0) {
            key = child.child_value();
            haveKey = true;
            continue;
        }
        if (!haveKey) {
            error = std::string("<") + child.name() + "> without a <key> in a dictionary";
            return false;
        }
        Value value;
        if (!readValue(child, depth + 1, value, error)) return false;
        out[key] = std::move(value);
        haveKey = false;
    }
    return true;
}

bool readValue(const pugi::xml_node& node, int depth, Value& out, std::string& error) {
    if (depth > kMaxDepth) {
        error = "nesting too deep";
        return false;
    }
    const char* name = node.name();
    if (std::strcmp(name, "dict") == 0) {
        ValueMap map;
        if (!readDict(node, depth, map, error)) return false;
        out = Value(std::move(map));
    } else if (std::strcmp(name, "array") == 0) {
        ValueVector items;
        for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
            if (child.type() != pugi::node_element) continue;
            Value item;
            if (!readValue(child, depth + 1, item, error)) return false;
            items.push_back(std::move(item));
        }
        out = Value(std::move(items));
    } else if (std::strcmp(name, "string") == 0 || std::strcmp(name, "date") == 0 ||
               std::strcmp(name, "data") == 0) {
        out = Value(std::string(node.child_value()));
    } else if (std::strcmp(name, "integer") == 0) {
        long long v = NumberText::leadingLong(node.child_value());
        out = (v >= INT_MIN && v <= INT_MAX) ? Value(static_cast<int>(v)) : Value(static_cast<double>(v));
    } else if (std::strcmp(name, "real") == 0) {
        out = Value(NumberText::leadingDouble(node.child_value()));
    } else if (std::strcmp(name, "true") == 0) {
        out = Value(true);
    } else if (std::strcmp(name, "false") == 0) {
        out = Value(false);
    } else {
        error = std::string("unknown element <") + name + ">";
        return false;
    }
    return true;
}

}  // namespace

bool PlistReader::readDictionaryFromFile(const std::string& file, ValueMap& out, std::string& error) {
    auto* files = FileUtils::getInstance();
    std::string fullPath = files->fullPathForFilename(file);
    if (fullPath.empty()) {
        error = "file not found";
        return false;
    }
    std::string text = files->getStringFromFile(fullPath);
    if (text.empty()) {
        error = "cannot read the file, or it is empty";
        return false;
    }
    return readDictionaryFromString(text, out, error);
}

bool PlistReader::readDictionaryFromString(std::string_view xml, ValueMap& out, std::string& error) {
    out.clear();
    pugi::xml_document document;
    pugi::xml_parse_result parsed = document.load_buffer(xml.data(), xml.size());
    if (!parsed) {
        error = std::string("not well-formed XML: ") + parsed.description() + " at byte " +
                std::to_string(parsed.offset);
        return false;
    }
    pugi::xml_node top = document.document_element();
    if (std::strcmp(top.name(), "plist") == 0) {
        top = top.first_child();
        while (top && top.type() != pugi::node_element)
            top = top.next_sibling();
    }
    if (!top || std::strcmp(top.name(), "dict") != 0) {
        error = "no dictionary at the top of the property list";
        return false;
    }
    return readDict(top, 0, out, error);
}

}  // namespace engine
