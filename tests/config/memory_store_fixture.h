#pragma once
// A fresh in-memory store with the compiler installed at C:\rmc, and recorded reports.
#include <gtest/gtest.h>

#include "config/compiler_root.h"
#include "config/memory_store.h"
#include "config/store.h"
#include "tests/support/recorded_reports.h"

class MemoryStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetStoreBackend(nullptr);
        ClearMemoryStore();
        g_store_platform = StorePlatform{};
        ASSERT_TRUE(StoreCompilerRoot("C:\\rmc"));
        ClearRegistryWritten();
    }
    void TearDown() override {
        CloseStore();
        ClearMemoryStore();
        g_store_platform = StorePlatform{};
    }

    static std::string Root(const char* name) {
        std::string text;
        MemoryStoreValue("Software\\rmc\\Morla", name, text);
        return text;
    }
    static void PutRoot(const char* name, const char* text) {
        ASSERT_TRUE(OpenStore("Morla", true));
        ASSERT_TRUE(WriteString(name, text));
        CloseStore();
    }

    RecordedReports reports;
};
