#include <algorithm>

#include "debugger/dbginfo.h"
#include "debugger/dbginfo_hash.h"
#include "debugger/dbginfo_image.h"
#include "shell/format_buffer.h"
#include "shell/report.h"

namespace {

constexpr uint32_t kMiscExeName = 1, kMiscNameOffset = 12;

void FreeModule(DebugModule* m) {
    while (m->functions) {
        DebugFunction* next = m->functions->next;
        delete m->functions;
        m->functions = next;
    }
    m->last_function = nullptr;
    FreeHash(&m->statics);
    FreeHash(&m->constants);
}

void ReleaseFacts(const DebugImage& image, ImageFacts* facts, void* file) {
    FreeHash(&facts->globals);
    if (image.release_view && (facts->view || facts->mapping || file))
        image.release_view(facts->mapping, facts->view, file);
    *facts = ImageFacts{};
}

// The DLL's debug directory and the image name of its miscellaneous record.
void CopyDebugDirectory(LoadedDll* dll, const PeHeaders& pe, ByteRange file) {
    uint32_t first, count;
    if (!pe.directories[kDebugDirectory].size || !FindSection(pe, ".rdata") ||
        !LocateDebugDirectory(pe, &first, &count))
        return;
    count = static_cast<uint32_t>(std::min<uint64_t>(count, (file.size - std::min(first, file.size)) / kDebugEntrySize));
    ByteRange entries = SubRange(file, first, uint64_t(count) * kDebugEntrySize);
    if (!entries.data || !count) return;
    dll->debug_directory.assign(entries.data, entries.data + entries.size);
    dll->debug_entries = count;
    uint32_t pointer, kind;
    if (GetU32(entries, 24, &pointer) && GetU32(file, pointer, &kind) && kind == kMiscExeName)
        GetCString(file, uint64_t(pointer) + kMiscNameOffset, &dll->image_name, 260);
}

}  // namespace

bool LoadExecutable(DebugImage* image, const uint8_t* view, uint32_t size, uint32_t base, const char* name,
                    bool attached) {
    ImageFacts& facts = image->facts;
    facts.view = view;
    facts.file_size = size;
    facts.image_base = base;
    ByteRange file{view, size};
    PeHeaders pe;
    if (!ReadPeHeaders(file, &pe)) {
        ShowError("Unrecognized file format");
        return false;
    }
    if (!SetCoffView(&facts, pe, file)) {
        ShowError(attached ? "Impossible to attach\nNo debug information in executable"
                           : FormatText("No debugging information in %s", name));
        return false;
    }
    SetImageFacts(&facts, pe);
    image->module_base = 0;
    ReadDebugDirectory(image, pe, file);
    ReadImports(image, pe, file);
    return true;
}

bool LoadDll(DebugImage* image, const uint8_t* view, uint32_t size, uint32_t base, const char* system_name,
             void* file_handle, void* mapping) {
    ImageFacts saved = std::move(image->facts);
    int32_t saved_base = image->module_base;
    image->facts = ImageFacts{};
    image->facts.view = view;
    image->facts.file_size = size;
    image->facts.image_base = base;
    image->facts.mapping = mapping;
    LoadedDll* dll = new LoadedDll;
    dll->base = base;
    dll->file = file_handle;
    dll->system_name = system_name ? system_name : "";
    ByteRange file{view, size};
    PeHeaders pe;
    bool ok = ReadPeHeaders(file, &pe);
    if (ok) {
        SetCoffView(&image->facts, pe, file);
        SetImageFacts(&image->facts, pe);
        dll->entry_rva = pe.entry_rva;
        dll->entry_address = base + pe.entry_rva;
        CopyDebugDirectory(dll, pe, file);
        image->module_base = std::max(image->highest_module, 0);
        ReadDebugDirectory(image, pe, file);
        dll->modules_added = static_cast<uint32_t>(std::max(image->highest_module - image->module_base, 0));
        if (dll->modules_added) dll->first_module = image->module_base + 1;
        for (uint32_t i = 0; i < dll->modules_added; ++i) {
            DebugModule& m = image->modules[dll->first_module + i];
            m.in_dll = 1;
            m.dll = dll;
        }
    } else {
        ShowError("Unrecognized file format");
    }
    dll->facts = std::move(image->facts);
    dll->next = image->dlls;
    image->dlls = dll;
    image->facts = std::move(saved);
    image->module_base = saved_base;
    return ok;
}

int FindEntryFunction(DebugImage* image) {
    const DebugSymbol* entry = nullptr;
    for (const char* name : {"_WinMain@16", "_main", "_MAIN__"})
        if ((entry = SymbolByName(*image, name))) break;
    if (!entry) {
        ShowError("Impossible to find the entry point. No debug information");
        image->facts.coff = {};
        return 0;
    }
    int module = ModuleByAddress(*image, entry->address);
    if (!module) module = ModuleByAddress(*image, image->facts.image_base + image->facts.entry_rva);
    if (!module) {
        ShowError("Impossible to find the entry point (_mainCRTStartup)");
        return 0;
    }
    image->current_module = module;
    return module;
}

bool ResolveImportStubs(DebugImage* image, const DebuggeeMemory& memory) {
    const CoffView& coff = image->facts.coff;
    uint32_t length;
    if (!coff.symbols) return true;
    if (!GetU32({coff.strings, coff.strings_room}, 0, &length) || length > coff.strings_room) {
        ShowError("Incorrect length of string table");
        return false;
    }
    for (uint32_t i = 0; i < coff.count; i += 1 + coff.symbols[uint64_t(i) * 18 + 17]) {
        std::string name = CoffSymbolName(coff, i);
        if (name.empty() || name[0] != '_') continue;
        name.erase(std::min(name.find('@'), name.size()));
        for (ImportStub& stub : image->imports) {
            if (stub.function != name && stub.function != name.substr(1)) continue;
            uint32_t value, slot, target;
            GetU32({coff.symbols + uint64_t(i) * 18, 18}, 8, &value);
            stub.stub = value + image->facts.image_base;
            if (memory.read && memory.read(memory.context, stub.stub + 2, &slot, 4) &&
                memory.read(memory.context, slot, &target, 4))
                stub.target = target;
        }
    }
    return true;
}

void ReleaseDebugInfo(DebugImage* image) {
    for (DebugModule& m : image->modules) FreeModule(&m);
    image->modules.clear();
    image->highest_module = -1;
    image->module_base = 0;
    image->imports.clear();
    image->current_module = 0;
    while (image->dlls) {
        LoadedDll* next = image->dlls->next;
        ReleaseFacts(*image, &image->dlls->facts, image->dlls->file);
        delete image->dlls;
        image->dlls = next;
    }
    ReleaseFacts(*image, &image->facts, nullptr);
}
