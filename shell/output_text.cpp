// Text that other programs (the compiler, make) send to the output window in pieces.
#include <cstring>

#include "editor/safe_file.h"
#include "shell/format_buffer.h"
#include "shell/messages.h"
#include "shell/output_model.h"
#include "shell/report.h"

namespace {

// A compiler command line starts with the driver's path: keep only its arguments.
void DropCompilerCommand(std::string* line) {
    size_t blank = line->find(' ');
    if (blank == std::string::npos || blank < 7 || line->compare(blank - 7, 7, "rmc.exe") != 0) return;
    size_t rest = line->find_first_not_of(' ', blank);
    if (rest == std::string::npos) rest = line->size();
    if (line->compare(rest, 3, "-c ") == 0) rest += 3;
    line->erase(0, rest);
}

int AddInPieces(std::string line, std::vector<std::string>* lines) {
    DropCompilerCommand(&line);
    int added = 0;
    size_t at = 0;
    do {
        lines->push_back(line.substr(at, kOutputPieceLength));
        at += kOutputPieceLength;
        ++added;
    } while (at < line.size());
    return added;
}

}  // namespace

int TakeExternalText(std::string* pending, const char* text, std::vector<std::string>* lines) {
    if (pending->size() >= kPendingTextMax) {
        ShowStatus("Overflow reading error message", StatusColour::Red);
        return 0;
    }
    pending->append(text, strnlen(text, kPendingTextMax - pending->size()));
    int added = 0;
    for (;;) {
        size_t lf = pending->find('\n');
        if (lf != std::string::npos) {
            std::string line = pending->substr(0, lf);
            pending->erase(0, lf + 1);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            added += AddInPieces(line, lines);
        } else if (pending->size() > kPendingFlushLength) {
            added += AddInPieces(*pending, lines);
            pending->clear();
        } else {
            return added;
        }
    }
}

bool SaveOutputLines(const std::vector<std::string>& lines, const char* page, const char* file, std::time_t when) {
    if (lines.empty()) {
        ShowStatus("Nothing to print");
        return false;
    }
    SafeFile f;
    if (!OpenSafeFile(&f, file)) return false;
    std::string text = FormatText("Morla output window %s: %s", page, std::ctime(&when));
    for (const std::string& line : lines) text += line + "\n";
    if (!WriteSafeFile(&f, text.data(), text.size()) || !CommitSafeFile(&f)) {
        AbandonSafeFile(&f);
        return false;
    }
    ShowStatus(FormatText("%d lines written to %s", static_cast<int>(lines.size()), file));
    return true;
}
