#include "settings/SettingsNode.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <cstdlib>

TSettingsNode* TSettingsNode::Member(const std::string& name) const {
    const int index = IndexOfMember(name);
    return index < 0 ? nullptr : Children[static_cast<std::size_t>(index)].Value.get();
}

int TSettingsNode::IndexOfMember(const std::string& name) const {
    if (Kind != SettingsObject) {
        return -1;
    }
    for (std::size_t i = 0; i < Children.size(); ++i) {
        if (Children[i].Name == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::unique_ptr<TSettingsNode> TSettingsNode::Clone() const {
    auto copy = std::make_unique<TSettingsNode>();
    copy->Kind = Kind;
    copy->Number = Number;
    copy->Boolean = Boolean;
    copy->Text = Text;
    copy->Children.reserve(Children.size());
    for (const TSettingsMember& child : Children) {
        copy->Children.push_back({child.Name, child.Value->Clone()});
    }
    return copy;
}

std::unique_ptr<TSettingsNode> NewSettingsNode(TSettingsKind kind) {
    auto node = std::make_unique<TSettingsNode>();
    node->Kind = kind;
    return node;
}

namespace {

// Builds the node tree straight from the parser's events.
class TTreeBuilder : public nlohmann::json_sax<nlohmann::json> {
public:
    std::unique_ptr<TSettingsNode> Result;

    bool null() override { return Add(NewSettingsNode(SettingsNull)); }
    bool boolean(bool value) override {
        auto node = NewSettingsNode(SettingsBoolean);
        node->Boolean = value;
        return Add(std::move(node));
    }
    bool number_integer(number_integer_t value) override { return AddNumber(static_cast<double>(value)); }
    bool number_unsigned(number_unsigned_t value) override { return AddNumber(static_cast<double>(value)); }
    bool number_float(number_float_t value, const string_t&) override { return AddNumber(value); }
    bool string(string_t& value) override {
        auto node = NewSettingsNode(SettingsString);
        node->Text = std::move(value);
        return Add(std::move(node));
    }
    bool binary(binary_t&) override { return false; }
    bool start_object(std::size_t) override { return Open(SettingsObject); }
    bool key(string_t& name) override {
        PendingName = std::move(name);
        return true;
    }
    bool end_object() override { return Close(); }
    bool start_array(std::size_t) override { return Open(SettingsList); }
    bool end_array() override { return Close(); }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        Result.reset();
        return false;
    }

private:
    bool AddNumber(double value) {
        auto node = NewSettingsNode(SettingsNumber);
        node->Number = value;
        return Add(std::move(node));
    }

    bool Add(std::unique_ptr<TSettingsNode> node) {
        if (OpenContainers.empty()) {
            Result = std::move(node);
            return true;
        }
        TSettingsNode& parent = *OpenContainers.back();
        if (parent.Kind == SettingsObject) {
            // A repeated name keeps the last value, as setting a member twice does.
            const int existing = parent.IndexOfMember(PendingName);
            if (existing >= 0) {
                parent.Children.erase(parent.Children.begin() + existing);
            }
            parent.Children.push_back({std::move(PendingName), std::move(node)});
        } else {
            parent.Children.push_back({std::string(), std::move(node)});
        }
        return true;
    }

    bool Open(TSettingsKind kind) {
        if (OpenContainers.size() >= MaxSettingsDepth) {
            return false;
        }
        auto node = NewSettingsNode(kind);
        TSettingsNode* raw = node.get();
        Add(std::move(node));
        OpenContainers.push_back(raw);
        return true;
    }

    bool Close() {
        OpenContainers.pop_back();
        return true;
    }

    std::vector<TSettingsNode*> OpenContainers;
    std::string PendingName;
};

void AppendText(const TSettingsNode& node, std::string& out) {
    switch (node.Kind) {
    case SettingsNumber:
        out += FormatGeneralNumber(node.Number, '.');
        break;
    case SettingsString:
        out += QuoteJSON(node.Text);
        break;
    case SettingsBoolean:
        out += node.Boolean ? "true" : "false";
        break;
    case SettingsNull:
        out += "null";
        break;
    case SettingsList:
    case SettingsObject: {
        const bool object = node.Kind == SettingsObject;
        out += object ? '{' : '[';
        for (std::size_t i = 0; i < node.Children.size(); ++i) {
            if (i > 0) {
                out += ',';
            }
            if (object) {
                out += QuoteJSON(node.Children[i].Name);
                out += ':';
            }
            AppendText(*node.Children[i].Value, out);
        }
        out += object ? '}' : ']';
        break;
    }
    }
}

} // namespace

std::unique_ptr<TSettingsNode> ParseSettingsText(const std::string& text) {
    TTreeBuilder builder;
    const bool parsed = nlohmann::json::sax_parse(text, &builder);
    return parsed ? std::move(builder.Result) : nullptr;
}

std::string SettingsNodeText(const TSettingsNode& node) {
    std::string out;
    AppendText(node, out);
    return out;
}

std::string FormatGeneralNumber(double value, char decimalSeparator) {
    if (!std::isfinite(value)) {
        return "0";
    }
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    std::string text = buffer;
    // Exponents without "+" and leading zeros: 1E20, 1.5E-7.
    const std::size_t exponent = text.find('E');
    if (exponent != std::string::npos) {
        const bool negative = text[exponent + 1] == '-';
        const std::size_t digits = text.find_first_not_of("+-0", exponent + 1);
        text = text.substr(0, exponent + 1) + (negative ? "-" : "") +
               (digits == std::string::npos ? "0" : text.substr(digits));
    }
    // snprintf follows the C locale, which the GUI toolkit may have set to the user's.
    const std::size_t point = text.find_first_of(".,");
    if (point != std::string::npos) {
        text[point] = decimalSeparator;
    }
    return text;
}

namespace {

// Length of the well-formed UTF-8 sequence at text[i], or 0 when the bytes there are not one.
std::size_t Utf8SequenceLength(const std::string& text, std::size_t i) {
    const auto byte = [&text](std::size_t at) {
        return at < text.size() ? static_cast<unsigned char>(text[at]) : 0u;
    };
    const auto continuation = [&byte](std::size_t at, unsigned low = 0x80, unsigned high = 0xBF) {
        return byte(at) >= low && byte(at) <= high;
    };
    const unsigned lead = byte(i);
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return continuation(i + 1) ? 2 : 0;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        const unsigned low = lead == 0xE0 ? 0xA0 : 0x80;  // no overlong forms
        const unsigned high = lead == 0xED ? 0x9F : 0xBF; // no surrogates
        return continuation(i + 1, low, high) && continuation(i + 2) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const unsigned low = lead == 0xF0 ? 0x90 : 0x80;
        const unsigned high = lead == 0xF4 ? 0x8F : 0xBF;
        return continuation(i + 1, low, high) && continuation(i + 2) && continuation(i + 3) ? 4 : 0;
    }
    return 0;
}

} // namespace

std::string QuoteJSON(const std::string& text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (static_cast<unsigned char>(c) >= 0x80) {
            // Bytes that are not UTF-8 (a file name in another encoding, say) would make the whole text
            // unreadable for the parser: they become U+FFFD.
            const std::size_t length = Utf8SequenceLength(text, i);
            out += length == 0 ? std::string("\xEF\xBF\xBD") : text.substr(i, length);
            i += length == 0 ? 0 : length - 1;
            continue;
        }
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '/':
            out += "\\/";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            if (static_cast<unsigned char>(c) < 32) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(c));
                out += escape;
            } else {
                out += c;
            }
        }
    }
    out += '"';
    return out;
}

bool LeafValuesEqual(const TSettingsNode& a, const TSettingsNode& b) {
    if (a.Kind != b.Kind) {
        return false;
    }
    switch (a.Kind) {
    case SettingsNumber:
        return a.Number == b.Number;
    case SettingsString:
        return a.Text == b.Text;
    case SettingsBoolean:
        return a.Boolean == b.Boolean;
    default:
        return true;
    }
}

bool SettingsNodesEqual(const TSettingsNode& a, const TSettingsNode& b) {
    if (a.Kind != b.Kind || a.Children.size() != b.Children.size()) {
        return false;
    }
    if (!a.IsContainer()) {
        return LeafValuesEqual(a, b);
    }
    for (std::size_t i = 0; i < a.Children.size(); ++i) {
        const TSettingsNode& mine = *a.Children[i].Value;
        const TSettingsNode* theirs =
            a.Kind == SettingsList ? b.Children[i].Value.get() : b.Member(a.Children[i].Name);
        if (theirs == nullptr || !SettingsNodesEqual(mine, *theirs)) {
            return false;
        }
    }
    return true;
}
