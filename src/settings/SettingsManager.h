#pragma once
// A settings tree (TSettings) and cursors on it (TSettingsHandle) that address values by dotted paths
// such as "Data.Intervals.0.Position", read them as variants, write them from JSON text and merge JSON
// fragments into the tree. Every value goes in as JSON text in the settings text form (see SettingsNode.h).

#include "settings/SettingsNode.h"
#include "settings/Variant.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// A broken expectation of a caller, such as merging text that is not JSON.
class TSettingsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TSettings {
public:
    TSettings();

    // Replaces the tree when text is a JSON object; otherwise returns false and keeps the tree. Handles on
    // the root stay valid; handles that had entered a node below it must not be used until re-attached.
    bool LoadFromText(const std::string& text);
    std::string ToText() const;

    TSettingsNode& Root() { return *RootNode; }
    const TSettingsNode& Root() const { return *RootNode; }

private:
    std::unique_ptr<TSettingsNode> RootNode;
};

class TSettingsHandle {
public:
    // A handle on nothing: reads yield nothing and writes change nothing until settings are attached.
    TSettingsHandle();
    // On settings the caller keeps.
    explicit TSettingsHandle(TSettings& settings);
    // On new settings of its own into which the JSON object text is merged; throws TSettingsError.
    explicit TSettingsHandle(const std::string& text);
    ~TSettingsHandle();
    TSettingsHandle(const TSettingsHandle&) = delete;
    TSettingsHandle& operator=(const TSettingsHandle&) = delete;

    // Frees settings the handle owned; current becomes the root of `settings`, the only node on the stack.
    void AttachSettings(TSettings& settings);
    // Attaches new settings of its own with the JSON object text merged in; throws TSettingsError and then
    // stays as it was.
    void LoadFromText(const std::string& text);
    TSettings* Settings() const { return Attached; }

    // Navigation. Enter("") succeeds without moving; "/" enters the root; digits only enter the child at
    // that position; a dotted path descends through object members by name, a list index allowed last.
    // A single Leave undoes any successful Enter.
    bool Enter(const std::string& path);
    bool EnterIndex(int index);
    void Leave();
    int Depth() const { return static_cast<int>(Stack.size()); }

    // Reading by path below current (list indices allowed at any depth).
    bool Exists(const std::string& path) const;
    // A leaf's value, a container's JSON text, or the integer 0 for a missing path.
    TVariant Get(const std::string& path) const;
    int TypeOf(const std::string& path) const;
    bool IsList(const std::string& path) const { return TypeOf(path) == SettingsList; }
    bool IsObject(const std::string& path) const { return TypeOf(path) == SettingsObject; }
    bool IsString(const std::string& path) const { return TypeOf(path) == SettingsString; }
    bool IsNull(const std::string& path) const { return TypeOf(path) == SettingsNull; }
    bool IsLeaf(const std::string& path) const;
    // Children of the container at path; 0 when it is missing or a leaf.
    int CountOf(const std::string& path) const;

    // Reading by position in current.
    int Count() const;
    int NodeType() const;
    std::string NameOf(int index) const;
    // A leaf child's value; empty for a container child; the integer 0 when index is out of range.
    TVariant GetAt(int index) const;
    bool IsLeafAt(int index) const;
    // Throws "Invalid node do call TypeOf for." when current is neither a list nor an object.
    int TypeOfAt(int index) const;
    std::string ToText() const;
    // The name of the first member of the current object whose value equals value, or "".
    std::string FindName(const TVariant& value) const;

    // Writing. Values are JSON text; text that is not JSON changes nothing.
    void Set(const std::string& path, const std::string& text);
    // Throws "Failed to parse JSON string as Object." / "... as List." for text that is not JSON (or, on an
    // object, not a JSON object); the tree then is unchanged.
    void Merge(const std::string& text);
    void AddToList(const std::string& text);
    void InsertIntoList(const std::string& text, int index);
    // Removes the object member the path names ("Data.StartDate": the member StartDate of Data).
    void Delete(const std::string& path);
    void DeleteAt(int index);
    void Clear();
    // Removes from the current object everything equal to the corresponding part of other's current node.
    void RemoveEqual(const TSettingsHandle& other);
    bool Equal(const TSettingsHandle& other) const;

private:
    TSettingsNode* Current() const { return Stack.empty() ? nullptr : Stack.back(); }
    void Attach(TSettings* settings, std::unique_ptr<TSettings> owned);

    TSettings* Attached = nullptr;
    std::unique_ptr<TSettings> Owned;
    std::vector<TSettingsNode*> Stack;
};
