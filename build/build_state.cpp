#include "build/build_state.h"

#include <atomic>

namespace {
std::atomic<BuildState> g_state{BuildState::Idle};
std::atomic<bool> g_stop{false};

bool Move(BuildState from, BuildState to) { return g_state.compare_exchange_strong(from, to); }
}  // namespace

BuildState CurrentBuildState() { return g_state.load(); }
bool BeginGenerating() { return Move(BuildState::Idle, BuildState::Generating); }
void EndGenerating() { Move(BuildState::Generating, BuildState::Idle); }
bool BeginBuildRun() { return Move(BuildState::Idle, BuildState::Running); }
void EndBuildRun() { Move(BuildState::Running, BuildState::Idle); }
void RequestBuildStop() { g_stop = true; }
bool BuildStopRequested() { return g_stop.load(); }
void ClearBuildStop() { g_stop = false; }

const char* BuildBusyText() {
    switch (g_state.load()) {
        case BuildState::Generating: return "Makefile is being generated. Wait till that finishes.";
        case BuildState::Running: return "Wait till make finishes";
        default: return nullptr;
    }
}
