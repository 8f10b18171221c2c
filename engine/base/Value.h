#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace engine {

class Value;
// Ordered by key so that iteration never depends on hashing or pointer values.
using ValueMap = std::map<std::string, Value>;
using ValueVector = std::vector<Value>;

// A loosely typed value for map object properties and plist dictionaries.
// Conversions follow C's lenient readers: text "12abc" reads as int 12, anything unreadable as 0.
class Value {
public:
    enum class Type { NONE, BOOLEAN, INTEGER, DOUBLE, STRING, VECTOR, MAP };

    Value() = default;
    explicit Value(bool v) : type_(Type::BOOLEAN), number_(v ? 1.0 : 0.0) {}
    explicit Value(int v) : type_(Type::INTEGER), number_(v) {}
    explicit Value(double v) : type_(Type::DOUBLE), number_(v) {}
    explicit Value(float v) : type_(Type::DOUBLE), number_(v) {}
    explicit Value(const char* v) : type_(Type::STRING), string_(v) {}
    explicit Value(std::string v) : type_(Type::STRING), string_(std::move(v)) {}
    explicit Value(ValueVector v);
    explicit Value(ValueMap v);

    Type getType() const { return type_; }
    bool isNull() const { return type_ == Type::NONE; }

    // False only for null, false, 0, "0" and "false".
    bool asBool() const;
    int asInt() const;
    float asFloat() const { return static_cast<float>(asDouble()); }
    double asDouble() const;
    std::string asString() const;
    const ValueVector& asValueVector() const;
    const ValueMap& asValueMap() const;

private:
    Type type_ = Type::NONE;
    double number_ = 0.0;
    std::string string_;
    std::shared_ptr<const ValueVector> vector_;
    std::shared_ptr<const ValueMap> map_;
};

}  // namespace engine
