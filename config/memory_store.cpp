#include "config/memory_store.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>

namespace {

// Key and value names compare without regard to case, as in the registry.
struct NoCaseLess {
    bool operator()(const std::string& a, const std::string& b) const {
        size_t n = std::min(a.size(), b.size());
        for (size_t i = 0; i < n; ++i) {
            int ca = std::tolower(static_cast<unsigned char>(a[i])), cb = std::tolower(static_cast<unsigned char>(b[i]));
            if (ca != cb) return ca < cb;
        }
        return a.size() < b.size();
    }
};

struct MemoryValue {
    std::string text;
    bool is_text = true;
};

struct MemoryNode {
    std::map<std::string, MemoryValue, NoCaseLess> values;
    std::map<std::string, std::shared_ptr<MemoryNode>, NoCaseLess> children;
};

// A handle keeps its node alive, so a deleted key's open handle stays harmless.
using Handle = std::shared_ptr<MemoryNode>;

std::shared_ptr<MemoryNode> NewTop() {
    auto top = std::make_shared<MemoryNode>();
    top->children["Software"] = std::make_shared<MemoryNode>();
    return top;
}

std::shared_ptr<MemoryNode> g_top = NewTop();
int g_failure = 0;
int g_last_error = 0;

constexpr int kNotFound = 2;  // the registry's "file not found"

MemoryNode& NodeOf(StoreKey key) { return key ? **static_cast<Handle*>(key) : *g_top; }

StoreKey OpenKey(StoreKey parent, const char* name, bool create) {
    MemoryNode& node = NodeOf(parent);
    auto it = node.children.find(name);
    if (it == node.children.end()) {
        if (!create || g_failure) {
            g_last_error = g_failure && create ? g_failure : kNotFound;
            return nullptr;
        }
        it = node.children.emplace(name, std::make_shared<MemoryNode>()).first;
    }
    return new Handle(it->second);
}

void CloseKey(StoreKey key) { delete static_cast<Handle*>(key); }

bool ReadValue(StoreKey key, const char* name, std::string& out) {
    MemoryNode& node = NodeOf(key);
    auto it = node.values.find(name);
    if (it == node.values.end() || !it->second.is_text) {
        g_last_error = kNotFound;
        return false;
    }
    out = it->second.text;
    return true;
}

bool WriteValue(StoreKey key, const char* name, const char* text) {
    if (g_failure) {
        g_last_error = g_failure;
        return false;
    }
    NodeOf(key).values[name] = MemoryValue{text, true};
    return true;
}

bool DeleteSubkey(StoreKey key, const char* name) {
    if (g_failure) {
        g_last_error = g_failure;
        return false;
    }
    NodeOf(key).children.erase(name);
    return true;
}

bool SubkeyName(StoreKey key, int index, std::string& name) {
    MemoryNode& node = NodeOf(key);
    if (index < 0 || index >= static_cast<int>(node.children.size())) return false;
    auto it = node.children.begin();
    std::advance(it, index);
    name = it->first;
    return true;
}

int LastError() { return g_last_error; }

const StoreBackend kMemoryBackend = {OpenKey, CloseKey, ReadValue, WriteValue, DeleteSubkey, SubkeyName, LastError};

MemoryNode* FindNode(const std::string& path) {
    MemoryNode* node = g_top.get();
    size_t start = 0;
    while (node && start <= path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string::npos) end = path.size();
        auto it = node->children.find(path.substr(start, end - start));
        node = it == node->children.end() ? nullptr : it->second.get();
        start = end + 1;
    }
    return node;
}

void Dump(const MemoryNode& node, const std::string& path, std::string& out) {
    for (const auto& [name, value] : node.values)
        out += path + " " + name + (value.is_text ? "=" + value.text : " (not text)") + "\n";
    for (const auto& [name, child] : node.children) {
        std::string child_path = path.empty() ? name : path + "\\" + name;
        out += child_path + "\n";
        Dump(*child, child_path, out);
    }
}

}  // namespace

const StoreBackend* MemoryStoreBackend() { return &kMemoryBackend; }

void ClearMemoryStore() {
    g_top = NewTop();
    g_failure = 0;
}

void SetMemoryStoreFailure(int error_code) { g_failure = error_code; }

void PutMemoryNonText(const std::string& key_path, const std::string& name) {
    if (MemoryNode* node = FindNode(key_path)) node->values[name] = MemoryValue{"", false};
}

bool MemoryStoreValue(const std::string& key_path, const std::string& name, std::string& out) {
    MemoryNode* node = FindNode(key_path);
    if (!node) return false;
    auto it = node->values.find(name);
    if (it == node->values.end() || !it->second.is_text) return false;
    out = it->second.text;
    return true;
}

bool MemoryStoreHasKey(const std::string& key_path) { return FindNode(key_path) != nullptr; }

std::string MemoryStoreDump() {
    std::string out;
    Dump(*g_top, "", out);
    return out;
}
