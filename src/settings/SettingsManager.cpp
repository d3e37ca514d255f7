#include "settings/SettingsManager.h"

#include <algorithm>

namespace {

const char* const ObjectParseError = "Failed to parse JSON string as Object.";
const char* const ListParseError = "Failed to parse JSON string as List.";

bool IsIndex(const std::string& segment) {
    return !segment.empty() &&
           std::all_of(segment.begin(), segment.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The position an index segment names; digits beyond any real count saturate instead of overflowing.
std::size_t IndexValue(const std::string& segment) {
    std::size_t value = 0;
    for (const char c : segment) {
        if (value > 100000000) {
            return SIZE_MAX;
        }
        value = value * 10 + static_cast<std::size_t>(c - '0');
    }
    return value;
}

// One path segment looked up in node: an index in a list, a member name in an object.
TSettingsNode* Lookup(const TSettingsNode& node, const std::string& segment) {
    if (node.Kind == SettingsList && IsIndex(segment)) {
        const std::size_t index = IndexValue(segment);
        return index < node.Children.size() ? node.Children[index].Value.get() : nullptr;
    }
    return node.Member(segment);
}

// The node at a dotted path below node; list indices work at any depth.
TSettingsNode* Resolve(const TSettingsNode& node, const std::string& path) {
    const TSettingsNode* current = &node;
    std::size_t start = 0;
    while (true) {
        const std::size_t dot = path.find('.', start);
        TSettingsNode* child =
            Lookup(*current, path.substr(start, dot == std::string::npos ? dot : dot - start));
        if (dot == std::string::npos || child == nullptr) {
            return child;
        }
        current = child;
        start = dot + 1;
    }
}

TVariant LeafVariant(const TSettingsNode& node) {
    switch (node.Kind) {
    case SettingsNumber:
        return node.Number;
    case SettingsString:
        return node.Text;
    case SettingsBoolean:
        return node.Boolean;
    default:
        return TVariant::Null();
    }
}

bool LeafEqualsVariant(const TSettingsNode& node, const TVariant& value) {
    return !node.IsContainer() && LeafVariant(node) == value;
}

void SetPath(TSettingsNode& node, const std::string& path, const TSettingsNode& value) {
    const std::size_t dot = path.find('.');
    if (dot == std::string::npos) {
        if (node.Kind == SettingsList && IsIndex(path)) {
            const std::size_t index = IndexValue(path);
            if (index < node.Children.size()) {
                node.Children[index].Value = value.Clone();
            } else {
                node.Children.push_back({std::string(), value.Clone()});
            }
        } else if (node.Kind == SettingsObject) {
            const int existing = node.IndexOfMember(path);
            if (existing >= 0) {
                node.Children.erase(node.Children.begin() + existing);
            }
            node.Children.push_back({path, value.Clone()});
        }
        return;
    }
    const std::string head = path.substr(0, dot);
    const std::string rest = path.substr(dot + 1);
    TSettingsNode* child = Lookup(node, head);
    if (child == nullptr) {
        const bool appendable = node.Kind == SettingsObject || (node.Kind == SettingsList && IsIndex(head));
        if (!appendable) {
            return;
        }
        // An index one past the end of a list appends, as it does for a single segment.
        const bool listBelow = IsIndex(rest.substr(0, rest.find('.')));
        node.Children.push_back({node.Kind == SettingsObject ? head : std::string(),
                                 NewSettingsNode(listBelow ? SettingsList : SettingsObject)});
        child = node.Children.back().Value.get();
    }
    if (child->IsContainer()) {
        SetPath(*child, rest, value);
    }
}

// Set at a path that would build a tree deeper than the limit (a name of thousands of dots in a damaged
// template, say) is ignored, so that no later operation runs out of stack on it.
void SetPathWithin(TSettingsNode& node, const std::string& path, const TSettingsNode& value,
                   std::size_t depth) {
    const auto segments = static_cast<std::size_t>(std::count(path.begin(), path.end(), '.')) + 1;
    if (depth + segments <= MaxSettingsDepth) {
        SetPath(node, path, value);
    }
}

void MergeObject(TSettingsNode& node, const TSettingsNode& fragment, std::size_t depth) {
    for (const TSettingsMember& member : fragment.Children) {
        TSettingsNode* target = Resolve(node, member.Name);
        if (target != nullptr && target->Kind == SettingsObject && member.Value->Kind == SettingsObject) {
            MergeObject(*target, *member.Value, depth + 1);
        } else {
            SetPathWithin(node, member.Name, *member.Value, depth);
        }
    }
}

void MergeText(TSettingsNode& node, const std::string& text) {
    if (node.Kind == SettingsObject) {
        const std::unique_ptr<TSettingsNode> fragment = ParseSettingsText(text);
        if (fragment == nullptr || fragment->Kind != SettingsObject) {
            throw TSettingsError(ObjectParseError);
        }
        MergeObject(node, *fragment, 0);
    } else if (node.Kind == SettingsList) {
        const std::unique_ptr<TSettingsNode> fragment = ParseSettingsText(text);
        if (fragment == nullptr) {
            throw TSettingsError(ListParseError);
        }
        if (fragment->Kind == SettingsList) {
            node.Children = std::move(fragment->Children);
        }
    }
}

void RemoveEqualNodes(TSettingsNode& mine, const TSettingsNode& theirs) {
    for (std::size_t i = mine.Children.size(); i-- > 0;) {
        TSettingsMember& member = mine.Children[i];
        const TSettingsNode* other = theirs.Member(member.Name);
        bool remove = member.Name.empty();
        if (!remove && other != nullptr) {
            TSettingsNode& value = *member.Value;
            if (value.Kind == SettingsObject) {
                // Compared only against an object: anything else there differs as a whole.
                if (other->Kind == SettingsObject) {
                    RemoveEqualNodes(value, *other);
                    remove = value.Children.empty();
                }
            } else if (value.Kind == SettingsList) {
                remove = SettingsNodesEqual(value, *other);
            } else {
                remove = LeafValuesEqual(value, *other);
            }
        }
        if (remove) {
            mine.Children.erase(mine.Children.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
}

} // namespace

TSettings::TSettings() : RootNode(NewSettingsNode(SettingsObject)) {}

bool TSettings::LoadFromText(const std::string& text) {
    std::unique_ptr<TSettingsNode> root = ParseSettingsText(text);
    if (root == nullptr || root->Kind != SettingsObject) {
        return false;
    }
    // The root node itself stays, so that handles standing on the root remain valid.
    RootNode->Children = std::move(root->Children);
    return true;
}

std::string TSettings::ToText() const {
    return SettingsNodeText(*RootNode);
}

TSettingsHandle::TSettingsHandle() = default;

TSettingsHandle::TSettingsHandle(TSettings& settings) {
    Attach(&settings, nullptr);
}

TSettingsHandle::TSettingsHandle(const std::string& text) {
    LoadFromText(text);
}

TSettingsHandle::~TSettingsHandle() = default;

void TSettingsHandle::Attach(TSettings* settings, std::unique_ptr<TSettings> owned) {
    if (owned != nullptr || settings != Owned.get()) {
        Owned = std::move(owned);
    }
    Attached = settings;
    Stack.assign(1, &settings->Root());
}

void TSettingsHandle::AttachSettings(TSettings& settings) {
    Attach(&settings, nullptr);
}

void TSettingsHandle::LoadFromText(const std::string& text) {
    auto settings = std::make_unique<TSettings>();
    MergeText(settings->Root(), text);
    TSettings* raw = settings.get();
    Attach(raw, std::move(settings));
}

bool TSettingsHandle::Enter(const std::string& path) {
    TSettingsNode* current = Current();
    if (current == nullptr) {
        return false;
    }
    if (path.empty()) {
        return true;
    }
    if (path == "/") {
        Stack.push_back(&Attached->Root());
        return true;
    }
    TSettingsNode* node = nullptr;
    if (IsIndex(path)) {
        const std::size_t index = IndexValue(path);
        node = index < current->Children.size() ? current->Children[index].Value.get() : nullptr;
    } else {
        // Object members by name; a list element only as the last segment.
        node = current;
        std::size_t start = 0;
        while (node != nullptr) {
            const std::size_t dot = path.find('.', start);
            const std::string segment = path.substr(start, dot == std::string::npos ? dot : dot - start);
            const bool last = dot == std::string::npos;
            if (node->Kind == SettingsList && last && IsIndex(segment)) {
                node = Lookup(*node, segment);
            } else {
                node = node->Member(segment);
            }
            if (last) {
                break;
            }
            if (node != nullptr && !node->IsContainer()) {
                node = nullptr;
            }
            start = dot + 1;
        }
    }
    if (node == nullptr || !node->IsContainer()) {
        return false;
    }
    Stack.push_back(node);
    return true;
}

bool TSettingsHandle::EnterIndex(int index) {
    TSettingsNode* current = Current();
    if (current == nullptr || index < 0 || static_cast<std::size_t>(index) >= current->Children.size()) {
        return false;
    }
    TSettingsNode* child = current->Children[static_cast<std::size_t>(index)].Value.get();
    if (!child->IsContainer()) {
        return false;
    }
    Stack.push_back(child);
    return true;
}

void TSettingsHandle::Leave() {
    if (!Stack.empty()) {
        Stack.pop_back();
    }
}

bool TSettingsHandle::Exists(const std::string& path) const {
    return Current() != nullptr && Resolve(*Current(), path) != nullptr;
}

TVariant TSettingsHandle::Get(const std::string& path) const {
    const TSettingsNode* node = Current() == nullptr ? nullptr : Resolve(*Current(), path);
    if (node == nullptr) {
        return 0;
    }
    return node->IsContainer() ? TVariant(SettingsNodeText(*node)) : LeafVariant(*node);
}

int TSettingsHandle::TypeOf(const std::string& path) const {
    const TSettingsNode* node = Current() == nullptr ? nullptr : Resolve(*Current(), path);
    return node == nullptr ? SettingsNull : node->Kind;
}

bool TSettingsHandle::IsLeaf(const std::string& path) const {
    const int kind = TypeOf(path);
    return kind != SettingsList && kind != SettingsObject;
}

int TSettingsHandle::CountOf(const std::string& path) const {
    const TSettingsNode* node = Current() == nullptr ? nullptr : Resolve(*Current(), path);
    return node == nullptr ? 0 : static_cast<int>(node->Children.size());
}

int TSettingsHandle::Count() const {
    return Current() == nullptr ? 0 : static_cast<int>(Current()->Children.size());
}

int TSettingsHandle::NodeType() const {
    return Current() == nullptr ? SettingsNull : Current()->Kind;
}

namespace {

const TSettingsMember* ChildAt(const TSettingsNode* node, int index) {
    if (node == nullptr || index < 0 || static_cast<std::size_t>(index) >= node->Children.size()) {
        return nullptr;
    }
    return &node->Children[static_cast<std::size_t>(index)];
}

} // namespace

std::string TSettingsHandle::NameOf(int index) const {
    const TSettingsMember* child = ChildAt(Current(), index);
    return child != nullptr && Current()->Kind == SettingsObject ? child->Name : std::string();
}

TVariant TSettingsHandle::GetAt(int index) const {
    const TSettingsMember* child = ChildAt(Current(), index);
    if (child == nullptr) {
        return 0;
    }
    return child->Value->IsContainer() ? TVariant() : LeafVariant(*child->Value);
}

bool TSettingsHandle::IsLeafAt(int index) const {
    const TSettingsMember* child = ChildAt(Current(), index);
    return child == nullptr || !child->Value->IsContainer();
}

int TSettingsHandle::TypeOfAt(int index) const {
    if (Current() == nullptr || !Current()->IsContainer()) {
        throw TSettingsError("Invalid node do call TypeOf for.");
    }
    const TSettingsMember* child = ChildAt(Current(), index);
    return child == nullptr ? SettingsNull : child->Value->Kind;
}

std::string TSettingsHandle::ToText() const {
    return Current() == nullptr ? std::string() : SettingsNodeText(*Current());
}

std::string TSettingsHandle::FindName(const TVariant& value) const {
    if (Current() == nullptr || Current()->Kind != SettingsObject) {
        return std::string();
    }
    for (const TSettingsMember& member : Current()->Children) {
        if (LeafEqualsVariant(*member.Value, value)) {
            return member.Name;
        }
    }
    return std::string();
}

void TSettingsHandle::Set(const std::string& path, const std::string& text) {
    const std::unique_ptr<TSettingsNode> value = ParseSettingsText(text);
    if (Current() != nullptr && value != nullptr) {
        SetPathWithin(*Current(), path, *value, 0);
    }
}

void TSettingsHandle::Merge(const std::string& text) {
    if (Current() != nullptr) {
        MergeText(*Current(), text);
    }
}

void TSettingsHandle::AddToList(const std::string& text) {
    InsertIntoList(text, Count());
}

void TSettingsHandle::InsertIntoList(const std::string& text, int index) {
    TSettingsNode* list = Current();
    if (list == nullptr || list->Kind != SettingsList) {
        return;
    }
    std::unique_ptr<TSettingsNode> value = ParseSettingsText(text);
    if (value == nullptr) {
        return;
    }
    const std::size_t position =
        std::min(static_cast<std::size_t>(std::max(index, 0)), list->Children.size());
    list->Children.insert(list->Children.begin() + static_cast<std::ptrdiff_t>(position),
                          {std::string(), std::move(value)});
}

void TSettingsHandle::Delete(const std::string& path) {
    if (!Exists(path)) {
        return;
    }
    const std::size_t dot = path.rfind('.');
    TSettingsNode* parent = dot == std::string::npos ? Current() : Resolve(*Current(), path.substr(0, dot));
    const std::string name = dot == std::string::npos ? path : path.substr(dot + 1);
    const int index = parent == nullptr ? -1 : parent->IndexOfMember(name);
    if (index >= 0) {
        parent->Children.erase(parent->Children.begin() + index);
    }
}

void TSettingsHandle::DeleteAt(int index) {
    if (ChildAt(Current(), index) != nullptr) {
        Current()->Children.erase(Current()->Children.begin() + index);
    }
}

void TSettingsHandle::Clear() {
    if (Current() != nullptr) {
        Current()->Children.clear();
    }
}

void TSettingsHandle::RemoveEqual(const TSettingsHandle& other) {
    if (Current() != nullptr && Current()->Kind == SettingsObject && other.Current() != nullptr) {
        RemoveEqualNodes(*Current(), *other.Current());
    }
}

bool TSettingsHandle::Equal(const TSettingsHandle& other) const {
    return Current() != nullptr && other.Current() != nullptr &&
           SettingsNodesEqual(*Current(), *other.Current());
}
