#pragma once
// The node tree under TSettings, its JSON parser (nlohmann/json's SAX interface, so member order and
// all six kinds survive) and its printer, which writes the settings text form.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// The codes of the node kinds, as TypeOf reports them.
enum TSettingsKind : int {
    SettingsNumber = 1,
    SettingsString = 2,
    SettingsBoolean = 3,
    SettingsNull = 4, // also what a missing path reports
    SettingsList = 5,
    SettingsObject = 6,
};

// Deeper trees are refused (by the parser and by paths): copying, comparing and printing recurse once per
// level.
inline constexpr std::size_t MaxSettingsDepth = 512;

struct TSettingsNode;

struct TSettingsMember {
    std::string Name; // empty for list elements
    std::unique_ptr<TSettingsNode> Value;
};

struct TSettingsNode {
    TSettingsKind Kind = SettingsNull;
    double Number = 0.0;
    bool Boolean = false;
    std::string Text;
    std::vector<TSettingsMember> Children; // list elements or object members, in order

    bool IsContainer() const { return Kind == SettingsList || Kind == SettingsObject; }
    // The member of that name of an object, or null.
    TSettingsNode* Member(const std::string& name) const;
    int IndexOfMember(const std::string& name) const;
    std::unique_ptr<TSettingsNode> Clone() const;
};

std::unique_ptr<TSettingsNode> NewSettingsNode(TSettingsKind kind);

// Null when the text is not JSON (or nests deeper than the tree may).
std::unique_ptr<TSettingsNode> ParseSettingsText(const std::string& text);
// The settings text form: no white space, members in stored order, numbers with up to 15 significant
// digits and ".", strings escaped as QuoteJSON does.
std::string SettingsNodeText(const TSettingsNode& node);
// General decimal notation with up to 15 significant digits and the given decimal separator.
std::string FormatGeneralNumber(double value, char decimalSeparator);
// The JSON string literal of text, quoted and escaped as in the settings text form.
std::string QuoteJSON(const std::string& text);

// Leaf values are equal when kind and value are; containers compare by kind only.
bool LeafValuesEqual(const TSettingsNode& a, const TSettingsNode& b);
// Deep comparison: same kind and count, then child by child (list by position, object by name).
bool SettingsNodesEqual(const TSettingsNode& a, const TSettingsNode& b);
