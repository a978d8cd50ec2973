// The resources compiled into the executable, found by type and id.
#include "platform/resources.h"

#include <cstdlib>
#include <cstring>
#include <optional>

#include "platform/resources/resource_table.h"

using namespace platform;

namespace {

bool sameTypeName(const char* a, const char* b) {
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; };
        if (upper(*a) != upper(*b)) return false;
    }
    return *a == *b;
}

// An integer id, given as MAKEINTRESOURCEA(id) or as the text "#id".
std::optional<int> resourceId(const char* name) {
    if (name == nullptr) return std::nullopt;
    if (IS_INTRESOURCE(name)) return static_cast<int>(reinterpret_cast<std::uintptr_t>(name));
    if (name[0] != '#' || name[1] == '\0') return std::nullopt;
    char* end = nullptr;
    long id = std::strtol(name + 1, &end, 10);
    if (*end != '\0' || id < 0 || id > 0xFFFF) return std::nullopt;
    return static_cast<int>(id);
}

const ResourceEntry* entryOf(HRSRC resource) {
    // Only handles that FindResourceA gave out: entries of the table.
    for (std::size_t i = 0; i < kResourceCount; ++i)
        if (reinterpret_cast<const void*>(&kResourceTable[i]) == reinterpret_cast<const void*>(resource))
            return &kResourceTable[i];
    return nullptr;
}

} // namespace

HRSRC FindResourceA(HMODULE, const char* name, const char* type) {
    std::optional<int> id = resourceId(name);
    if (!id || type == nullptr || IS_INTRESOURCE(type)) return nullptr;
    for (std::size_t i = 0; i < kResourceCount; ++i) {
        const ResourceEntry& entry = kResourceTable[i];
        if (entry.id == *id && sameTypeName(entry.type, type))
            return reinterpret_cast<HRSRC>(const_cast<ResourceEntry*>(&entry));
    }
    return nullptr;
}

HGLOBAL LoadResource(HMODULE, HRSRC resource) {
    const ResourceEntry* entry = entryOf(resource);
    return entry != nullptr ? entry->data : nullptr;
}

const void* LockResource(HGLOBAL loaded) { return loaded; }

DWORD SizeofResource(HMODULE, HRSRC resource) {
    const ResourceEntry* entry = entryOf(resource);
    return entry != nullptr ? static_cast<DWORD>(entry->size) : 0;
}
