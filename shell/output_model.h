#pragma once
// The output window's portable side: the status line's texts and timing, the text that
// other processes send piece by piece, the expanded height, and saving the list.
#include <ctime>
#include <string>
#include <vector>

// --- Status line -----------------------------------------------------------------------

enum class StatusInk { Normal, Red, Navy };

struct StatusLine {
    std::string normal;   // the last caret-position text, restored after timed messages
    std::string prefix;   // put before navy messages as "%s : %s"
    std::string shown;    // what the strip shows now
    StatusInk ink = StatusInk::Normal;
    bool timed = false;   // a timed message is showing
    int suppressed = 0;   // position updates not drawn since it began
};

inline constexpr unsigned kStatusMessageMilliseconds = 3000;

// Caret position (8028): kept as the normal text; true when the strip must show it
// (while a timed message shows, the next four updates are not drawn).
bool StatusPosition(StatusLine* s, const char* text);
// Menu help (8037): shown as it is; an empty text with `restore` brings back the normal text.
void StatusMenuHelp(StatusLine* s, const char* text, bool restore);
// A red (8038) or navy (8039) message; the caller runs the 3-second timer.
void StatusMessage(StatusLine* s, const char* text, StatusInk ink);
// The timer ran out: the normal text returns.
void StatusTimerEnded(StatusLine* s);
void StatusSetPrefix(StatusLine* s, const char* prefix);
// 8040: no prefix, and the normal text again.
void StatusClearPrefix(StatusLine* s);

// --- Text from other processes ---------------------------------------------------------

inline constexpr size_t kPendingTextMax = 4000;
inline constexpr size_t kPendingFlushLength = 300;
inline constexpr size_t kOutputPieceLength = 150;

// Takes a text received from another process into `pending` and appends to `lines`
// every finished line (ended by LF, CR dropped, or a pending text grown beyond 300
// characters) in pieces of 150 characters. A compiler command line loses "...rmc.exe "
// and a following "-c ". Returns the number of list lines added.
int TakeExternalText(std::string* pending, const char* text, std::vector<std::string>* lines);

// --- Geometry --------------------------------------------------------------------------

// The expanded height: the stored one, at most three quarters of the frame's client
// height; a quarter of it when none is stored.
int ExpandedHeight(int stored, int frame_client_height);

// --- Saving the list -------------------------------------------------------------------

// Writes "Morla output window <page>: <ctime>" and every line with a newline; reports
// "%d lines written to %s", or "Nothing to print" (no file) for an empty list.
bool SaveOutputLines(const std::vector<std::string>& lines, const char* page, const char* file, std::time_t when);
