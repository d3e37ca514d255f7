#pragma once
// The value a settings read yields: empty, null, an integer, a number, a Boolean or a text.

#include <string>
#include <variant>

class TVariant {
public:
    enum class TKind { Empty, Null, Integer, Number, Boolean, String };

    TVariant() = default;
    TVariant(int value) : Value(value) {}
    TVariant(double value) : Value(value) {}
    TVariant(bool value) : Value(value) {}
    TVariant(std::string value) : Value(std::move(value)) {}
    TVariant(const char* value) : Value(std::string(value)) {}
    static TVariant Null();

    TKind Kind() const { return static_cast<TKind>(Value.index()); }
    bool IsEmpty() const { return Kind() == TKind::Empty; }
    bool IsNull() const { return Kind() == TKind::Null; }
    bool IsNumeric() const { return Kind() == TKind::Integer || Kind() == TKind::Number; }

    // Numbers as they are, Booleans as 1 or 0, texts read tolerantly (StrToFloatTolerant); 0 otherwise.
    double AsDouble() const;
    // AsDouble rounded to the nearest integer (ties to even).
    int AsInteger() const;
    // Booleans as they are, numbers true when not 0, texts "true"/"false" in any case or by their number.
    bool AsBoolean() const;
    // Texts as they are; numbers with the user's decimal separator; "True"/"False"; "" for empty and null.
    std::string AsString() const;

    // Same kind and same value; an integer and a number of equal value are equal.
    bool operator==(const TVariant& other) const;

private:
    std::variant<std::monostate, std::nullptr_t, int, double, bool, std::string> Value;
};
