#include "config/store_backend.h"

#include "config/memory_store.h"

namespace {
const StoreBackend* g_backend = nullptr;
}

void SetStoreBackend(const StoreBackend* backend) { g_backend = backend; }

const StoreBackend& CurrentStoreBackend() { return g_backend ? *g_backend : *MemoryStoreBackend(); }
