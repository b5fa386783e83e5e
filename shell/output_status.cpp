#include "shell/output_model.h"

namespace {

constexpr int kQuietPositionUpdates = 4;

void Show(StatusLine* s, const std::string& text, StatusInk ink) {
    s->shown = text;
    s->ink = ink;
}

}  // namespace

bool StatusPosition(StatusLine* s, const char* text) {
    s->normal = text;
    if (s->timed && s->suppressed < kQuietPositionUpdates) {
        ++s->suppressed;
        return false;
    }
    s->timed = false;
    Show(s, s->normal, StatusInk::Normal);
    return true;
}

void StatusMenuHelp(StatusLine* s, const char* text, bool restore) {
    if (!*text && restore) Show(s, s->normal, StatusInk::Normal);
    else Show(s, text, StatusInk::Normal);
}

void StatusMessage(StatusLine* s, const char* text, StatusInk ink) {
    if (ink == StatusInk::Navy && !s->prefix.empty()) Show(s, s->prefix + " : " + text, ink);
    else Show(s, text, ink);
    s->timed = true;
    s->suppressed = 0;
}

void StatusTimerEnded(StatusLine* s) {
    s->timed = false;
    Show(s, s->normal, StatusInk::Normal);
}

void StatusSetPrefix(StatusLine* s, const char* prefix) { s->prefix = prefix; }

void StatusClearPrefix(StatusLine* s) {
    s->prefix.clear();
    Show(s, s->normal, StatusInk::Normal);
}

int ExpandedHeight(int stored, int frame_client_height) {
    if (stored <= 0) return frame_client_height / 4;
    int most = frame_client_height * 3 / 4;
    return stored > most ? most : stored;
}
