#include "engine/base/Value.h"

#include <cmath>
#include <cstdlib>

#include "engine/base/NumberText.h"

namespace engine {

Value::Value(ValueVector v)
    : type_(Type::VECTOR), vector_(std::make_shared<const ValueVector>(std::move(v))) {}

Value::Value(ValueMap v) : type_(Type::MAP), map_(std::make_shared<const ValueMap>(std::move(v))) {}

bool Value::asBool() const {
    switch (type_) {
        case Type::NONE:
            return false;
        case Type::STRING:
            return !(string_ == "0" || string_ == "false");
        case Type::VECTOR:
        case Type::MAP:
            return true;
        default:
            return number_ != 0.0;
    }
}

int Value::asInt() const {
    switch (type_) {
        case Type::STRING:
            return NumberText::leadingInt(string_);
        case Type::INTEGER:
        case Type::BOOLEAN:
            return static_cast<int>(number_);
        case Type::DOUBLE:
            if (!std::isfinite(number_) || std::fabs(number_) >= 2147483647.0) return 0;
            return static_cast<int>(number_);
        default:
            return 0;
    }
}

double Value::asDouble() const {
    switch (type_) {
        case Type::STRING:
            return NumberText::leadingDouble(string_);
        case Type::INTEGER:
        case Type::BOOLEAN:
        case Type::DOUBLE:
            return number_;
        default:
            return 0.0;
    }
}

std::string Value::asString() const {
    switch (type_) {
        case Type::STRING:
            return string_;
        case Type::BOOLEAN:
            return number_ != 0.0 ? "true" : "false";
        case Type::INTEGER:
            return std::to_string(static_cast<int>(number_));
        case Type::DOUBLE:
            return NumberText::format(number_);
        default:
            return "";
    }
}

const ValueVector& Value::asValueVector() const {
    static const ValueVector empty;
    return vector_ ? *vector_ : empty;
}

const ValueMap& Value::asValueMap() const {
    static const ValueMap empty;
    return map_ ? *map_ : empty;
}

}  // namespace engine
